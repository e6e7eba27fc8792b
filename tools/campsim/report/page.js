// The report's player: draws the run at one moment from the page's run data. Every word it
// shows comes from the page (the timeline, the run data); this script only picks and places.
// The playground's page draws with it too: without the replay's controls, it grows the run
// data and the timeline as the live run goes (window.campfireReplay) and shows its latest moment.
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
      width: n('data-width'), height: n('data-height'),
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

  // The span [from, to, text] of a channel that holds at ms, if any.
  function spanOf(name, ms) {
    var spans = run.channels[name];
    if (!spans) return null;
    var lo = 0, hi = spans.length - 1, found = null;
    while (lo <= hi) {
      var mid = (lo + hi) >> 1;
      if (spans[mid][0] <= ms) { found = mid; lo = mid + 1; } else { hi = mid - 1; }
    }
    if (found === null) return null;
    var s = spans[found];
    return ms < s[1] && s[2] ? s : null;
  }
  function spanAt(name, ms) {
    var s = spanOf(name, ms);
    return s ? s[2] : null;
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
      // Who it is, beside the mark (the mark stays the group's last child: its centre is
      // where the marker is). The wagon, the one oblong, is named on the map already.
      make('text', { 'class': 'who', x: 10, y: -7, 'font-size': 10, 'font-weight': 'bold',
                     fill: track.colour, stroke: '#ffffff', 'stroke-width': 3,
                     'paint-order': 'stroke' }, g).textContent =
          track.name === 'wagon' ? '' : track.name;
      if (track.name === 'wagon') {
        make('rect', { x: -8, y: -5, width: 16, height: 10, rx: 2, fill: track.colour,
                       stroke: '#111111', 'stroke-width': 2 }, g);
      } else {
        make('circle', { r: track.name === 'player' ? 6 : 7, fill: track.colour,
                         stroke: track.name === 'player' ? '#ffffff' : '#111111',
                         'stroke-width': 2 }, g);
      }
      m.groups.push(g);
    });
    return m;
  });

  // Speech bubbles live inside the camp panel, clear of its names and of each other; one
  // with no such room folds to a small mark that holds its words as a tooltip.
  var bubbles = make('g', { id: 'bubbles' }, svg);
  var bubbleOf = {};
  var BUBBLE_WIDTH = 230, LINE_HEIGHT = 14, PAD = 6;
  function bubble(name) {
    if (!bubbleOf[name]) {
      var g = make('g', { 'class': 'bubble', 'data-name': name }, bubbles);
      make('line', { stroke: '#333333', 'stroke-width': 1 }, g);
      make('rect', { rx: 5, fill: '#fffbe6', 'fill-opacity': 0.92, stroke: '#333333',
                     'stroke-width': 1 }, g);
      make('text', { 'font-size': 11, fill: '#111111' }, g);
      make('title', {}, g);
      bubbleOf[name] = g;
    }
    return bubbleOf[name];
  }
  var measure = make('text', { 'font-size': 11, visibility: 'hidden' }, svg);
  function textWidth(text) {
    measure.textContent = text;
    return measure.getComputedTextLength();
  }
  // The words in lines no wider than the bubble; a word too long for one line is cut.
  function wrap(text) {
    var out = [], line = '';
    text.split(' ').forEach(function (word) {
      var next = line ? line + ' ' + word : word;
      if (textWidth(next) <= BUBBLE_WIDTH) { line = next; return; }
      if (line) out.push(line);
      line = word;
      while (textWidth(line) > BUBBLE_WIDTH) {
        var n = line.length - 1;
        while (n > 1 && textWidth(line.slice(0, n)) > BUBBLE_WIDTH) --n;
        out.push(line.slice(0, n));
        line = line.slice(n);
      }
    });
    if (line) out.push(line);
    return out;
  }
  function overlaps(a, b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
  }
  function inPanel(box) {
    return box.x >= camp.left + 2 && box.y >= camp.top + 2 &&
           box.x + box.w <= camp.left + camp.width - 2 && box.y + box.h <= camp.top + camp.height - 2;
  }
  // Every text in the camp panel (names, letters, numbers, the scale): a bubble leaves them be.
  var labelBoxes = [];
  document.querySelectorAll('#map svg text').forEach(function (e) {
    if (e === measure || e.closest('.marker')) return;
    var b = e.getBBox();
    var box = { x: b.x - 1, y: b.y - 1, w: b.width + 2, h: b.height + 2 };
    if (overlaps(box, { x: camp.left, y: camp.top, w: camp.width, h: camp.height })) {
      labelBoxes.push(box);
    }
  });
  // A place for a box of w by h near the point (px, py) that covers none of `taken`, nearest
  // first and above before below; null if there is none.
  function placeNear(px, py, w, h, taken) {
    var angles = [-90, -60, -120, -30, -150, 0, 180, 30, 150, 60, 120, 90];
    for (var r = 10; r <= 250; r += r < 40 ? 15 : 35) {
      for (var k = 0; k < angles.length; ++k) {
        var a = angles[k] * Math.PI / 180;
        var box = { x: px + Math.cos(a) * (r + w / 2) - w / 2,
                    y: py + Math.sin(a) * (r + h / 2) - h / 2, w: w, h: h };
        if (!inPanel(box)) continue;
        if (!taken.some(function (o) { return overlaps(box, o); })) return box;
      }
    }
    return null;
  }
  function showBubble(b, said, px, py, taken) {
    var text = b.querySelector('text');
    var lines = wrap(said);
    var w = BUBBLE_WIDTH + 2 * PAD, h = lines.length * LINE_HEIGHT + 6;
    w = Math.min(w, Math.max.apply(null, lines.map(textWidth)) + 2 * PAD);
    var box = placeNear(px, py, w, h, taken);
    var folded = !box;
    if (folded) {  // a small mark instead, its words on hover
      lines = ['\u2026'];
      w = 18; h = 16;
      box = placeNear(px, py, w, h, taken) || { x: px + 6, y: py - 22, w: w, h: h };
    }
    b.setAttribute('data-folded', folded ? '1' : '0');
    b.querySelector('title').textContent = folded ? said : '';
    while (text.firstChild) text.removeChild(text.firstChild);
    lines.forEach(function (l, i) {
      make('tspan', { x: box.x + PAD, y: box.y + 14 + i * LINE_HEIGHT }, text).textContent = l;
    });
    if (folded) text.firstChild.setAttribute('x', box.x + 4);
    var rect = b.querySelector('rect');
    rect.setAttribute('x', box.x);
    rect.setAttribute('y', box.y);
    rect.setAttribute('width', box.w);
    rect.setAttribute('height', box.h);
    var tail = b.querySelector('line');
    tail.setAttribute('x1', px);
    tail.setAttribute('y1', py);
    tail.setAttribute('x2', Math.min(Math.max(px, box.x + 4), box.x + box.w - 4));
    tail.setAttribute('y2', Math.min(Math.max(py, box.y + 2), box.y + box.h - 2));
    b.setAttribute('data-box', [box.x, box.y, box.w, box.h].map(function (v) {
      return v.toFixed(1);
    }).join(' '));
    taken.push(box);
  }

  // A player beyond the camp panel: an arrow at its edge, pointing the way, with how far.
  var away = make('g', { id: 'away', 'data-name': 'player' }, svg);
  var arrow = make('polygon', { points: '0,-9 16,0 0,9', fill: '#1b1b1b', stroke: '#ffffff',
                                'stroke-width': 1.5 }, make('g', { 'class': 'arrow' }, away));
  var awayText = make('text', { 'font-size': 11, fill: '#1b1b1b', stroke: '#ffffff',
                                'stroke-width': 3, 'paint-order': 'stroke' }, away);
  function showAway(at) {
    var px = camp.X(at.x), py = camp.Y(at.y);
    var inset = 12;
    var l = camp.left + inset, r = camp.left + camp.width - inset;
    var tp = camp.top + inset, bt = camp.top + camp.height - inset;
    var off = px < l || px > r || py < tp || py > bt;
    away.style.display = off ? '' : 'none';
    away.setAttribute('data-shown', off ? '1' : '0');
    if (!off) return;
    // From the panel's centre towards the player, stopped at the edge.
    var cx = camp.left + camp.width / 2, cy = camp.top + camp.height / 2;
    var dx = px - cx, dy = py - cy;
    var f = Math.min(dx ? (dx > 0 ? r - cx : l - cx) / dx : Infinity,
                     dy ? (dy > 0 ? bt - cy : tp - cy) / dy : Infinity);
    var ex = cx + dx * f, ey = cy + dy * f;
    var angle = Math.atan2(dy, dx) * 180 / Math.PI;
    var ux = camp.minX + (ex - camp.left) / camp.scale, uy = camp.maxY - (ey - camp.top) / camp.scale;
    var units = Math.round(Math.hypot(at.x - ux, at.y - uy));
    arrow.setAttribute('transform', 'translate(' + ex.toFixed(1) + ',' +
        ey.toFixed(1) + ') rotate(' + angle.toFixed(1) + ') translate(-16,0)');
    awayText.textContent = 'player, ' + units + ' units away';
    // The words a little inward from the arrow, inside the panel, on no name or number of
    // the map: the nearest such place, along the edge and inward.
    var tw = awayText.getComputedTextLength();
    var len = Math.hypot(dx, dy);
    var ix = dx / len, iy = dy / len;  // outward; along the edge is (-iy, ix)
    var best = null;
    [30, 48, 66, 84].some(function (inward) {
      return [0, 40, -40, 80, -80, 120, -120].some(function (along) {
        var tx = ex - ix * inward - iy * along - tw / 2, ty = ey - iy * inward + ix * along + 4;
        tx = Math.min(Math.max(tx, camp.left + 4), camp.left + camp.width - tw - 4);
        ty = Math.min(Math.max(ty, camp.top + 14), camp.top + camp.height - 6);
        var box = { x: tx - 1, y: ty - 11, w: tw + 2, h: 14 };
        if (!best) best = box;
        if (labelBoxes.some(function (l) { return overlaps(box, l); })) return false;
        best = box;
        return true;
      });
    });
    awayText.setAttribute('x', (best.x + 1).toFixed(1));
    awayText.setAttribute('y', (best.y + 11).toFixed(1));
    away.setAttribute('data-edge-x', ex.toFixed(1));
    away.setAttribute('data-edge-y', ey.toFixed(1));
    away.setAttribute('data-units', String(units));
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

  // The whole text also on hover, for a pill too narrow to wrap a long name well.
  function setText(id, text) {
    var e = document.getElementById(id);
    e.textContent = text || '';
    e.title = text || '';
    e.hidden = !text;
  }

  // Where a marker is drawn in its panel: at its place, or moved a little aside from a marker
  // drawn before it there (Charles and Abe at the same spot), so that neither hides the other.
  var NUDGES = [[0, 0], [16, 0], [-16, 0], [0, 16], [0, -16], [16, 16], [-16, -16]];
  function drawnAt(view, at, drawn) {
    var px = view.X(at.x), py = view.Y(at.y);
    for (var k = 0; k < NUDGES.length; ++k) {
      var x = px + NUDGES[k][0], y = py + NUDGES[k][1];
      if (!drawn.some(function (d) { return Math.hypot(d[0] - x, d[1] - y) < 14; })) {
        drawn.push([x, y]);
        return [x, y, NUDGES[k][0], NUDGES[k][1]];
      }
    }
    drawn.push([px, py]);
    return [px, py, 0, 0];
  }

  function draw() {
    var speaking = [];
    var drawn = {};
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
        // The player and the wagon are drawn where they are; a companion steps aside from a
        // companion drawn before.
        var fixed = m.track.name === 'wagon' || m.track.name === 'player';
        var p = fixed ? [view.X(at.x), view.Y(at.y), 0, 0]
                      : drawnAt(view, at, drawn[view.g.id] || (drawn[view.g.id] = []));
        if (k === 0) m.px = p;
        g.setAttribute('transform', 'translate(' + p[0].toFixed(2) + ',' + p[1].toFixed(2) + ')');
        g.setAttribute('data-nudge', p[2] + ',' + p[3]);
        g.setAttribute('data-x', at.x.toFixed(2));
        g.setAttribute('data-y', at.y.toFixed(2));
      });
      if (m.track.name === 'player') {
        if (at) showAway(at); else away.style.display = 'none';
      }
      if (m.track.name === 'wagon') return;
      var speech = at ? spanOf('speech:' + m.track.name, t) : null;
      if (speech) speaking.push({ m: m, at: at, span: speech });
      var b = bubble(m.track.name);
      b.style.display = speech ? '' : 'none';
      b.setAttribute('data-text', speech ? speech[2] : '');
    });
    // The newest line is placed first, so that it is the last to fold.
    var taken = labelBoxes.slice();
    markers.forEach(function (m) {
      var g = m.groups[0];
      if (g.style.display === 'none') return;
      taken.push({ x: m.px[0] - 9, y: m.px[1] - 9, w: 18, h: 18 });
      var who = g.querySelector('.who').getBBox();
      taken.push({ x: m.px[0] + who.x, y: m.px[1] + who.y, w: who.width, h: who.height });
    });
    speaking.sort(function (a, b) { return b.span[0] - a.span[0]; });
    speaking.forEach(function (s) {
      showBubble(bubble(s.m.track.name), s.span[2], s.m.px[0], s.m.px[1], taken);
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
      if (line) line.classList.add('current');
      showCurrent();
    }
    if (slider) slider.value = t;
    if (clock) clock.textContent = clockText(t) + ' of ' + clockText(run.lengthMs);
    root.setAttribute('data-t', String(t));
  }

  // The current line in the middle of the timeline; again whenever the timeline changes
  // size (the window does, or a panel above it shows or hides).
  function showCurrent() {
    if (!current) return;
    var list = document.getElementById('timeline');
    list.scrollTop = current.offsetTop - list.clientHeight / 2;
  }
  if (window.ResizeObserver) new ResizeObserver(showCurrent).observe(document.getElementById('timeline'));
  else window.addEventListener('resize', showCurrent);

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

  // A line added to the timeline at `index`, as the live run tells it.
  function addLine(index, ms, text) {
    var li = document.createElement('li');
    li.setAttribute('data-ms', String(ms));
    li.appendChild(document.createElement('time')).textContent = clockText(ms);
    li.appendChild(document.createTextNode(text));
    var list = document.getElementById('timeline');
    list.insertBefore(li, index < lines.length ? lines[index] : null);
    lines.splice(index, 0, li);
    lineMs.splice(index, 0, ms);
  }
  window.campfireReplay = {
    run: run, seek: seek, addLine: addLine, clockText: clockText, locate: locate,
    views: { camp: camp, route: route }
  };
  if (!document.getElementById('play')) return;

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

  // "#t=75.3": seconds into the run, a decimal number (1.5e2 too), kept within the run.
  // Anything else opens at the start and says so.
  function fromAddress() {
    var m = /(?:^#|&)t=([^&]*)/.exec(location.hash);
    var ms = 0, note = '';
    if (m) {
      var text = m[1];
      try { text = decodeURIComponent(text); } catch (e) { /* shown as written */ }
      var shown = text.length > 40 ? text.slice(0, 40) + '\u2026' : text;
      if (/^[+-]?([0-9]+[.]?[0-9]*|[.][0-9]+)([eE][+-]?[0-9]+)?$/.test(text)) {
        ms = Number(text) * 1000;
        if (ms > run.lengthMs) note = 't=' + shown + ' is past the run\'s end; shown at its end';
        if (ms < 0) note = 't=' + shown + ' is before the run; shown at its start';
        ms = Math.round(Math.min(Math.max(ms, 0), run.lengthMs));
      } else {
        note = 't=' + shown + ' is not a number of seconds; shown at the start';
      }
    }
    seek(ms, false);
    setText('notice', note);
    showCurrent();  // the notice took room from the timeline
    locate();
  }
  window.addEventListener('hashchange', function () {
    if (location.hash !== sharing) fromAddress();
    sharing = null;
  });
  fromAddress();
  root.setAttribute('data-drawn-ms', performance.now().toFixed(0));
})();
