// The camp panel: its places, with labels kept clear of each other, the trails and homes.
#include <cmath>

#include "sim/scenario/camp_places.h"
#include "tools/campsim/camp/camp_tables.h"
#include "tools/campsim/map/label_placer.h"
#include "tools/campsim/map/panels.h"

namespace campsim {

namespace {

constexpr double kCampMaxWidth = 520.0;
constexpr double kCampMaxHeight = 780.0;
constexpr double kCampPadding = 10.0;  // world units around the camp's places
constexpr double kGrid = 25.0;
constexpr const char* kHalo = " stroke=\"#ffffff\" stroke-width=\"3\" paint-order=\"stroke\"";

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

double RemarkSide(const View& v) { return std::max(4.0 * v.scale, 5.0); }

void Places(Svg& svg, const View& v) {
  for (const PropSpot& prop : kProps) {
    Put(svg,
        "<rect class=\"prop\" x=\"{:.1f}\" y=\"{:.1f}\" width=\"4\" height=\"4\" fill=\"{}\"/>\n",
        v.X(prop.at.x) - 2, v.Y(prop.at.y) - 2, kPropColour);
  }
  const double side = RemarkSide(v);  // the square the player must stand in: 2 units each way
  for (const RemarkSpot& spot : kRemarkSpots) {
    Put(svg,
        "<rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"{:.1f}\" height=\"{:.1f}\" fill=\"{}\" "
        "fill-opacity=\"0.25\" stroke=\"{}\"><title>{}</title></rect>\n",
        v.X(spot.at.x) - side / 2, v.Y(spot.at.y) - side / 2, side, side, kRemarkColour,
        kRemarkColour, Escape(spot.line));
  }
  for (const RoutineSpot& spot : RoutineSpots()) {
    if (spot.label == "home") continue;
    Put(svg,
        "<circle cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"3.5\" fill=\"#ffffff\" stroke=\"{}\" "
        "stroke-width=\"1.5\"/>\n",
        v.X(spot.at.x), v.Y(spot.at.y), StyleOf(spot.companion).colour);
  }
  const sim::Vec3 tent = sim::places::kTentCentre;
  Put(svg,
      "<polygon id=\"tent-mark\" points=\"{:.1f},{:.1f} {:.1f},{:.1f} {:.1f},{:.1f}\" "
      "fill=\"{}\"/>\n",
      v.X(tent.x), v.Y(tent.y) - 7, v.X(tent.x) - 7, v.Y(tent.y) + 5, v.X(tent.x) + 7,
      v.Y(tent.y) + 5, kTentColour);
  const sim::Vec3 wagon = sim::places::kWagonSpot;
  Put(svg, "<rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"14\" height=\"8\" rx=\"2\" fill=\"{}\"/>\n",
      v.X(wagon.x) - 7, v.Y(wagon.y) - 4, StyleOf("wagon").colour);
}

void Homes(Svg& svg, const View& v) {
  for (const CompanionInfo& c : kCompanions) HouseMark(svg, v.X(c.home.x), v.Y(c.home.y), c.name);
}

// Labels go on last, each where it hides no other: the homes' names and the fixed places
// first, then the remark spots' numbers and the routine spots' letters.
void Labels(Svg& svg, const View& v) {
  LabelPlacer placer(Box{v.left, v.top, v.PixelWidth(), v.PixelHeight()});
  for (const CompanionInfo& c : kCompanions) {
    placer.Block(Box{v.X(c.home.x) - 7, v.Y(c.home.y) - 7, 14, 14});
  }
  for (const PropSpot& prop : kProps) {
    placer.Block(Box{v.X(prop.at.x) - 2, v.Y(prop.at.y) - 2, 4, 4});
  }
  const double side = RemarkSide(v);
  for (const RemarkSpot& spot : kRemarkSpots) {
    placer.Block(Box{v.X(spot.at.x) - side / 2, v.Y(spot.at.y) - side / 2, side, side});
  }
  for (const RoutineSpot& spot : RoutineSpots()) {
    placer.Block(Box{v.X(spot.at.x) - 4, v.Y(spot.at.y) - 4, 8, 8});
  }
  const sim::Vec3 tent = sim::places::kTentCentre;
  const sim::Vec3 wagon = sim::places::kWagonSpot;
  placer.Block(Box{v.X(tent.x) - 7, v.Y(tent.y) - 7, 14, 12});
  placer.Block(Box{v.X(wagon.x) - 7, v.Y(wagon.y) - 4, 14, 8});

  auto put = [&](sim::Vec3 at, const std::string& text, double size, const char* colour, double gap,
                 const char* extra) {
    const auto p = placer.Place(v.X(at.x), v.Y(at.y), text, size, gap);
    Text(svg, p.x, p.y, text, size, colour, extra);
  };
  for (const CompanionInfo& c : kCompanions) {
    put(c.home, std::string(c.name) + "'s home", 10, StyleOf(c.name).colour, 8, kHalo);
  }
  put(tent, "tent centre", 11, kTentColour, 9, kHalo);
  put(wagon, "wagon", 11, StyleOf("wagon").colour, 9, kHalo);
  for (std::size_t i = 0; i < kRemarkSpots.size(); ++i) {
    put(kRemarkSpots[i].at, std::to_string(i + 1), 9, kRemarkColour, side / 2 + 2, kHalo);
  }
  for (const RoutineSpot& spot : RoutineSpots()) {
    if (spot.label == "home") continue;
    put(spot.at, spot.label, 9, StyleOf(spot.companion).colour, 5, kHalo);
  }
}

void ScaleAndNorth(Svg& svg, const View& v) {
  const double w = v.PixelWidth();
  const double barY = v.top + v.PixelHeight() - 14;
  Put(svg,
      "<path d=\"M{0:.1f},{1:.1f} v6 h{2:.1f} v-6\" fill=\"none\" stroke=\"#333333\" "
      "stroke-width=\"1.5\"/>\n",
      v.left + 12, barY - 6, 50.0 * v.scale);
  Text(svg, v.left + 12, barY - 10, "50 units", 10, "#333333");
  Put(svg, "<path d=\"M{0:.1f},{1:.1f} l-6,14 h12 z\" fill=\"#333333\"/>\n", v.left + w - 20,
      v.top + 12);
  Text(svg, v.left + w - 24, v.top + 40, "N", 12, "#333333");
}

}  // namespace

View CampView() {
  Bounds camp;
  for (const RoutineSpot& s : RoutineSpots()) camp.Add(s.at);
  for (const PropSpot& p : kProps) camp.Add(p.at);
  for (const RemarkSpot& r : kRemarkSpots) camp.Add(r.at);
  camp.Add(sim::places::kTentCentre);
  camp.Add(sim::places::kWagonSpot);
  camp.Grow(kCampPadding);
  return Fit(camp, kMapMargin, kMapTop, kCampMaxWidth, kCampMaxHeight);
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

void LiveLayer(Svg& svg, const char* id, const View& v) {
  Put(svg,
      "<g id=\"{}\" data-left=\"{:.3f}\" data-top=\"{:.3f}\" data-scale=\"{:.6f}\" "
      "data-min-x=\"{:.3f}\" data-max-y=\"{:.3f}\" data-width=\"{:.3f}\" "
      "data-height=\"{:.3f}\"></g>\n",
      id, v.left, v.top, v.scale, v.world.minX, v.world.maxY, v.PixelWidth(), v.PixelHeight());
}

void DrawCampPanel(Svg& svg, const View& v, const std::vector<Trail>& trails,
                   const MapLayers& layers) {
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
  Places(svg, v);
  if (layers.trails) {
    for (const Trail& t : trails) {
      const Style& s = StyleOf(t.name);
      for (const auto& segment : t.segments) Polyline(svg, v, segment, s, s.width, 0.85);
    }
  }
  if (layers.live) LiveLayer(svg, "camp-trails", v);
  Homes(svg, v);
  Labels(svg, v);
  if (layers.live) LiveLayer(svg, "camp-live", v);
  svg += "</g>\n";
  Put(svg,
      "<rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"{:.1f}\" height=\"{:.1f}\" fill=\"none\" "
      "stroke=\"#555555\"/>\n",
      v.left, v.top, w, h);
  ScaleAndNorth(svg, v);
  Text(svg, v.left, v.top - 8,
       fmt::format("The camp, {:.0f} by {:.0f} units, grid every {:.0f}", v.world.Width(),
                   v.world.Height(), kGrid),
       12, "#333333");
}

}  // namespace campsim
