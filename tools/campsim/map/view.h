// The map's geometry and colours: world units to pixels, and how each actor is drawn.
#pragma once

#include <algorithm>
#include <string_view>

#include "sim/host/native_call.h"

namespace campsim {

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

inline View Fit(const Bounds& b, double left, double top, double maxWidth, double maxHeight) {
  const double scale = std::min(maxWidth / b.Width(), maxHeight / b.Height());
  return View{b, left, top, scale};
}

struct Style {
  const char* name;
  const char* colour;
  const char* dash;
  double width;
};

// clang-format off
inline constexpr Style kStyles[] = {
    {.name = "player",  .colour = "#1b1b1b", .dash = "5 3", .width = 2.0},
    {.name = "Charles", .colour = "#1f77b4", .dash = "",    .width = 1.8},
    {.name = "Sadie",   .colour = "#d62728", .dash = "",    .width = 1.8},
    {.name = "Karen",   .colour = "#2ca02c", .dash = "",    .width = 1.8},
    {.name = "Abe",     .colour = "#e67e00", .dash = "",    .width = 1.8},
    {.name = "wagon",   .colour = "#8c564b", .dash = "",    .width = 3.0},
};
// clang-format on
// Farther than this from one sample of a track to the next is a teleport, not a ride.
inline constexpr float kTeleportJump = 60.0f;

inline constexpr const char* kRemarkColour = "#8e44ad";
inline constexpr const char* kPropColour = "#6b4f2a";
inline constexpr const char* kTentColour = "#2e5e3e";

inline const Style& StyleOf(std::string_view name) {
  for (const Style& s : kStyles) {
    if (name == s.name) return s;
  }
  return kStyles[0];
}

}  // namespace campsim
