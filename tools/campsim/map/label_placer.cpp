#include "tools/campsim/map/label_placer.h"

namespace campsim {

namespace {
// Of the font size: the map's sans-serif at its widest capitals, so that a box holds its text.
constexpr double kCharWidth = 0.72;
// Between a label and anything else, beyond the label's white halo.
constexpr double kClearance = 2.0;
constexpr int kRings = 6;  // how far out a label may go, in gaps

Box Padded(Box b) {
  return Box{b.x - kClearance, b.y - kClearance, b.w + 2 * kClearance, b.h + 2 * kClearance};
}
}  // namespace

Box TextBox(double x, double y, std::string_view text, double size) {
  return Box{x, y - size * 0.8, static_cast<double>(text.size()) * size * kCharWidth, size};
}

bool LabelPlacer::Inside(const Box& box) const {
  return box.x >= area_.x && box.y >= area_.y && box.x + box.w <= area_.x + area_.w &&
         box.y + box.h <= area_.y + area_.h;
}

bool LabelPlacer::Free(const Box& box) const {
  if (!Inside(box)) return false;
  for (const Box& t : taken_) {
    if (t.Overlaps(box)) return false;
  }
  return true;
}

LabelPlacer::Placed LabelPlacer::Place(double px, double py, std::string_view text, double size,
                                       double gap) {
  const double w = TextBox(0, 0, text, size).w;
  const double up = size * 0.35;  // baseline offset that centres the text on the point
  // Right, left, above, below, then the corners, each ring a gap farther out.
  std::vector<Placed> candidates;
  for (int ring = 1; ring <= kRings; ++ring) {
    const double g = gap * ring;
    const double below = py + g + size * 0.8;
    candidates.insert(candidates.end(), {{px + g, py + up},
                                         {px - g - w, py + up},
                                         {px - w / 2, py - g},
                                         {px - w / 2, below},
                                         {px + g, py - g},
                                         {px - g - w, py - g},
                                         {px + g, below},
                                         {px - g - w, below}});
  }
  for (const Placed& c : candidates) {
    const Box box = Padded(TextBox(c.x, c.y, text, size));
    if (Free(box)) {
      taken_.push_back(box);
      return c;
    }
  }
  // No free place: the one inside the area that covers least of what is there.
  const Placed* best = &candidates[0];
  double least = 1e300;
  for (const Placed& c : candidates) {
    const Box box = Padded(TextBox(c.x, c.y, text, size));
    if (!Inside(box)) continue;
    double covered = 0.0;
    for (const Box& t : taken_) covered += box.OverlapArea(t);
    if (covered < least) {
      least = covered;
      best = &c;
    }
  }
  taken_.push_back(Padded(TextBox(best->x, best->y, text, size)));
  return *best;
}

}  // namespace campsim
