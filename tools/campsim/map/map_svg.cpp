#include "tools/campsim/map/map_svg.h"

#include "tools/campsim/camp/camp_tables.h"
#include "tools/campsim/camp/clock_text.h"
#include "tools/campsim/map/panels.h"

namespace campsim {

namespace {

constexpr double kLegendHeight = 300.0;

}  // namespace

void HouseMark(Svg& svg, double x, double y, std::string_view name) {
  Put(svg,
      "<polygon class=\"home\" points=\"{:.1f},{:.1f} {:.1f},{:.1f} {:.1f},{:.1f} {:.1f},{:.1f} "
      "{:.1f},{:.1f}\" fill=\"#ffffff\" stroke=\"{}\" stroke-width=\"1.5\"/>\n",
      x - 5, y + 5, x - 5, y - 1, x, y - 6, x + 5, y - 1, x + 5, y + 5, StyleOf(name).colour);
}

void DrawLegend(Svg& svg, double x, double y) {
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
  HouseMark(svg, x + 15, y - 4, "Charles");
  Text(svg, x + 38, y, "a companion's home", 12, "#222222");
  y += 18;
  Put(svg,
      "<circle cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"3.5\" fill=\"#ffffff\" stroke=\"#1f77b4\" "
      "stroke-width=\"1.5\"/>\n",
      x + 15, y - 4);
  Text(svg, x + 38, y, "a routine spot, lettered in the order its routine visits it", 12,
       "#222222");
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

std::string DrawMap(const std::vector<Trail>& trails, const MapCaption& caption,
                    const MapLayers& layers) {
  const View view = CampView();
  const double right = kMapMargin + view.PixelWidth() + 40;
  const double rightWidth = kMapWidth - kMapMargin - right;

  Svg svg;
  Put(svg,
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"{0:.0f}\" height=\"{1:.0f}\" "
      "viewBox=\"0 0 {0:.0f} {1:.0f}\" preserveAspectRatio=\"xMinYMin meet\" "
      "font-family=\"sans-serif\">\n",
      kMapWidth, kMapHeight);
  Put(svg, "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n");
  Text(svg, kMapMargin, 30, "Campfire: " + caption.title, 18, "#111111", " font-weight=\"bold\"");
  Text(svg, kMapWidth - kMapMargin, 30,
       fmt::format("{} of game time", FormatClock(caption.lengthMs)), 13, "#444444",
       " text-anchor=\"end\"");
  DrawCampPanel(svg, view, trails, layers);
  DrawLegend(svg, right, kMapTop + 10);
  const double routeTop = kMapTop + kLegendHeight;
  const View route =
      RouteView(right, routeTop, rightWidth, kMapHeight - kMapMargin - routeTop, trails);
  DrawRoutePanel(svg, route, right, routeTop, trails, layers);
  svg += "</svg>\n";
  return svg;
}

void WriteMapSvg(std::ostream& out, const std::vector<Trail>& trails, const MapCaption& caption) {
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" << DrawMap(trails, caption, MapLayers{});
}

}  // namespace campsim
