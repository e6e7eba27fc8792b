// The playground: draws the live run with the replay page's own drawing (report/page.js),
// from the server's stream of changes, and turns clicks and keys into scenario steps, the
// same JSON a scenario file's steps are, posted to the server one by one.
(function () {
  'use strict';
  var replay = window.campfireReplay;
  var run = replay.run;
  var root = document.documentElement;
  var svg = document.querySelector('#map svg');
  var WALK = 2, RIDE = 8, STRIDE = 3;  // units a second, and units a key moves the player
  // How near the player must stand: to the wagon's middle to climb aboard (half its length
  // and a reach), and to a companion for L to lock on.
  var BOARD_REACH = 5, LOCK_REACH = 30;
  var now = { prompts: [], speed: 1 };
  var held = null;  // the control a button or key holds down
  var lastSpeed = 1;
  // The server answers only requests that carry the token of the address it printed.
  var token = new URLSearchParams(location.search).get('token') || '';

  function show(id, text) {
    var e = document.getElementById(id);
    e.textContent = text || '';
    e.hidden = !text;
  }
  // One request after another, so that the server takes the steps (a press before its
  // release, every step before a save) in the order they were made.
  var queue = Promise.resolve();
  function post(path, body) {
    var sent = queue.then(function () {
      return fetch(path, { method: 'POST', body: body, headers: { 'X-Campsim-Token': token } });
    }).then(function (r) {
      if (!r.ok) return r.text().then(function (t) { show('refusal', t.trim()); throw t; });
      show('refusal', '');
      return r;
    });
    queue = sent.catch(function () {});
    return sent;
  }
  function step(s) { post('/step', JSON.stringify(s)).catch(function () {}); }

  // --- the stream: each event adds to the run data, then the latest moment is drawn ---
  function apply(ev) {
    (ev.tracks || []).forEach(function (c) {
      var segments = run.tracks[c[0]].segments;
      segments[c[1]] = (segments[c[1]] || []).slice(0, c[2] * 3).concat(c.slice(3));
    });
    (ev.spans || []).forEach(function (c) {
      var spans = run.channels[c[0]] || (run.channels[c[0]] = []);
      spans.length = c[1];
      for (var i = 2; i < c.length; ++i) spans.push(c[i]);
    });
    (ev.lines || []).forEach(function (l) { replay.addLine(l[0], l[1], l[2]); });
    run.lengthMs = ev.ms;
    if (ev.now) now = ev.now;
  }
  var drawing = false;
  function draw() {
    drawing = false;
    replay.seek(run.lengthMs, false);
    replay.locate();
    var clock = replay.clockText(run.lengthMs);
    document.getElementById('live-clock').textContent = clock;
    svg.querySelectorAll('text').forEach(function (t) {
      if (/ of game time$/.test(t.textContent)) t.textContent = clock + ' of game time';
    });
    document.querySelectorAll('[data-live-speed]').forEach(function (b) {
      b.classList.toggle('active', parseInt(b.getAttribute('data-live-speed'), 10) === now.speed);
    });
    show('playing', now.playing ? 'playing: ' + now.playing : '');
    show('stopped', now.stopped ? 'the host stopped the plugin: ' + now.stopped : '');
    if (now.refused) show('refusal', now.refused);
    promptButtons();
    root.setAttribute('data-live-ms', String(run.lengthMs));
    root.setAttribute('data-target', now.target || '');
  }
  var source = new EventSource('/events?token=' + encodeURIComponent(token));
  source.onmessage = function (e) {
    apply(JSON.parse(e.data));
    if (!drawing) { drawing = true; setTimeout(draw, 0); }
  };
  source.onerror = function () { show('refusal', 'the playground is not answering'); };

  // --- prompts: a button each, held down for as long as the mouse or its key is ---
  var shownPrompts = '';
  function promptButtons() {
    var key = JSON.stringify(now.prompts);
    if (key === shownPrompts) return;
    shownPrompts = key;
    var box = document.getElementById('prompt-buttons');
    while (box.firstChild) box.removeChild(box.firstChild);
    now.prompts.forEach(function (p, i) {
      var b = document.createElement('button');
      b.textContent = (i + 1) + ': ' + p.label;
      // Not `disabled`: a disabled button under the pointer swallows the mouse's release,
      // and the hold would go on.
      b.setAttribute('aria-disabled', p.enabled ? 'false' : 'true');
      b.setAttribute('data-control', p.control);
      b.addEventListener('pointerdown', function (e) {
        if (e.button !== 0) return;
        e.preventDefault();
        if (p.enabled) press(p.control);
      });
      box.appendChild(b);
    });
  }
  function press(control) {
    if (held || !control) return;
    held = control;
    step({ press: control });
  }
  function release() {
    if (!held) return;
    step({ release: held });
    held = null;
  }
  // Let go wherever the button is released, even over a button rebuilt or greyed meanwhile.
  ['pointerup', 'pointercancel', 'mouseup'].forEach(function (kind) {
    window.addEventListener(kind, release, true);
  });
  window.addEventListener('blur', release);

  // --- the map: a click walks (or rides) there, locks on to a companion, or reloads there ---
  function toWorld(e) {
    var pt = svg.createSVGPoint();
    pt.x = e.clientX;
    pt.y = e.clientY;
    var p = pt.matrixTransform(svg.getScreenCTM().inverse());
    var views = [replay.views.camp, replay.views.route];
    for (var i = 0; i < views.length; ++i) {
      var v = views[i];
      if (p.x >= v.left && p.x <= v.left + v.width && p.y >= v.top && p.y <= v.top + v.height) {
        return { x: v.minX + (p.x - v.left) / v.scale, y: v.maxY - (p.y - v.top) / v.scale,
                 px: p.x, py: p.y, view: v };
      }
    }
    return null;
  }
  function companions() {
    return Array.prototype.filter.call(
      document.querySelectorAll('#camp-live .marker[data-present="1"]'), function (g) {
        var n = g.getAttribute('data-name');
        return n !== 'player' && n !== 'wagon';
      });
  }
  function playerZ() { return now.player ? now.player[2] : 80; }
  function place(x, y) { return [+x.toFixed(2), +y.toFixed(2), +playerZ().toFixed(2)]; }
  svg.addEventListener('click', function (e) {
    var at = toWorld(e);
    if (!at) return;
    var v = replay.views.camp;
    var hit = at.view === v && companions().filter(function (g) {
      var nudge = (g.getAttribute('data-nudge') || '0,0').split(',').map(parseFloat);
      var gx = v.X(parseFloat(g.getAttribute('data-x'))) + nudge[0];
      var gy = v.Y(parseFloat(g.getAttribute('data-y'))) + nudge[1];
      return Math.hypot(gx - at.px, gy - at.py) <= 12;
    })[0];
    if (hit) return step({ target: hit.getAttribute('data-name') });
    if (document.getElementById('reload-at').checked) {
      document.getElementById('reload-at').checked = false;
      return step({ reload: place(at.x, at.y) });
    }
    var ride = e.shiftKey || document.getElementById('ride').checked;
    step({ go: place(at.x, at.y), speed: ride ? RIDE : WALK });
  });
  function distanceTo(g) {
    return Math.hypot(parseFloat(g.getAttribute('data-x')) - now.player[0],
                      parseFloat(g.getAttribute('data-y')) - now.player[1]);
  }
  // A key that does nothing says why, in one line.
  function why(text) { show('refusal', text); }
  function lockNearest() {
    if (!now.player) return;
    var best = null, bestD = Infinity;
    companions().forEach(function (g) {
      var d = distanceTo(g);
      if (d < bestD) { bestD = d; best = g.getAttribute('data-name'); }
    });
    if (best && bestD <= LOCK_REACH) return step({ target: best });
    why(best ? 'L: nobody within ' + LOCK_REACH + ' units to lock on to (' + best + ' is ' +
               Math.round(bestD) + ' units away); click a companion to lock on from afar'
             : 'L: no companion is in the camp to lock on to');
  }
  function board() {
    if (now.aboard) return why('B: the player is in the wagon already');
    var wagon = document.querySelector('#camp-live .marker[data-name="wagon"][data-present="1"]');
    if (!wagon || !now.player) return why('B: there is no wagon to board now');
    var d = distanceTo(wagon);
    if (d > BOARD_REACH) {
      return why('B: the wagon is ' + Math.round(d) + ' units away; walk within ' + BOARD_REACH +
                 ' units of it to board');
    }
    step({ board: 'wagon' });
  }
  function leave() {
    if (!now.aboard) return why('X: the player is on foot; there is nothing to get out of');
    step({ leave: true });
  }
  function stride(dx, dy) {
    if (now.player) step({ go: place(now.player[0] + dx * STRIDE, now.player[1] + dy * STRIDE), speed: WALK });
  }
  function speed(s) {
    if (s > 0) lastSpeed = s;
    post('/speed', String(s)).catch(function () {});
  }
  function save() {
    post('/save', '').then(function (r) { return r.text(); }).then(function (text) {
      var a = document.createElement('a');
      a.href = URL.createObjectURL(new Blob([text], { type: 'application/json' }));
      a.download = 'playground.json';
      document.body.appendChild(a);
      a.click();
      a.remove();
    }).catch(function () {});
  }

  var buttons = {
    lock: lockNearest,
    unlock: function () { step({ target: null }); },
    board: board,
    leave: leave,
    reload: function () { step({ reload: true }); },
    restart: function () { step({ restart: true }); },
    save: save
  };
  Object.keys(buttons).forEach(function (id) {
    document.getElementById(id).addEventListener('click', buttons[id]);
  });
  document.querySelectorAll('[data-live-speed]').forEach(function (b) {
    b.addEventListener('click', function () { speed(parseInt(b.getAttribute('data-live-speed'), 10)); });
  });

  var keys = {
    ArrowUp: function () { stride(0, 1); }, w: function () { stride(0, 1); },
    ArrowDown: function () { stride(0, -1); }, s: function () { stride(0, -1); },
    ArrowLeft: function () { stride(-1, 0); }, a: function () { stride(-1, 0); },
    ArrowRight: function () { stride(1, 0); }, d: function () { stride(1, 0); },
    l: lockNearest, Escape: buttons.unlock, b: buttons.board, x: buttons.leave, r: buttons.reload,
    ' ': function () { speed(now.speed > 0 ? 0 : lastSpeed); }
  };
  document.addEventListener('keydown', function (e) {
    if (e.target && e.target.tagName === 'INPUT' && e.target.type !== 'checkbox') return;
    if (e.ctrlKey || e.altKey || e.metaKey) return;
    var n = parseInt(e.key, 10);
    if (n >= 1 && n <= now.prompts.length) {
      if (!e.repeat) press(now.prompts[n - 1].control);
    } else if (keys[e.key] || keys[e.key.toLowerCase()]) {
      if (!e.repeat || /^Arrow|^[wasd]$/i.test(e.key)) (keys[e.key] || keys[e.key.toLowerCase()])();
    } else {
      return;
    }
    e.preventDefault();
  });
  document.addEventListener('keyup', function (e) {
    var n = parseInt(e.key, 10);
    if (n >= 1 && n <= 9) release();
  });
})();
