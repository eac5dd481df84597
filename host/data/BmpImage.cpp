#include "BmpImage.h"

#include <cstring>

namespace zv::data {
namespace {

uint32_t U32(const std::string& b, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}
uint16_t U16(const std::string& b, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}
void Put32(std::string& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<char>(v >> (8 * i)));
}
void Put16(std::string& b, uint16_t v) {
  b.push_back(static_cast<char>(v));
  b.push_back(static_cast<char>(v >> 8));
}

// Value of a colour channel under `mask`, scaled to 0..255.
uint8_t Channel(uint32_t pixel, uint32_t mask) {
  if (!mask) return 255;
  int shift = 0;
  while (!(mask & 1)) mask >>= 1, ++shift;
  const uint32_t v = (pixel >> shift) & mask;
  return static_cast<uint8_t>(mask == 255 ? v : v * 255 / mask);
}

}  // namespace

std::optional<BgraImage> ReadBmp(const std::string& b) {
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
  const uint32_t dataOffset = U32(b, 10);
  const uint32_t headerSize = U32(b, 14);
  if (headerSize < 40 || 14 + static_cast<size_t>(headerSize) > b.size()) return std::nullopt;
  const int32_t width = static_cast<int32_t>(U32(b, 18));
  const int32_t rawHeight = static_cast<int32_t>(U32(b, 22));
  const uint16_t bits = U16(b, 28);
  const uint32_t compression = U32(b, 30);
  uint32_t colours = U32(b, 46);
  if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN || width > 30000) return std::nullopt;
  const bool topDown = rawHeight < 0;
  const int height = topDown ? -rawHeight : rawHeight;
  if (height > 30000) return std::nullopt;

  uint32_t masks[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};  // red, green, blue, alpha
  if (compression == 3 && bits == 32) {  // BI_BITFIELDS: masks after the header (or inside V4+)
    const size_t at = headerSize >= 52 ? 54 : 14 + headerSize;
    if (at + 12 > b.size()) return std::nullopt;
    for (int i = 0; i < 3; ++i) masks[i] = U32(b, at + 4 * i);
    if (headerSize >= 56) masks[3] = U32(b, 66);
  } else if (compression != 0) {
    return std::nullopt;
  }
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;

  std::vector<uint32_t> palette;
  if (bits <= 8) {
    if (colours == 0 || colours > (1u << bits)) colours = 1u << bits;
    const size_t at = 14 + headerSize;
    if (at + 4 * static_cast<size_t>(colours) > b.size()) return std::nullopt;
    for (uint32_t i = 0; i < colours; ++i) palette.push_back(U32(b, at + 4 * i) | 0xFF000000u);
  }

  const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
  if (dataOffset > b.size() || stride * height > b.size() - dataOffset) return std::nullopt;

  BgraImage image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    const size_t row = dataOffset + stride * (topDown ? y : height - 1 - y);
    uint8_t* out = image.pixels.data() + static_cast<size_t>(y) * width * 4;
    for (int x = 0; x < width; ++x, out += 4) {
      uint32_t argb;
      if (bits == 24) {
        const size_t p = row + 3 * static_cast<size_t>(x);
        argb = 0xFF000000u | static_cast<uint8_t>(b[p]) |
               static_cast<uint32_t>(static_cast<uint8_t>(b[p + 1])) << 8 |
               static_cast<uint32_t>(static_cast<uint8_t>(b[p + 2])) << 16;
      } else if (bits == 32) {
        const uint32_t px = U32(b, row + 4 * static_cast<size_t>(x));
        argb = static_cast<uint32_t>(Channel(px, masks[3])) << 24 |
               static_cast<uint32_t>(Channel(px, masks[0])) << 16 |
               static_cast<uint32_t>(Channel(px, masks[1])) << 8 | Channel(px, masks[2]);
        if (!masks[3]) argb |= 0xFF000000u;
      } else {
        const size_t bitPos = static_cast<size_t>(x) * bits;
        const uint8_t byte = static_cast<uint8_t>(b[row + bitPos / 8]);
        const uint32_t index = (byte >> (8 - bits - bitPos % 8)) & ((1u << bits) - 1);
        if (index >= palette.size()) return std::nullopt;
        argb = palette[index];
      }
      out[0] = static_cast<uint8_t>(argb);
      out[1] = static_cast<uint8_t>(argb >> 8);
      out[2] = static_cast<uint8_t>(argb >> 16);
      out[3] = static_cast<uint8_t>(argb >> 24);
    }
  }
  return image;
}

std::string WriteBmp32(const BgraImage& image) {
  const uint32_t dataSize = static_cast<uint32_t>(image.pixels.size());
  std::string b;
  b.reserve(54 + dataSize);
  b += "BM";
  Put32(b, 54 + dataSize);
  Put32(b, 0);
  Put32(b, 54);
  Put32(b, 40);
  Put32(b, static_cast<uint32_t>(image.width));
  Put32(b, static_cast<uint32_t>(image.height));  // bottom-up
  Put16(b, 1);
  Put16(b, 32);
  Put32(b, 0);  // BI_RGB
  Put32(b, dataSize);
  Put32(b, 2835);  // 72 dpi
  Put32(b, 2835);
  Put32(b, 0);
  Put32(b, 0);
  const size_t stride = static_cast<size_t>(image.width) * 4;
  for (int y = image.height - 1; y >= 0; --y)
    b.append(reinterpret_cast<const char*>(image.pixels.data()) + y * stride, stride);
  return b;
}

}  // namespace zv::data
