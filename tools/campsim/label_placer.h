// Puts short map labels beside their points where no other label or mark already is.
#pragma once

#include <string_view>
#include <vector>

namespace campsim {

struct Box {
  double x, y, w, h;  // top left, size
  bool Overlaps(const Box& o) const {
    return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h;
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
  // The first free place around the point, inside the area, nearest first; beside it if
  // none is free. The place is taken.
  Placed Place(double px, double py, std::string_view text, double size, double gap);

 private:
  bool Free(const Box& box) const;
  Box area_;
  std::vector<Box> taken_;
};

}  // namespace campsim
