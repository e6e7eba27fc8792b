#include "tools/campsim/label_placer.h"

namespace campsim {

namespace {
constexpr double kCharWidth = 0.62;  // of the font size, for the map's sans-serif
}  // namespace

Box TextBox(double x, double y, std::string_view text, double size) {
  return Box{x, y - size * 0.8, static_cast<double>(text.size()) * size * kCharWidth, size};
}

bool LabelPlacer::Free(const Box& box) const {
  if (box.x < area_.x || box.y < area_.y || box.x + box.w > area_.x + area_.w ||
      box.y + box.h > area_.y + area_.h)
    return false;
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
  for (int ring = 1; ring <= 4; ++ring) {
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
    const Box box = TextBox(c.x, c.y, text, size);
    if (Free(box)) {
      taken_.push_back(box);
      return c;
    }
  }
  taken_.push_back(TextBox(candidates[0].x, candidates[0].y, text, size));
  return candidates[0];
}

}  // namespace campsim
