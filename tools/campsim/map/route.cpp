// The inset with the wagon's road from the camp to the fence.
#include "sim/scenario/camp_places.h"
#include "tools/campsim/camp/camp_tables.h"
#include "tools/campsim/map/label_placer.h"
#include "tools/campsim/map/panels.h"

namespace campsim {

namespace {

bool OnTheRoad(const Trail& t) { return t.name == "player" || t.name == "wagon"; }

// The inset's fixed words, where DrawRoutePanel writes them: "start" and "end" keep off them.
struct FixedWord {
  double x, y;
  std::string text;
  double size;
};

std::vector<FixedWord> FixedWords(const View& v) {
  const sim::Vec3 camp = sim::places::kWagonSpot;
  const sim::Vec3 fence = sim::places::kFence;
  return {
      {v.X(camp.x) - 34, v.Y(camp.y) - 8, "camp", 12},
      {v.X(fence.x) - 120, v.Y(fence.y) - 10, "Emerald Ranch fence", 12},
      {(v.X(camp.x) + v.X(fence.x)) / 2 + 8, (v.Y(camp.y) + v.Y(fence.y)) / 2 + 16,
       fmt::format("{:.0f} units", sim::Distance(camp, fence)), 11},
  };
}

}  // namespace

View RouteView(double x, double y, double width, double height, const std::vector<Trail>& trails) {
  Bounds b;
  b.Add(sim::places::kWagonSpot);
  b.Add(sim::places::kFence);
  for (const Trail& t : trails) {
    if (!OnTheRoad(t)) continue;
    for (const auto& segment : t.segments) {
      for (const sim::Vec3& p : segment) b.Add(p);
    }
  }
  b.Grow(std::max(b.Width(), b.Height()) * 0.06);
  return Fit(b, x, y + 20, width, height - 40);
}

void DrawRoutePanel(Svg& svg, const View& v, double x, double y, const std::vector<Trail>& trails,
                    const MapLayers& layers) {
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
  if (layers.trails) {
    for (const Trail& t : trails) {
      if (!OnTheRoad(t)) continue;
      const Style& s = StyleOf(t.name);
      for (const auto& segment : t.segments) Polyline(svg, v, segment, s, s.width * 0.8, 0.9);
    }
  }
  if (layers.live) LiveLayer(svg, "route-trails", v);
  Put(svg,
      "<circle cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"{:.1f}\" fill=\"#c0392b\" fill-opacity=\"0.2\" "
      "stroke=\"#c0392b\"/>\n",
      v.X(fence.x), v.Y(fence.y), std::max(kDeliveryRadius * v.scale, 4.0));
  Put(svg, "<circle cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"5\" fill=\"#444444\"/>\n", v.X(camp.x),
      v.Y(camp.y));
  const std::vector<FixedWord> words = FixedWords(v);
  for (const Trail& t : trails) {
    if (t.name != "player" || t.segments.empty() || t.segments.front().empty()) continue;
    const sim::Vec3 first = t.segments.front().front();
    const sim::Vec3 last = t.segments.back().back();
    // The two marks and the fixed words first, so that neither label covers one of them, nor
    // the other label when the run ends where it began.
    LabelPlacer placer(Box{v.left, v.top, w, h});
    for (const FixedWord& word : words) placer.Block(TextBox(word.x, word.y, word.text, word.size));
    // The wagon at its spot, with its blip's ring, is drawn over the inset as the page plays.
    placer.Block(Box{v.X(camp.x) - 13, v.Y(camp.y) - 13, 26, 26});
    placer.Block(Box{v.X(first.x) - 5, v.Y(first.y) - 5, 10, 10});
    placer.Block(Box{v.X(last.x) - 5, v.Y(last.y) - 5, 10, 10});
    Put(svg,
        "<circle cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"4\" fill=\"#ffffff\" stroke=\"#1b1b1b\" "
        "stroke-width=\"1.5\"/>\n",
        v.X(first.x), v.Y(first.y));
    const auto start = placer.Place(v.X(first.x), v.Y(first.y), "start", 11, 7);
    Text(svg, start.x, start.y, "start", 11, "#1b1b1b");
    Put(svg,
        "<path d=\"M{0:.1f},{1:.1f} l8,8 m0,-8 l-8,8\" stroke=\"#1b1b1b\" stroke-width=\"2\"/>\n",
        v.X(last.x) - 4, v.Y(last.y) - 4);
    const auto end = placer.Place(v.X(last.x), v.Y(last.y), "end", 11, 7);
    Text(svg, end.x, end.y, "end", 11, "#1b1b1b");
  }
  if (layers.live) LiveLayer(svg, "route-live", v);
  svg += "</g>\n";
  Text(svg, words[0].x, words[0].y, words[0].text, words[0].size, "#222222");
  Text(svg, words[1].x, words[1].y, words[1].text, words[1].size, "#c0392b");
  Text(svg, words[2].x, words[2].y, words[2].text, words[2].size, "#555555");
  Text(svg, x, v.top + h + 16,
       fmt::format("the circle at the fence is the {:.0f}-unit delivery radius", kDeliveryRadius),
       11, "#555555");
}

}  // namespace campsim
