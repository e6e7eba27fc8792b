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
  const Placed candidates[] = {
      {px + gap, py + up},                  // right
      {px - gap - w, py + up},              // left
      {px - w / 2, py - gap},               // above
      {px - w / 2, py + gap + size * 0.8},  // below
      {px + gap, py - gap},                 // above right
      {px - gap - w, py - gap},             // above left
      {px + gap, py + gap + size * 0.8},    // below right
      {px - gap - w, py + gap + size * 0.8},
      {px + 2 * gap, py + up},  // farther out
      {px - 2 * gap - w, py + up},
      {px - w / 2, py - 2 * gap},
      {px - w / 2, py + 2 * gap + size * 0.8},
  };
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
