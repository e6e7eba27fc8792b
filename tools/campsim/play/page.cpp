#include "tools/campsim/play/page.h"

#include <fmt/format.h>

#include "tools/campsim/map/panels.h"
#include "tools/campsim/report/assets.h"
#include "tools/campsim/report/replay.h"
#include "tools/campsim/report/report_html.h"
#include "tools/campsim/run/camp_tour.h"

namespace campsim {

namespace {

constexpr const char* kControls =
    "<div id=\"controls\">"
    "<button data-live-speed=\"0\">Pause</button><button data-live-speed=\"1\">1x</button>"
    "<button data-live-speed=\"10\">10x</button><button data-live-speed=\"60\">60x</button>"
    "<span id=\"live-clock\"></span>"
    "<label><input type=\"checkbox\" id=\"ride\"> ride</label>"
    "<button id=\"lock\">Lock on (L)</button><button id=\"unlock\">Let go (Esc)</button>"
    "<button id=\"board\">Board the wagon (B)</button><button id=\"leave\">Get out (X)</button>"
    "<button id=\"reload\">Reload the game (R)</button>"
    "<label><input type=\"checkbox\" id=\"reload-at\"> reload at the next click</label>"
    "<button id=\"restart\">Restart scripts</button>"
    "<button id=\"save\">Save as scenario</button></div>\n";

constexpr const char* kHelp =
    "<p class=\"help\">Click the map: the player walks there (ride ticked, or Shift held: "
    "rides). Arrow keys or WASD: a few steps. Click a companion, or L for the nearest within "
    "30 units: lock on; Esc lets go. Hold a prompt's button, or its number key, for as long "
    "as the prompt is to be held. B boards the wagon from within 5 units of it, X gets out, R "
    "reloads the game where the player stands. "
    "Space pauses and goes on. Save as scenario downloads what was played as a scenario "
    "file, which <code>campsim FILE</code> replays.</p>\n";

}  // namespace

std::string PlayPageHtml(const std::string& name, std::int32_t frameMs) {
  // The playground takes a file's world and start, never its steps, nor the tour's.
  const std::string title = name == kCampTourName ? "the camp, from the tour's start" : name;
  ReplayRecorder empty(nullptr);
  Replay start = empty.Current();
  start.frameMs = frameMs;
  std::string html;
  html += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  fmt::format_to(std::back_inserter(html),
                 "<title>Campfire playground: {}</title>\n<style>\n{}{}</style>\n", Escape(title),
                 kReportStyle, kPlayStyle);
  html += "</head>\n<body>\n<div id=\"screen\">\n";
  fmt::format_to(std::back_inserter(html), "<h1>Campfire playground: {}</h1>\n", Escape(title));
  html += kControls;
  html += "<div id=\"main\">\n<div id=\"map\">\n";
  html += DrawMap({}, MapCaption{title, 0}, MapLayers{.trails = false, .live = true});
  html += "</div>\n<div id=\"side\">\n";
  html +=
      "<p id=\"refusal\" class=\"state\" hidden></p>\n"
      "<p id=\"stopped\" class=\"state\" hidden></p>\n"
      "<p id=\"playing\" class=\"state\" hidden></p>\n"
      "<div id=\"prompt-buttons\"></div>\n";
  StatePanels(html);
  html += "<ol id=\"timeline\">\n</ol>\n</div>\n</div>\n";
  html += kHelp;
  html += "</div>\n";
  html += "<script type=\"application/json\" id=\"run-data\">" + ScriptSafe(ReplayJson(start)) +
          "</script>\n";
  fmt::format_to(std::back_inserter(html), "<script>\n{}</script>\n<script>\n{}</script>\n",
                 kReportScript, kPlayScript);
  html += "</body>\n</html>\n";
  return html;
}

}  // namespace campsim
