// The map's parts, shared by --map and the report's page: the camp panel, the legend and the
// inset with the wagon's road. The page fills each panel's live layer as it plays.
#pragma once

#include <vector>

#include "tools/campsim/map/map_svg.h"
#include "tools/campsim/map/svg_text.h"
#include "tools/campsim/map/view.h"

namespace campsim {

struct MapLayers {
  bool trails = true;  // every trail in full; the page draws them up to its moment instead
  bool live = false;   // an empty group per panel, with its view, for the page's markers
};

inline constexpr double kMapWidth = 1000.0;
inline constexpr double kMapHeight = 860.0;
inline constexpr double kMapMargin = 20.0;  // around the panels
inline constexpr double kMapTop = 60.0;     // where the panels begin, below the title

View CampView();
void DrawCampPanel(Svg& svg, const View& v, const std::vector<Trail>& trails,
                   const MapLayers& layers);
void DrawLegend(Svg& svg, double x, double y);
// A companion's home: a small house in outline, unlike the filled dot that moves.
void HouseMark(Svg& svg, double x, double y, std::string_view name);
// The inset fits the wagon's spot, the fence and where the player and the wagon went.
View RouteView(double x, double y, double width, double height, const std::vector<Trail>& trails);
void DrawRoutePanel(Svg& svg, const View& v, double x, double y, const std::vector<Trail>& trails,
                    const MapLayers& layers);

// A trail's points as a polyline (or a dot for a single point).
void Polyline(Svg& svg, const View& v, const std::vector<sim::Vec3>& points, const Style& s,
              double width, double opacity);
// The group the page draws into, carrying the view that turns world units into pixels.
void LiveLayer(Svg& svg, const char* id, const View& v);

}  // namespace campsim
