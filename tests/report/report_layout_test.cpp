// The report page's layout in a real browser, at every event of a run: nothing the page draws
// leaves its panel or covers a name, a long name is never cut, a player beyond the camp is
// pointed to, and the address's moment is read as a number or refused.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "campsim/campsim_run.h"
#include "report/chromium.h"

namespace {

// Added to a copy of the page: steps through every event of the run as the right arrow does
// and notes, on the page's root, every fault seen (as "at MS: what").
constexpr const char* kLayoutChecker = R"js(<script>
(function () {
  var root = document.documentElement, faults = [], moments = 0;
  function box(e) { var b = e.getBBox(); return { x: b.x, y: b.y, w: b.width, h: b.height }; }
  function hit(a, b) {  // more than a pixel's overlap
    return a.x + 1 < b.x + b.w && b.x + 1 < a.x + a.w && a.y + 1 < b.y + b.h && b.y + 1 < a.y + a.h;
  }
  function near(a, b) {  // less than a pixel apart
    return a.x - 1 < b.x + b.w && b.x - 1 < a.x + a.w && a.y - 1 < b.y + b.h && b.y - 1 < a.y + a.h;
  }
  function inside(a, p) { return a.x >= p.x && a.y >= p.y && a.x + a.w <= p.x + p.w && a.y + a.h <= p.y + p.h; }
  function fault(what) { if (faults.length < 12) faults.push('at ' + root.getAttribute('data-t') + ': ' + what); }
  function panel(id) {
    var g = document.getElementById(id), n = function (a) { return parseFloat(g.getAttribute(a)); };
    return { x: n('data-left'), y: n('data-top'), w: n('data-width'), h: n('data-height'),
             scale: n('data-scale'), minX: n('data-min-x'), maxY: n('data-max-y') };
  }
  var camp = panel('camp-live');
  // The map's fixed words (not the bubbles', the arrow's or a hidden one's) overlap no other.
  var labels = Array.prototype.slice.call(document.querySelectorAll('#map svg text')).filter(function (e) {
    return !e.closest('#bubbles, #away, .marker') && e.getAttribute('visibility') !== 'hidden';
  }).map(function (e) { return { e: e, b: box(e) }; });
  labels.forEach(function (a, i) {
    labels.slice(i + 1).forEach(function (b) {
      if (hit(a.b, b.b)) fault('"' + a.e.textContent + '" and "' + b.e.textContent + '" overlap');
    });
  });
  // In the camp a label keeps a pixel clear of every other label and every mark.
  var clip = document.querySelector('g[clip-path="url(#camp)"]');
  var marks = Array.prototype.slice.call(clip.querySelectorAll(':scope > circle, :scope > rect, :scope > polygon, :scope > text'))
      .map(function (e) { return { e: e, b: box(e) }; })
      .filter(function (m) { return m.b.w < 30 || m.e.tagName === 'text'; });
  marks.forEach(function (t) {
    if (t.e.tagName !== 'text') return;
    marks.forEach(function (m) {
      if (m !== t && near(t.b, m.b)) fault('"' + t.e.textContent + '" touches a ' + m.e.tagName + ' (' + (m.e.textContent || m.e.getAttribute('fill')) + ')');
    });
  });
  document.querySelectorAll('#timeline li').forEach(function (li) {
    if (li.scrollWidth > li.clientWidth + 1) fault('a cut timeline line: ' + li.textContent);
  });
  function check() {
    ++moments;
    var bubbles = [];
    document.querySelectorAll('g.bubble').forEach(function (g) {
      if (g.style.display === 'none') return;
      var b = box(g.querySelector('rect')), who = g.getAttribute('data-name');
      if (!inside(b, camp)) fault(who + "'s bubble leaves the camp panel");
      labels.forEach(function (l) { if (hit(b, l.b)) fault(who + "'s bubble covers " + l.e.textContent); });
      bubbles.forEach(function (o) { if (hit(b, o)) fault(who + "'s bubble covers another"); });
      bubbles.push(b);
    });
    document.querySelectorAll('.state').forEach(function (p) {
      if (!p.hidden && p.scrollWidth > p.clientWidth + 1) fault('#' + p.id + ' is cut: ' + p.textContent);
    });
    // Each companion on the camp is named beside its dot, and no dot hides another.
    var dots = [];
    document.querySelectorAll('#camp-live g.marker[data-present="1"]').forEach(function (g) {
      var who = g.getAttribute('data-name');
      if (who === 'wagon' || who === 'player') return;
      if (g.querySelector('.who').textContent !== who) fault(who + "'s dot is not named");
      var r = g.lastChild.getBoundingClientRect(), at = [r.left + r.width / 2, r.top + r.height / 2];
      dots.forEach(function (d) { if (Math.hypot(d[0] - at[0], d[1] - at[1]) < 8) fault(who + "'s dot hides under " + d[2] + "'s"); });
      dots.push([at[0], at[1], who]);
    });
    var player = document.querySelector('g.marker[data-name="player"][data-panel="camp-live"]');
    var away = document.getElementById('away');
    if (player.getAttribute('data-present') !== '1') return;
    var x = parseFloat(player.getAttribute('data-x')), y = parseFloat(player.getAttribute('data-y'));
    var px = camp.x + (x - camp.minX) * camp.scale, py = camp.y + (camp.maxY - y) * camp.scale;
    var off = px < camp.x || py < camp.y || px > camp.x + camp.w || py > camp.y + camp.h;
    if (off !== (away.style.display !== 'none')) fault('the arrow to the player ' + (off ? 'is missing' : 'is shown in the camp'));
    if (!off) return;
    var arrow = box(away.querySelector('.arrow')), text = box(away.querySelector('text'));
    if (!inside(arrow, camp) || !inside(text, camp)) fault('the arrow to the player leaves the camp panel');
    labels.forEach(function (l) { if (hit(text, l.b)) fault('the distance to the player covers "' + l.e.textContent + '"'); });
    var ex = parseFloat(away.getAttribute('data-edge-x')), ey = parseFloat(away.getAttribute('data-edge-y'));
    var ax = ex - (arrow.x + arrow.w / 2), ay = ey - (arrow.y + arrow.h / 2);  // towards its tip
    var tx = px - ex, ty = py - ey;
    if (ax * tx + ay * ty <= 0) fault('the arrow points away from the player');
    var units = Math.hypot(tx, ty) / camp.scale, said = away.getAttribute('data-units');
    if (Math.abs(units - parseFloat(said)) > 1) fault('the arrow says ' + said + ' units, not ' + units.toFixed(0));
    if (away.querySelector('text').textContent.indexOf(said + ' units') < 0) fault('the arrow does not say how far');
  }
  check();
  for (var last = -1; root.getAttribute('data-t') !== String(last);) {
    last = root.getAttribute('data-t');
    document.dispatchEvent(new KeyboardEvent('keydown', {key: 'ArrowRight'}));
    check();
    document.dispatchEvent(new KeyboardEvent('keydown', {key: 'ArrowUp'}));  // a second on
    check();
    document.dispatchEvent(new KeyboardEvent('keydown', {key: 'ArrowDown'}));
  }
  root.setAttribute('data-faults', faults.join(' | '));
  root.setAttribute('data-moments', String(moments));
})();
</script></body>)js";

// The page of a run with `args`, with `script` added before its end; the page's DOM once the
// script has run.
std::string RunPage(const std::vector<std::string>& args, const std::string& name,
                    const std::string& script) {
  const std::string page = report_test::OwnPath(name + ".html");
  std::vector<std::string> all = args;
  all.insert(all.end(), {"--quiet", "--report", page});
  const auto run = campsim_test::RunCampsimWith(all);
  EXPECT_EQ(run.code, 0) << run.err;
  std::string html = campsim_test::ReadText(page);
  html.replace(html.rfind("</body>"), 7, script);
  const std::string copy = report_test::OwnPath(name + "-checked.html");
  campsim_test::WriteTemp(copy.substr(::testing::TempDir().size()), html);
  return report_test::DumpDom(copy, "");
}

report_test::Attributes Root(const std::string& dom) {
  const auto roots = report_test::Tags(dom, "<html");
  return roots.empty() ? report_test::Attributes{} : roots[0];
}

class ReportLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!report_test::OpensPages()) GTEST_SKIP() << "pages are opened by the dev build's tests";
    if (!report_test::HaveChromium()) GTEST_FAIL() << "chromium is needed: scripts/install-deps.sh";
  }
};

TEST_F(ReportLayout, AtEveryEventNothingLeavesItsPanelOrCoversAName) {
  const std::string examples = std::string(CAMPFIRE_SOURCE_DIR) + "/examples/";
  // Markup wherever a file's own text reaches the page: its name, a line, an asset's name.
  const std::string hostile = campsim_test::WriteTemp(
      "<img src=x onerror=alert(1)>.json",
      R"({"steps": [{"silent_line": "</script><img src=x onerror=alert(2)>"},
                    {"never_loads": "<img src=x onerror=alert(3)>"}, {"wait": 30000}]})");
  // Eight minutes in the camp: Charles works at his wood pile (E), beside Abe's home.
  const std::string at_work = campsim_test::WriteTemp(
      "at_work.json", R"({"start": [-1600.0, -1400.0, 82.0], "steps": [{"wait": 480000}]})");
  for (const auto& [name, args] : std::vector<std::pair<std::string, std::vector<std::string>>>{
           {"tour", {}},
           {"visit_charles", {examples + "visit_charles.json"}},
           {"reload_at_the_camp", {examples + "reload_at_the_camp.json"}},
           {"hostile", {hostile}},
           {"charles_at_work", {at_work}},
       }) {
    SCOPED_TRACE(name);
    const std::string dom = RunPage(args, name, kLayoutChecker);
    EXPECT_EQ(dom.find("<img"), std::string::npos) << "the file's text is shown as text";
    const auto root = Root(dom);
    EXPECT_EQ(root.at("data-errors"), "");
    EXPECT_EQ(root.at("data-faults"), "");
    EXPECT_GT(std::stoi(root.at("data-moments")), 10) << "the checker stepped through the run";
  }
}

// In the windows of a small laptop, the commonest laptop and a desktop, the whole page is
// seen at the run's end with nothing scrolled: the map, the panel, the controls and their
// keys, the current (last) timeline line, no line cut, no sideways scroll.
TEST_F(ReportLayout, FitsEachWindowWithNothingScrolled) {
  const std::string page = report_test::OwnPath("fits.html");
  const auto run = campsim_test::RunCampsimWith({"--quiet", "--report", page});
  ASSERT_EQ(run.code, 0) << run.err;
  std::string html = campsim_test::ReadText(page);
  const std::string fits =
      campsim_test::ReadText(std::string(CAMPFIRE_SOURCE_DIR) + "/tests/report/fits_check.js");
  html.replace(html.rfind("</body>"), 7,
               "<script>setTimeout(function () {"  // once the window has its size
               " document.documentElement.setAttribute('data-fits', JSON.stringify(" +
                   fits + ")); }, 500);</script></body>");
  const std::string copy = report_test::OwnPath("fits-checked.html");
  campsim_test::WriteTemp(copy.substr(::testing::TempDir().size()), html);
  for (const auto& screen : report_test::kScreens) {
    SCOPED_TRACE(screen.Name());
    const std::string out = report_test::OwnPath("fits-dom.html");
    ASSERT_EQ(report_test::RunChromium(
                  copy, "#t=1e9", "--dump-dom", out,
                  std::to_string(screen.width) + "," + std::to_string(screen.height)),
              0);
    const auto root = Root(campsim_test::ReadText(out));
    EXPECT_EQ(root.at("data-errors"), "");
    const auto seen = nlohmann::json::parse(root.at("data-fits"));
    EXPECT_EQ(seen["faults"], nlohmann::json::array());
    EXPECT_GT(seen["lines"].get<int>(), 100) << "the tour's timeline is on the page";
  }
}

// The moment in the address: any decimal number of seconds, kept within the run; anything
// else opens at the start and says so, the text shown as text.
TEST_F(ReportLayout, TheAddressGivesANumberOfSecondsOrOpensAtTheStartSayingSo) {
  struct Row {
    const char* fragment;
    const char* ms;  // "end" for the run's end
    const char* notice;
  };
  const std::vector<Row> rows = {
      {"#t=12.5", "12500", ""},
      {"#t=1.5e2", "150000", ""},
      {"#t=.5", "500", ""},
      {"#t=1e9", "end", "t=1e9 is past the run's end; shown at its end"},
      {"#t=-3", "0", "t=-3 is before the run; shown at its start"},
      {"#t=abc", "0", "t=abc is not a number of seconds; shown at the start"},
      {"#t=0x10", "0", "t=0x10 is not a number of seconds; shown at the start"},
      {"#t=<img src=x onerror=alert(1)>", "0",
       "t=<img src=x onerror=alert(1)> is not a number of seconds; shown at the start"},
      {"#other", "0", ""},
  };
  // Each row's fragment set in turn on one page, read back once the page has followed it.
  std::string cases;
  for (const Row& row : rows)
    cases += std::string(cases.empty() ? "" : ", ") + "'" + row.fragment + "'";
  const std::string script = R"(<script>
    (function () {
      var root = document.documentElement, rows = [)" +
                             cases + R"(], seen = [];
      function next() {
        if (seen.length === rows.length) {
          var pre = document.createElement('pre');
          pre.id = 'seen';
          pre.textContent = seen.join('\n');
          document.body.appendChild(pre);
          root.setAttribute('data-length', JSON.parse(document.getElementById('run-data').textContent).lengthMs);
          root.setAttribute('data-images', String(document.querySelectorAll('#side img').length));
          return;
        }
        location.hash = rows[seen.length];
        setTimeout(function () {
          var notice = document.getElementById('notice');
          seen.push(root.getAttribute('data-t') + ' ' + (notice.hidden ? '' : notice.textContent));
          next();
        }, 50);
      }
      next();
    })();
  </script></body>)";
  const std::string dom = RunPage({}, "address", script);
  const auto root = Root(dom);
  EXPECT_EQ(root.at("data-errors"), "");
  EXPECT_EQ(root.at("data-images"), "0") << "the address's text is shown as text";
  const std::string text = report_test::TextAfter(dom, "<pre id=\"seen\"", "</pre>");
  const auto seen = campsim_test::CampsimRun::Lines(text);
  ASSERT_EQ(seen.size(), rows.size()) << text;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string ms = std::string(rows[i].ms) == "end" ? root.at("data-length") : rows[i].ms;
    EXPECT_EQ(seen[i], ms + " " + rows[i].notice) << rows[i].fragment;
  }
}

}  // namespace
