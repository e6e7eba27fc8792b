#include "tools/campsim/map/svg_text.h"

namespace campsim {

std::string Escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

void Text(Svg& svg, double x, double y, std::string_view text, double size, const char* fill,
          const char* extra) {
  Put(svg, "<text x=\"{:.1f}\" y=\"{:.1f}\" font-size=\"{:.0f}\" fill=\"{}\"{}>{}</text>\n", x, y,
      size, fill, extra, Escape(text));
}

}  // namespace campsim
