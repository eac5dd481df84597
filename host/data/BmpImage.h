// BMP file images in memory: reading the common uncompressed kinds (1, 4, 8 bits with a
// palette, 24 and 32 bits) and writing 32 bits per pixel.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zv::data {

struct BgraImage {
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;  // top row first, 4 bytes a pixel: blue, green, red, alpha
};

// Nothing for anything that is not a BMP of a supported kind or is cut short.
std::optional<BgraImage> ReadBmp(const std::string& bytes);
// A bottom-up BI_RGB BMP with 32 bits per pixel.
std::string WriteBmp32(const BgraImage& image);

}  // namespace zv::data
