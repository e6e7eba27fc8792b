// A PNG read into RGBA pixels with libpng, to look at what the browser drew.
#pragma once

#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

namespace report_test {

struct Rgba {
  std::uint8_t r, g, b, a;
};

struct Image {
  int width = 0;
  int height = 0;
  std::vector<Rgba> pixels;
  Rgba At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

inline Image ReadPng(const std::string& path) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  Image image;
  if (!png_image_begin_read_from_file(&png, path.c_str())) return image;
  png.format = PNG_FORMAT_RGBA;
  image.pixels.resize(PNG_IMAGE_SIZE(png) / 4);
  if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) {
    png_image_free(&png);
    return Image{};
  }
  image.width = static_cast<int>(png.width);
  image.height = static_cast<int>(png.height);
  return image;
}

// "#1f77b4" as a colour.
inline Rgba FromHex(const std::string& hex) {
  auto byte = [&](int i) {
    return static_cast<std::uint8_t>(
        std::stoi(hex.substr(static_cast<std::size_t>(i), 2), nullptr, 16));
  };
  return Rgba{byte(1), byte(3), byte(5), 255};
}

inline bool Near(Rgba a, Rgba b, int slack) {
  auto close = [slack](int u, int v) { return u - v <= slack && v - u <= slack; };
  return close(a.r, b.r) && close(a.g, b.g) && close(a.b, b.b);
}

}  // namespace report_test
