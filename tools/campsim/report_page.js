// The report's player: draws the run at one moment from the page's run data. Every word it
// shows comes from the page (the timeline, the run data); this script only picks and places.
(function () {
  'use strict';
  var root = document.documentElement;
  var errors = [];
  window.addEventListener('error', function (e) {
    errors.push(String(e.message) + ' (line ' + e.lineno + ')');
    root.setAttribute('data-errors', errors.join(' | '));
  });
  root.setAttribute('data-errors', '');

  var SVGNS = 'http://www.w3.org/2000/svg';
  var run = JSON.parse(document.getElementById('run-data').textContent);
  var svg = document.querySelector('#map svg');
  var t = 0;
  var playing = false;
  var speed = 1;
  var sharing = null;  // an address the page itself just set

  function View(id) {
    var g = document.getElementById(id);
    var n = function (a) { return parseFloat(g.getAttribute(a)); };
    return {
      g: g, left: n('data-left'), top: n('data-top'), scale: n('data-scale'),
      minX: n('data-min-x'), maxY: n('data-max-y'),
      X: function (x) { return this.left + (x - this.minX) * this.scale; },
      Y: function (y) { return this.top + (this.maxY - y) * this.scale; }
    };
  }
  var camp = View('camp-live');
  var campTrails = View('camp-trails');
  var route = View('route-live');
  var routeTrails = View('route-trails');

  function make(tag, attrs, parent) {
    var e = document.createElementNS(SVGNS, tag);
    for (var k in attrs) e.setAttribute(k, attrs[k]);
    if (parent) parent.appendChild(e);
    return e;
  }

  // Where a track is at time ms, between the frames it was seen in; null while it is not there.
  function positionAt(track, ms) {
    for (var s = 0; s < track.segments.length; ++s) {
      var seg = track.segments[s];
      var n = seg.length / 3;
      if (ms < seg[0]) return null;
      if (ms >= seg[(n - 1) * 3] + run.frameMs) continue;
      var lo = 0, hi = n - 1;
      while (lo < hi) {
        var mid = (lo + hi + 1) >> 1;
        if (seg[mid * 3] <= ms) lo = mid; else hi = mid - 1;
      }
      if (lo === n - 1) return { x: seg[lo * 3 + 1], y: seg[lo * 3 + 2], seg: s, i: lo };
      var f = (ms - seg[lo * 3]) / (seg[lo * 3 + 3] - seg[lo * 3]);
      return {
        x: seg[lo * 3 + 1] + (seg[lo * 3 + 4] - seg[lo * 3 + 1]) * f,
        y: seg[lo * 3 + 2] + (seg[lo * 3 + 5] - seg[lo * 3 + 2]) * f, seg: s, i: lo
      };
    }
    return null;
  }

  // The span of a channel that holds at ms, if any.
  function spanAt(name, ms) {
    var spans = run.channels[name];
    if (!spans) return null;
    var lo = 0, hi = spans.length - 1, found = null;
    while (lo <= hi) {
      var mid = (lo + hi) >> 1;
      if (spans[mid][0] <= ms) { found = mid; lo = mid + 1; } else { hi = mid - 1; }
    }
    if (found === null) return null;
    var s = spans[found];
    return ms < s[1] ? s[2] : null;
  }

  function trailUpTo(track, view, ms, line) {
    var parts = [];
    for (var s = 0; s < track.segments.length; ++s) {
      var seg = track.segments[s];
      if (seg[0] > ms) break;
      var pts = [];
      for (var i = 0; i < seg.length && seg[i] <= ms; i += 3) {
        pts.push(view.X(seg[i + 1]).toFixed(1) + ',' + view.Y(seg[i + 2]).toFixed(1));
      }
      var now = positionAt(track, ms);
      if (now && now.seg === s) pts.push(view.X(now.x).toFixed(1) + ',' + view.Y(now.y).toFixed(1));
      if (pts.length > 1) parts.push(pts.join(' '));
    }
    while (line.lines.length < parts.length) {
      line.lines.push(make('polyline', {
        fill: 'none', stroke: track.colour, 'stroke-width': line.width, 'stroke-opacity': '0.4',
        'stroke-linejoin': 'round', 'stroke-dasharray': track.dash || 'none'
      }, line.parent));
    }
    for (var k = 0; k < line.lines.length; ++k) {
      line.lines[k].setAttribute('points', k < parts.length ? parts[k] : '');
    }
  }

  var markers = run.tracks.map(function (track) {
    var onRoad = track.name === 'player' || track.name === 'wagon';
    var m = {
      track: track,
      campTrail: { parent: campTrails.g, lines: [], width: track.width },
      routeTrail: onRoad ? { parent: routeTrails.g, lines: [], width: track.width * 0.8 } : null,
      views: [camp].concat(onRoad ? [route] : []),
      groups: []
    };
    m.views.forEach(function (view) {
      var g = make('g', { 'class': 'marker', 'data-name': track.name, 'data-panel': view.g.id }, view.g);
      make('circle', { 'class': 'blip', r: 12, fill: 'none', stroke: '#f1c40f', 'stroke-width': 3 }, g);
      if (track.name === 'wagon') {
        make('rect', { x: -8, y: -5, width: 16, height: 10, rx: 2, fill: track.colour,
                       stroke: '#111111', 'stroke-width': 2 }, g);
      } else {
        // A dark ring tells a marker from the home dot it may stand on.
        make('circle', { r: track.name === 'player' ? 6 : 7, fill: track.colour,
                         stroke: track.name === 'player' ? '#ffffff' : '#111111',
                         'stroke-width': 2 }, g);
      }
      m.groups.push(g);
    });
    return m;
  });

  var bubbles = make('g', { id: 'bubbles' }, svg);
  var bubbleOf = {};
  function bubble(name) {
    if (!bubbleOf[name]) {
      var g = make('g', { 'class': 'bubble', 'data-name': name }, bubbles);
      make('line', { stroke: '#333333', 'stroke-width': 1 }, g);
      make('rect', { rx: 5, fill: '#fffbe6', 'fill-opacity': 0.85, stroke: '#333333',
                     'stroke-width': 1 }, g);
      make('text', { 'font-size': 11, fill: '#111111' }, g);
      bubbleOf[name] = g;
    }
    return bubbleOf[name];
  }

  var lines = Array.prototype.slice.call(document.querySelectorAll('#timeline li'));
  var lineMs = lines.map(function (li) { return parseInt(li.getAttribute('data-ms'), 10); });
  var moments = lineMs.filter(function (ms, i) { return i === 0 || ms !== lineMs[i - 1]; });
  var current = null;
  var slider = document.getElementById('slider');
  var clock = document.getElementById('clock');

  function clockText(ms) {
    ms = Math.max(0, Math.round(ms));
    var m = Math.floor(ms / 60000), s = Math.floor(ms / 1000) % 60, r = ms % 1000;
    return m + ':' + (s < 10 ? '0' : '') + s + '.' + ('00' + r).slice(-3);
  }

  function setText(id, text) {
    var e = document.getElementById(id);
    e.textContent = text || '';
    e.hidden = !text;
  }

  function draw() {
    markers.forEach(function (m) {
      var at = positionAt(m.track, t);
      trailUpTo(m.track, campTrails, t, m.campTrail);
      if (m.routeTrail) trailUpTo(m.track, routeTrails, t, m.routeTrail);
      var blip = m.track.name === 'wagon' && spanAt('blip', t) !== null;
      m.groups.forEach(function (g, k) {
        var view = m.views[k];
        g.style.display = at ? '' : 'none';
        g.setAttribute('data-present', at ? '1' : '0');
        g.querySelector('.blip').style.display = blip ? '' : 'none';
        if (!at) return;
        g.setAttribute('transform', 'translate(' + view.X(at.x).toFixed(2) + ',' +
                       view.Y(at.y).toFixed(2) + ')');
        g.setAttribute('data-x', at.x.toFixed(2));
        g.setAttribute('data-y', at.y.toFixed(2));
      });
      if (m.track.name === 'wagon') return;
      var said = at ? spanAt('speech:' + m.track.name, t) : null;
      var b = bubble(m.track.name);
      b.style.display = said ? '' : 'none';
      b.setAttribute('data-text', said || '');
      if (!said) return;
      var text = b.querySelector('text');
      text.textContent = said;
      var w = said.length * 6.2 + 12;
      var x = Math.min(Math.max(camp.X(at.x) - w / 2, 4), svg.viewBox.baseVal.width - w - 4);
      var y = camp.Y(at.y) - 44;
      var tail = b.querySelector('line');
      tail.setAttribute('x1', camp.X(at.x));
      tail.setAttribute('y1', camp.Y(at.y) - 8);
      tail.setAttribute('x2', Math.min(Math.max(camp.X(at.x), x + 6), x + w - 6));
      tail.setAttribute('y2', y + 20);
      b.querySelector('rect').setAttribute('x', x);
      b.querySelector('rect').setAttribute('y', y);
      b.querySelector('rect').setAttribute('width', w);
      b.querySelector('rect').setAttribute('height', 20);
      text.setAttribute('x', x + 6);
      text.setAttribute('y', y + 14);
    });
    document.querySelectorAll('#map .prop').forEach(function (p) {
      p.setAttribute('opacity', spanAt('props', t) ? '1' : '0.25');
    });
    document.getElementById('tent-mark').setAttribute('opacity', spanAt('tent', t) ? '1' : '0.25');

    document.querySelectorAll('#tasks li').forEach(function (li) {
      li.textContent = spanAt('task:' + li.getAttribute('data-name'), t) || '';
      li.hidden = !li.textContent;
    });
    setText('objective', spanAt('objective', t));
    setText('stall', spanAt('stall', t));
    setText('prompts', spanAt('prompts', t));
    setText('held', spanAt('held', t));
    setText('blip', spanAt('blip', t));

    var lo = 0, hi = lineMs.length - 1, found = -1;
    while (lo <= hi) {
      var mid = (lo + hi) >> 1;
      if (lineMs[mid] <= t) { found = mid; lo = mid + 1; } else { hi = mid - 1; }
    }
    var line = found >= 0 ? lines[found] : null;
    if (line !== current) {
      if (current) current.classList.remove('current');
      current = line;
      if (line) {
        line.classList.add('current');
        var list = document.getElementById('timeline');
        list.scrollTop = line.offsetTop - list.clientHeight / 2;
      }
    }
    slider.value = t;
    clock.textContent = clockText(t) + ' of ' + clockText(run.lengthMs);
    root.setAttribute('data-t', String(t));
  }

  function locate() {
    markers.forEach(function (m) {
      m.groups.forEach(function (g) {
        if (g.style.display === 'none') return;
        var r = g.lastChild.getBoundingClientRect();
        g.setAttribute('data-px', (r.left + r.width / 2 + window.scrollX).toFixed(0));
        g.setAttribute('data-py', (r.top + r.height / 2 + window.scrollY).toFixed(0));
      });
    });
  }

  function seek(ms, share) {
    t = Math.min(Math.max(ms, 0), run.lengthMs);
    draw();
    if (!share) return;
    var address = '#t=' + (t / 1000).toFixed(1);
    try {
      history.replaceState(null, '', address);
    } catch (e) {  // a browser that keeps pages from disk from rewriting their address
      sharing = address;
      location.hash = address;
    }
  }

  function step(direction) {
    var target = null;
    if (direction > 0) {
      for (var i = 0; i < moments.length; ++i) if (moments[i] > t) { target = moments[i]; break; }
    } else {
      for (var j = moments.length - 1; j >= 0; --j) if (moments[j] < t) { target = moments[j]; break; }
    }
    if (target !== null) seek(target, true);
  }

  // Timers rather than animation frames, so that playing goes on in a page not on screen.
  var last = null;
  function tick() {
    if (!playing) return;
    var now = performance.now();
    if (last !== null) seek(t + (now - last) * speed, false);
    last = now;
    if (t >= run.lengthMs) return setPlaying(false);
    setTimeout(tick, 30);
  }

  function setPlaying(on) {
    playing = on;
    last = null;
    document.getElementById('play').textContent = on ? 'Pause' : 'Play';
    if (on) {
      if (t >= run.lengthMs) t = 0;
      tick();
    } else {
      seek(t, true);
    }
  }

  document.getElementById('play').addEventListener('click', function () { setPlaying(!playing); });
  document.querySelectorAll('[data-speed]').forEach(function (b) {
    b.addEventListener('click', function () {
      speed = parseFloat(b.getAttribute('data-speed'));
      document.querySelectorAll('[data-speed]').forEach(function (o) {
        o.classList.toggle('active', o === b);
      });
    });
  });
  document.getElementById('prev').addEventListener('click', function () { step(-1); });
  document.getElementById('next').addEventListener('click', function () { step(1); });
  slider.max = run.lengthMs;
  slider.addEventListener('input', function () { seek(parseFloat(slider.value), false); });
  slider.addEventListener('change', function () { seek(parseFloat(slider.value), true); });
  lines.forEach(function (li, i) {
    li.addEventListener('click', function () { seek(lineMs[i], true); });
  });
  document.addEventListener('keydown', function (e) {
    if (e.target && e.target.tagName === 'INPUT' && e.target.type !== 'range') return;
    if (e.key === ' ') setPlaying(!playing);
    else if (e.key === 'ArrowRight') step(1);
    else if (e.key === 'ArrowLeft') step(-1);
    else if (e.key === 'ArrowUp') seek(t + 1000, true);
    else if (e.key === 'ArrowDown') seek(t - 1000, true);
    else return;
    e.preventDefault();
  });

  function fromAddress() {
    var m = /(?:^#|&)t=([0-9.]+)/.exec(location.hash);
    seek(m ? Math.round(parseFloat(m[1]) * 1000) : 0, false);
    locate();
  }
  window.addEventListener('hashchange', function () {
    if (location.hash !== sharing) fromAddress();
    sharing = null;
  });
  fromAddress();
  root.setAttribute('data-drawn-ms', performance.now().toFixed(0));
})();
