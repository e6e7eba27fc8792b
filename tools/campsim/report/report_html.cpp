#include "tools/campsim/report/report_html.h"

#include <fmt/format.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "tools/campsim/camp/camp_tables.h"
#include "tools/campsim/camp/clock_text.h"
#include "tools/campsim/map/panels.h"
#include "tools/campsim/report/assets.h"

namespace campsim {

namespace {

// Positions to a hundredth of a unit, finer than the map's trails draw them.

}  // namespace

// Inside <script>, "</" would end the element early; JSON may write it "<\/".
std::string ScriptSafe(std::string text) {
  for (auto at = text.find("</"); at != std::string::npos; at = text.find("</", at + 3))
    text.replace(at, 2, "<\\/");
  return text;
}

namespace {

void TimelineList(std::string& html, const Replay& replay) {
  html += "<ol id=\"timeline\">\n";
  for (const TimelineEntry& line : replay.lines) {
    fmt::format_to(std::back_inserter(html), "<li data-ms=\"{}\"><time>{}</time>{}</li>\n", line.ms,
                   FormatClock(line.ms), Escape(line.text));
  }
  html += "</ol>\n";
}

void Summary(std::string& html, const std::vector<SummaryLine>& summary) {
  html += "<section id=\"summary\"><h2>Summary</h2><table>\n";
  for (const SummaryLine& line : summary) {
    fmt::format_to(std::back_inserter(html), "<tr><td>{}</td><td>{}</td></tr>\n",
                   Escape(line.label), Escape(line.text));
  }
  html += "</table></section>\n";
}

}  // namespace

void StatePanels(std::string& html) {
  html +=
      "<p id=\"notice\" class=\"state\" hidden></p>\n"
      "<p id=\"objective\" class=\"state\" hidden></p>\n"
      "<p id=\"stall\" class=\"state\" hidden></p>\n"
      "<p id=\"prompts\" class=\"state\" hidden></p>\n"
      "<p id=\"held\" class=\"state\" hidden></p>\n"
      "<p id=\"blip\" class=\"state\" hidden></p>\n<ul id=\"tasks\">";
  for (const CompanionInfo& c : kCompanions) {
    fmt::format_to(std::back_inserter(html), "<li data-name=\"{}\" hidden></li>", c.name);
  }
  html += "</ul>\n";
}

std::string ReplayJson(const Replay& replay) {
  nlohmann::json run;
  run["lengthMs"] = replay.lengthMs;
  run["frameMs"] = replay.frameMs;
  auto& tracks = run["tracks"] = nlohmann::json::array();
  for (const Track& track : replay.tracks) {
    const Style& style = StyleOf(track.name);
    nlohmann::json t{{"name", track.name}, {"colour", style.colour}, {"width", style.width}};
    if (*style.dash != '\0') t["dash"] = style.dash;
    auto& segments = t["segments"] = nlohmann::json::array();
    for (const auto& segment : track.segments) {
      nlohmann::json flat = nlohmann::json::array();
      for (const TrackPoint& p : segment) {
        flat.push_back(p.ms);
        flat.push_back(Hundredth(p.at.x));
        flat.push_back(Hundredth(p.at.y));
      }
      segments.push_back(std::move(flat));
    }
    tracks.push_back(std::move(t));
  }
  auto& channels = run["channels"] = nlohmann::json::object();
  for (const auto& [name, spans] : replay.channels) {
    auto& list = channels[name] = nlohmann::json::array();
    for (const Span& s : spans) list.push_back(nlohmann::json::array({s.fromMs, s.toMs, s.text}));
  }
  return run.dump();
}

void WriteReportHtml(std::ostream& out, const Replay& replay, const MapCaption& caption,
                     const std::vector<SummaryLine>& summary) {
  std::string html;
  html += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  fmt::format_to(std::back_inserter(html), "<title>Campfire: {}</title>\n<style>\n{}</style>\n",
                 Escape(caption.title), kReportStyle);
  html += "</head>\n<body>\n<div id=\"screen\">\n";
  fmt::format_to(std::back_inserter(html), "<h1>Campfire: {}</h1>\n", Escape(caption.title));
  html +=
      "<div id=\"controls\"><button id=\"play\">Play</button>"
      "<button data-speed=\"1\" class=\"active\">1x</button>"
      "<button data-speed=\"10\">10x</button><button data-speed=\"60\">60x</button>"
      "<button id=\"prev\">&#9664; event</button><button id=\"next\">event &#9654;</button>"
      "<input id=\"slider\" type=\"range\" min=\"0\" step=\"1\" value=\"0\">"
      "<span id=\"clock\"></span>"
      "<span class=\"keys\">space: play or pause; left and right: events; up and down: one "
      "second</span></div>\n";
  html += "<div id=\"main\">\n<div id=\"map\">\n";
  html += DrawMap(replay.Trails(), caption, MapLayers{.trails = false, .live = true});
  html += "</div>\n<div id=\"side\">\n";
  StatePanels(html);
  TimelineList(html, replay);
  html += "</div>\n</div>\n</div>\n";
  Summary(html, summary);
  html += "<script type=\"application/json\" id=\"run-data\">" + ScriptSafe(ReplayJson(replay)) +
          "</script>\n";
  fmt::format_to(std::back_inserter(html), "<script>\n{}</script>\n</body>\n</html>\n",
                 kReportScript);
  out << html;
}

}  // namespace campsim
