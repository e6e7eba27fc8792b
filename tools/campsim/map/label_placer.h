// Puts short map labels beside their points where no other label or mark already is.
#pragma once

#include <algorithm>
#include <string_view>
#include <vector>

namespace campsim {

struct Box {
  double x, y, w, h;  // top left, size
  bool Overlaps(const Box& o) const {
    return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h;
  }
  double OverlapArea(const Box& o) const {
    const double across = std::min(x + w, o.x + o.w) - std::max(x, o.x);
    const double down = std::min(y + h, o.y + o.h) - std::max(y, o.y);
    return across > 0 && down > 0 ? across * down : 0.0;
  }
};

// The box a label of that many characters takes, from its baseline start.
Box TextBox(double x, double y, std::string_view text, double size);

class LabelPlacer {
 public:
  struct Placed {
    double x, y;  // where the text starts, on its baseline
  };
  explicit LabelPlacer(Box area) : area_(area) {}
  void Block(const Box& box) { taken_.push_back(box); }
  // The first free place around the point, inside the area, nearest first; if none is
  // free, the one that covers least. The place is taken.
  Placed Place(double px, double py, std::string_view text, double size, double gap);

 private:
  bool Inside(const Box& box) const;
  bool Free(const Box& box) const;
  Box area_;
  std::vector<Box> taken_;
};

}  // namespace campsim
