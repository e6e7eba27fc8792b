// Writing SVG by hand: the text is built in a string, numbers to a tenth of a pixel.
#pragma once

#include <fmt/format.h>

#include <iterator>
#include <string>
#include <string_view>

namespace campsim {

using Svg = std::string;

template <class... Args>
void Put(Svg& svg, fmt::format_string<Args...> format, Args&&... args) {
  fmt::format_to(std::back_inserter(svg), format, std::forward<Args>(args)...);
}

// Text made safe for XML and HTML, in element content and in quoted attributes.
std::string Escape(std::string_view text);

void Text(Svg& svg, double x, double y, std::string_view text, double size, const char* fill,
          const char* extra = "");

}  // namespace campsim
