// What a person sees of a page (the replay page or the playground) in a window of its size,
// with nothing scrolled: no sideways scroll; the map, the side panel, every prompt button,
// the help and the timeline's newest (or current) line inside the window, none of them cut.
// The faults seen, one line each.
(function () {
  var faults = [];
  var W = window.innerWidth, H = window.innerHeight;
  var page = document.documentElement;
  if (page.scrollWidth > W) faults.push('the page is ' + page.scrollWidth + ' px wide');
  function seen(e, what) {
    if (!e) return faults.push(what + ' is missing');
    var r = e.getBoundingClientRect();
    if (r.width < 1 || r.height < 1 || r.left < 0 || r.top < 0 || r.right > W + 0.5 ||
        r.bottom > H + 0.5) {
      faults.push(what + ' is not in the window: ' +
                  [r.left, r.top, r.right, r.bottom].map(Math.round).join(','));
    }
    if (e.scrollWidth > e.clientWidth + 1) faults.push(what + ' is cut');
  }
  seen(document.querySelector('#map svg'), 'the map');
  seen(document.getElementById('side'), 'the side panel');
  seen(document.querySelector('#controls'), 'the controls');
  seen(document.querySelector('.help, .keys'), 'the help');
  var buttons = document.querySelectorAll('#prompt-buttons button');
  buttons.forEach(function (b) { seen(b, 'the button "' + b.textContent + '"'); });
  var list = document.getElementById('timeline');
  var items = list.querySelectorAll('li');
  var newest = list.querySelector('li.current') || items[items.length - 1];
  seen(newest, 'the newest timeline line');
  if (newest) {
    var r = newest.getBoundingClientRect(), box = list.getBoundingClientRect();
    if (r.top < box.top - 0.5 || r.bottom > box.bottom + 0.5) {
      faults.push('the newest timeline line is scrolled out of the timeline');
    }
  }
  items.forEach(function (li) {
    if (li.scrollWidth > li.clientWidth + 1) faults.push('a cut timeline line: ' + li.textContent);
  });
  return { faults: faults, buttons: buttons.length, lines: items.length };
})()
