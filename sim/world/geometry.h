// Positions and headings with only + - * / and sqrt, so that every platform computes the
// same bits (the C library's trigonometry differs between platforms).
#pragma once

#include <cmath>

#include "sim/host/native_call.h"

namespace sim {

inline double DistanceBetween(Vec3 a, Vec3 b) {
  double dx = static_cast<double>(a.x) - b.x;
  double dy = static_cast<double>(a.y) - b.y;
  double dz = static_cast<double>(a.z) - b.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// Degrees from the x axis towards the y axis, in (-180, 180]. A polynomial arctangent good
// to about 0.02 degrees, monotone in the angle.
inline float AngleDegrees(float y, float x) {
  float ax = x < 0.0f ? -x : x;
  float ay = y < 0.0f ? -y : y;
  if (ax == 0.0f && ay == 0.0f) return 0.0f;
  float a = (ax < ay ? ax : ay) / (ax < ay ? ay : ax);
  float s = a * a;
  float r = ((-0.0464964749f * s + 0.15931422f) * s - 0.327622764f) * s * a + a;
  if (ay > ax) r = 1.57079637f - r;
  if (x < 0.0f) r = 3.14159274f - r;
  if (y < 0.0f) r = -r;
  return r * 57.2957795f;
}

// Into [0, 360). Beyond ten turns (or NaN) is taken as 0, which keeps the loops short.
inline float NormalisedHeading(float degrees) {
  if (!(degrees > -3600.0f && degrees < 3600.0f)) return 0.0f;
  while (degrees < 0.0f) degrees += 360.0f;
  while (degrees >= 360.0f) degrees -= 360.0f;
  return degrees;
}

// The game's heading of a direction: 0 looks along +y, 90 along -x.
inline float HeadingOf(float dx, float dy) { return NormalisedHeading(AngleDegrees(-dx, dy)); }

// Moves `from` up to `step` units towards `to`; true once it is there.
inline bool MoveToward(Vec3& from, Vec3 to, float step) {
  float dx = to.x - from.x;
  float dy = to.y - from.y;
  float dz = to.z - from.z;
  float distance = std::sqrt(dx * dx + dy * dy + dz * dz);
  if (distance <= step) {
    from = to;
    return true;
  }
  float k = step / distance;
  from.x += dx * k;
  from.y += dy * k;
  from.z += dz * k;
  return false;
}

}  // namespace sim
