#include "tools/campsim/map_svg.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <iterator>

#include "sim/scenario/camp_places.h"
#include "tools/campsim/camp_tables.h"
#include "tools/campsim/clock_text.h"

namespace campsim {

namespace {

constexpr double kWidth = 1000.0;
constexpr double kHeight = 860.0;
constexpr double kMargin = 20.0;
constexpr double kTop = 60.0;
constexpr double kCampMaxWidth = 520.0;
constexpr double kCampMaxHeight = 780.0;
constexpr double kCampPadding = 10.0;  // world units around the camp's places
constexpr double kLegendHeight = 300.0;
constexpr float kJump = 60.0f;  // farther than this between samples is a teleport
constexpr double kGrid = 25.0;

struct Style {
  const char* name;
  const char* colour;
  const char* dash;
  double width;
};

// clang-format off
constexpr Style kStyles[] = {
    {.name = "player",  .colour = "#1b1b1b", .dash = "5 3", .width = 2.0},
    {.name = "Charles", .colour = "#1f77b4", .dash = "",    .width = 1.8},
    {.name = "Sadie",   .colour = "#d62728", .dash = "",    .width = 1.8},
    {.name = "Karen",   .colour = "#2ca02c", .dash = "",    .width = 1.8},
    {.name = "Abe",     .colour = "#e67e00", .dash = "",    .width = 1.8},
    {.name = "wagon",   .colour = "#8c564b", .dash = "",    .width = 3.0},
};
// clang-format on
constexpr const char* kRemarkColour = "#8e44ad";
constexpr const char* kPropColour = "#6b4f2a";
constexpr const char* kTentColour = "#2e5e3e";

const Style& StyleOf(std::string_view name) {
  for (const Style& s : kStyles) {
    if (name == s.name) return s;
  }
  return kStyles[0];
}

std::string Escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

struct Bounds {
  double minX = 1e30, maxX = -1e30, minY = 1e30, maxY = -1e30;
  void Add(sim::Vec3 p) {
    minX = std::min(minX, static_cast<double>(p.x));
    maxX = std::max(maxX, static_cast<double>(p.x));
    minY = std::min(minY, static_cast<double>(p.y));
    maxY = std::max(maxY, static_cast<double>(p.y));
  }
  void Grow(double by) {
    minX -= by;
    maxX += by;
    minY -= by;
    maxY += by;
  }
  double Width() const { return maxX - minX; }
  double Height() const { return maxY - minY; }
};

// World to picture: x to the right, north (+y) up, the same scale both ways.
struct View {
  Bounds world;
  double left, top, scale;
  double X(double x) const { return left + (x - world.minX) * scale; }
  double Y(double y) const { return top + (world.maxY - y) * scale; }
  double PixelWidth() const { return world.Width() * scale; }
  double PixelHeight() const { return world.Height() * scale; }
};

View Fit(const Bounds& b, double left, double top, double maxWidth, double maxHeight) {
  const double scale = std::min(maxWidth / b.Width(), maxHeight / b.Height());
  return View{b, left, top, scale};
}

using Svg = std::string;

template <class... Args>
void Put(Svg& svg, fmt::format_string<Args...> format, Args&&... args) {
  fmt::format_to(std::back_inserter(svg), format, std::forward<Args>(args)...);
}

void Text(Svg& svg, double x, double y, std::string_view text, double size, const char* fill,
          const char* extra = "") {
  Put(svg, "<text x=\"{:.1f}\" y=\"{:.1f}\" font-size=\"{:.0f}\" fill=\"{}\"{}>{}</text>\n", x, y,
      size, fill, extra, Escape(text));
}

void Polyline(Svg& svg, const View& v, const std::vector<sim::Vec3>& points, const Style& s,
              double width, double opacity) {
  if (points.size() < 2) {
    if (points.size() == 1) {
      Put(svg, "<circle cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"{:.1f}\" fill=\"{}\"/>\n", v.X(points[0].x),
          v.Y(points[0].y), width, s.colour);
    }
    return;
  }
  Put(svg,
      "<polyline fill=\"none\" stroke=\"{}\" stroke-width=\"{:.1f}\" stroke-opacity=\"{:.2f}\" "
      "stroke-linejoin=\"round\"{} points=\"",
      s.colour, width, opacity,
      *s.dash != '\0' ? fmt::format(" stroke-dasharray=\"{}\"", s.dash) : std::string());
  for (const sim::Vec3& p : points) Put(svg, "{:.1f},{:.1f} ", v.X(p.x), v.Y(p.y));
  svg += "\"/>\n";
}

void Grid(Svg& svg, const View& v) {
  const double first = std::ceil(v.world.minX / kGrid) * kGrid;
  for (double x = first; x <= v.world.maxX; x += kGrid) {
    Put(svg,
        "<line x1=\"{0:.1f}\" y1=\"{1:.1f}\" x2=\"{0:.1f}\" y2=\"{2:.1f}\" stroke=\"#ddd6c1\"/>\n",
        v.X(x), v.top, v.top + v.PixelHeight());
  }
  for (double y = std::ceil(v.world.minY / kGrid) * kGrid; y <= v.world.maxY; y += kGrid) {
    Put(svg,
        "<line x1=\"{0:.1f}\" y1=\"{1:.1f}\" x2=\"{2:.1f}\" y2=\"{1:.1f}\" stroke=\"#ddd6c1\"/>\n",
        v.left, v.Y(y), v.left + v.PixelWidth());
  }
}

void CampPlaces(Svg& svg, const View& v) {
  for (const PropSpot& prop : kProps) {
    Put(svg, "<rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"4\" height=\"4\" fill=\"{}\"/>\n",
        v.X(prop.at.x) - 2, v.Y(prop.at.y) - 2, kPropColour);
  }
  for (std::size_t i = 0; i < kRemarkSpots.size(); ++i) {
    const sim::Vec3 at = kRemarkSpots[i].at;
    // The square the player must stand in: 2 units each way.
    const double side = std::max(4.0 * v.scale, 5.0);
    Put(svg,
        "<rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"{:.1f}\" height=\"{:.1f}\" fill=\"{}\" "
        "fill-opacity=\"0.25\" stroke=\"{}\"><title>{}</title></rect>\n",
        v.X(at.x) - side / 2, v.Y(at.y) - side / 2, side, side, kRemarkColour, kRemarkColour,
        Escape(kRemarkSpots[i].line));
    Text(svg, v.X(at.x) - side / 2 - 1, v.Y(at.y) + side / 2 + 9, fmt::format("{}", i + 1), 9,
         kRemarkColour);
  }
  for (const RoutineSpot& spot : kRoutineSpots) {
    if (std::string_view(spot.label) == "home") continue;
    const Style& s = StyleOf(spot.companion);
    Put(svg,
        "<circle cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"3.5\" fill=\"#ffffff\" stroke=\"{}\" "
        "stroke-width=\"1.5\"/>\n",
        v.X(spot.at.x), v.Y(spot.at.y), s.colour);
    Text(svg, v.X(spot.at.x) + 4, v.Y(spot.at.y) - 4, spot.label, 9, s.colour);
  }
  const sim::Vec3 tent = sim::places::kTentCentre;
  Put(svg, "<polygon points=\"{:.1f},{:.1f} {:.1f},{:.1f} {:.1f},{:.1f}\" fill=\"{}\"/>\n",
      v.X(tent.x), v.Y(tent.y) - 7, v.X(tent.x) - 7, v.Y(tent.y) + 5, v.X(tent.x) + 7,
      v.Y(tent.y) + 5, kTentColour);
  Text(svg, v.X(tent.x) + 9, v.Y(tent.y) + 4, "tent centre", 11, kTentColour);
  const sim::Vec3 wagon = sim::places::kWagonSpot;
  Put(svg, "<rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"14\" height=\"8\" rx=\"2\" fill=\"{}\"/>\n",
      v.X(wagon.x) - 7, v.Y(wagon.y) - 4, StyleOf("wagon").colour);
  Text(svg, v.X(wagon.x) + 9, v.Y(wagon.y) + 4, "wagon", 11, StyleOf("wagon").colour);
}

void Homes(Svg& svg, const View& v) {
  for (const CompanionInfo& c : kCompanions) {
    const Style& s = StyleOf(c.name);
    Put(svg,
        "<circle cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"6\" fill=\"{}\" stroke=\"#ffffff\" "
        "stroke-width=\"1.5\"/>\n",
        v.X(c.home.x), v.Y(c.home.y), s.colour);
    Text(svg, v.X(c.home.x) + 8, v.Y(c.home.y) + 4, c.name, 12, s.colour,
         " font-weight=\"bold\" stroke=\"#ffffff\" stroke-width=\"3\" paint-order=\"stroke\"");
  }
}

void Trails(Svg& svg, const View& v, const std::vector<Trail>& trails, bool wide) {
  for (const Trail& t : trails) {
    const Style& s = StyleOf(t.name);
    for (const auto& segment : t.segments)
      Polyline(svg, v, segment, s, s.width * (wide ? 1.0 : 0.7), 0.85);
  }
}

void CampPanel(Svg& svg, const View& v, const std::vector<Trail>& trails) {
  const double w = v.PixelWidth();
  const double h = v.PixelHeight();
  Put(svg,
      "<clipPath id=\"camp\"><rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"{:.1f}\" height=\"{:.1f}\"/>"
      "</clipPath>\n",
      v.left, v.top, w, h);
  Put(svg,
      "<rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"{:.1f}\" height=\"{:.1f}\" fill=\"#f4f0e3\"/>\n",
      v.left, v.top, w, h);
  svg += "<g clip-path=\"url(#camp)\">\n";
  Grid(svg, v);
  CampPlaces(svg, v);
  Trails(svg, v, trails, true);
  Homes(svg, v);
  svg += "</g>\n";
  Put(svg,
      "<rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"{:.1f}\" height=\"{:.1f}\" fill=\"none\" "
      "stroke=\"#555555\"/>\n",
      v.left, v.top, w, h);
  // Scale bar and north, bottom left.
  const double barY = v.top + h - 14;
  const double bar = 50.0 * v.scale;
  Put(svg,
      "<path d=\"M{0:.1f},{1:.1f} v6 h{2:.1f} v-6\" fill=\"none\" stroke=\"#333333\" "
      "stroke-width=\"1.5\"/>\n",
      v.left + 12, barY - 6, bar);
  Text(svg, v.left + 12, barY - 10, "50 units", 10, "#333333");
  Put(svg, "<path d=\"M{0:.1f},{1:.1f} l-6,14 h12 z\" fill=\"#333333\"/>\n", v.left + w - 20,
      v.top + 12);
  Text(svg, v.left + w - 24, v.top + 40, "N", 12, "#333333");
  Text(svg, v.left, v.top - 8,
       fmt::format("The camp, {:.0f} by {:.0f} units, grid every {:.0f}", v.world.Width(),
                   v.world.Height(), kGrid),
       12, "#333333");
}

void Legend(Svg& svg, double x, double y) {
  Text(svg, x, y, "Trails (every 0.5 s of game clock)", 13, "#222222", " font-weight=\"bold\"");
  y += 20;
  for (const Style& s : kStyles) {
    Put(svg,
        "<line x1=\"{:.1f}\" y1=\"{:.1f}\" x2=\"{:.1f}\" y2=\"{:.1f}\" stroke=\"{}\" "
        "stroke-width=\"{:.1f}\"{}/>\n",
        x, y - 4, x + 30, y - 4, s.colour, s.width,
        *s.dash != '\0' ? fmt::format(" stroke-dasharray=\"{}\"", s.dash) : std::string());
    Text(svg, x + 38, y, s.name, 12, "#222222");
    y += 18;
  }
  y += 8;
  Text(svg, x, y, "Places", 13, "#222222", " font-weight=\"bold\"");
  y += 20;
  Put(svg, "<circle cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"6\" fill=\"#1f77b4\"/>\n", x + 15, y - 4);
  Text(svg, x + 38, y, "a companion's home", 12, "#222222");
  y += 18;
  Put(svg,
      "<circle cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"3.5\" fill=\"#ffffff\" stroke=\"#1f77b4\" "
      "stroke-width=\"1.5\"/>\n",
      x + 15, y - 4);
  Text(svg, x + 38, y, "a routine spot, lettered as in its routine", 12, "#222222");
  y += 18;
  Put(svg, "<rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"4\" height=\"4\" fill=\"{}\"/>\n", x + 13,
      y - 6, kPropColour);
  Text(svg, x + 38, y, fmt::format("one of the {} props", kPropCount), 12, "#222222");
  y += 18;
  Put(svg,
      "<rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"10\" height=\"10\" fill=\"{}\" "
      "fill-opacity=\"0.25\" stroke=\"{}\"/>\n",
      x + 10, y - 9, kRemarkColour, kRemarkColour);
  Text(svg, x + 38, y,
       fmt::format("a remark spot (1 to {}), where the player remarks", kRemarkSpots.size()), 12,
       "#222222");
  y += 18;
  Put(svg, "<polygon points=\"{:.1f},{:.1f} {:.1f},{:.1f} {:.1f},{:.1f}\" fill=\"{}\"/>\n", x + 15,
      y - 11, x + 8, y + 1, x + 22, y + 1, kTentColour);
  Text(svg, x + 38, y, "the campfire tent's centre (it stands elsewhere)", 12, "#222222");
  y += 18;
  Put(svg, "<rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"14\" height=\"8\" rx=\"2\" fill=\"{}\"/>\n",
      x + 8, y - 8, StyleOf("wagon").colour);
  Text(svg, x + 38, y, "where the supply wagon stands", 12, "#222222");
}

void RoutePanel(Svg& svg, double x, double y, double width, double height,
                const std::vector<Trail>& trails) {
  Bounds b;
  b.Add(sim::places::kWagonSpot);
  b.Add(sim::places::kFence);
  for (const Trail& t : trails) {
    if (t.name != "player" && t.name != "wagon") continue;
    for (const auto& segment : t.segments) {
      for (const sim::Vec3& p : segment) b.Add(p);
    }
  }
  b.Grow(std::max(b.Width(), b.Height()) * 0.06);
  View v = Fit(b, x, y + 20, width, height - 40);
  const double w = v.PixelWidth();
  const double h = v.PixelHeight();
  Text(svg, x, y + 10, "The wagon's road to the fence", 13, "#222222", " font-weight=\"bold\"");
  Put(svg,
      "<clipPath id=\"route\"><rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"{:.1f}\" height=\"{:.1f}\"/>"
      "</clipPath>\n",
      v.left, v.top, w, h);
  Put(svg,
      "<rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"{:.1f}\" height=\"{:.1f}\" fill=\"#eef2e6\" "
      "stroke=\"#555555\"/>\n",
      v.left, v.top, w, h);
  svg += "<g clip-path=\"url(#route)\">\n";
  const sim::Vec3 camp = sim::places::kWagonSpot;
  const sim::Vec3 fence = sim::places::kFence;
  Put(svg,
      "<line x1=\"{:.1f}\" y1=\"{:.1f}\" x2=\"{:.1f}\" y2=\"{:.1f}\" stroke=\"#999999\" "
      "stroke-dasharray=\"2 4\"/>\n",
      v.X(camp.x), v.Y(camp.y), v.X(fence.x), v.Y(fence.y));
  for (const Trail& t : trails) {
    if (t.name != "player" && t.name != "wagon") continue;
    const Style& s = StyleOf(t.name);
    for (const auto& segment : t.segments) Polyline(svg, v, segment, s, s.width * 0.8, 0.9);
  }
  Put(svg,
      "<circle cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"{:.1f}\" fill=\"#c0392b\" fill-opacity=\"0.2\" "
      "stroke=\"#c0392b\"/>\n",
      v.X(fence.x), v.Y(fence.y), std::max(kDeliveryRadius * v.scale, 4.0));
  Put(svg, "<circle cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"5\" fill=\"#444444\"/>\n", v.X(camp.x),
      v.Y(camp.y));
  for (const Trail& t : trails) {
    if (t.name != "player" || t.segments.empty() || t.segments.front().empty()) continue;
    const sim::Vec3 first = t.segments.front().front();
    const sim::Vec3 last = t.segments.back().back();
    Put(svg,
        "<circle cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"4\" fill=\"#ffffff\" stroke=\"#1b1b1b\" "
        "stroke-width=\"1.5\"/>\n",
        v.X(first.x), v.Y(first.y));
    Text(svg, v.X(first.x) - 34, v.Y(first.y) + 4, "start", 11, "#1b1b1b");
    Put(svg,
        "<path d=\"M{0:.1f},{1:.1f} l8,8 m0,-8 l-8,8\" stroke=\"#1b1b1b\" stroke-width=\"2\"/>\n",
        v.X(last.x) - 4, v.Y(last.y) - 4);
    Text(svg, v.X(last.x) + 6, v.Y(last.y) - 6, "end", 11, "#1b1b1b");
  }
  svg += "</g>\n";
  Text(svg, v.X(camp.x) - 34, v.Y(camp.y) - 8, "camp", 12, "#222222");
  Text(svg, v.X(fence.x) - 120, v.Y(fence.y) - 10, "Emerald Ranch fence", 12, "#c0392b");
  Text(svg, (v.X(camp.x) + v.X(fence.x)) / 2 + 8, (v.Y(camp.y) + v.Y(fence.y)) / 2 + 16,
       fmt::format("{:.0f} units", sim::Distance(camp, fence)), 11, "#555555");
  Text(svg, x, v.top + h + 16,
       fmt::format("the circle at the fence is the {:.0f}-unit delivery radius", kDeliveryRadius),
       11, "#555555");
}

}  // namespace

TrailRecorder::TrailRecorder(std::int64_t everyMs) : everyMs_(everyMs) {
  for (const Style& s : kStyles) trails_.push_back(Trail{s.name, {}});
  lastHandle_.assign(trails_.size(), 0);
}

void TrailRecorder::Sample(std::size_t i, sim::Handle handle, sim::Vec3 at) {
  if (handle == 0) {  // not there: the next sample starts a new segment
    lastHandle_[i] = 0;
    return;
  }
  auto& segments = trails_[i].segments;
  const bool jumped = !segments.empty() && !segments.back().empty() &&
                      sim::Distance(segments.back().back(), at) > kJump;
  if (handle != lastHandle_[i] || jumped) segments.emplace_back();
  lastHandle_[i] = handle;
  segments.back().push_back(at);
}

void TrailRecorder::AfterFrame(sim::Simulation& sim) {
  sim::World& world = sim.world();
  if (world.ElapsedMs() < nextMs_) return;
  nextMs_ = world.ElapsedMs() + everyMs_;
  for (std::size_t i = 0; i < trails_.size(); ++i) {
    const std::string& name = trails_[i].name;
    if (name == "player") {
      Sample(i, world.PlayerPed(), world.PlayerPosition());
      continue;
    }
    const sim::Handle handle = name == "wagon" ? sim.Wagon() : world.FindPedNamed(name);
    const sim::Entity* e = world.Find(handle);
    Sample(i, e != nullptr ? handle : 0, e != nullptr ? e->position : sim::Vec3{});
  }
}

void WriteMapSvg(std::ostream& out, const std::vector<Trail>& trails, const MapCaption& caption) {
  Bounds camp;
  for (const RoutineSpot& s : kRoutineSpots) camp.Add(s.at);
  for (const PropSpot& p : kProps) camp.Add(p.at);
  for (const RemarkSpot& r : kRemarkSpots) camp.Add(r.at);
  camp.Add(sim::places::kTentCentre);
  camp.Add(sim::places::kWagonSpot);
  camp.Grow(kCampPadding);
  const View view = Fit(camp, kMargin, kTop, kCampMaxWidth, kCampMaxHeight);
  const double right = kMargin + view.PixelWidth() + 40;
  const double rightWidth = kWidth - kMargin - right;

  Svg svg;
  Put(svg, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  Put(svg,
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"{0:.0f}\" height=\"{1:.0f}\" "
      "viewBox=\"0 0 {0:.0f} {1:.0f}\" font-family=\"sans-serif\">\n",
      kWidth, kHeight);
  Put(svg, "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n");
  Text(svg, kMargin, 30, "Campfire: " + caption.title, 18, "#111111", " font-weight=\"bold\"");
  Text(svg, kWidth - kMargin, 30, fmt::format("{} of game time", FormatClock(caption.lengthMs)), 13,
       "#444444", " text-anchor=\"end\"");
  CampPanel(svg, view, trails);
  Legend(svg, right, kTop + 10);
  const double routeTop = kTop + kLegendHeight;
  RoutePanel(svg, right, routeTop, rightWidth, kHeight - kMargin - routeTop, trails);
  svg += "</svg>\n";
  out << svg;
}

}  // namespace campsim
