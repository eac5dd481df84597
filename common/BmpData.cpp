#include "BmpData.h"

#include <algorithm>
#include <cstdint>

namespace zv {
namespace {

constexpr uint32_t kFileHeader = 14;
constexpr uint32_t kCoreHeader = 12;  // 16-bit sizes, 3-byte palette entries
constexpr uint32_t kInfoHeader = 40;
enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

uint32_t U16(std::string_view b, size_t at) {
  return static_cast<uint8_t>(b[at]) | static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8;
}
uint32_t U32(std::string_view b, size_t at) {
  return U16(b, at) | U16(b, at + 2) << 16;
}

// Walks run-length data: complete when every pixel of every row is written before the data
// ends.  A jump, a line or bitmap end before the row is full, or a run past the row's end
// leaves pixels unwritten (or misreads the data), so each is refused.
bool RunLengthComplete(std::string_view data, uint64_t width, uint64_t rows, bool fourBits) {
  uint64_t x = 0, y = 0;
  size_t at = 0;
  while (y < rows) {
    if (data.size() - at < 2) return false;
    const uint8_t count = static_cast<uint8_t>(data[at]);
    const uint8_t code = static_cast<uint8_t>(data[at + 1]);
    at += 2;
    if (count > 0) {  // a run of `count` pixels
      x += count;
      if (x > width) return false;
    } else if (code == 0) {  // end of line
      if (x != width) return false;
      x = 0;
      ++y;
    } else if (code == 1) {  // end of bitmap
      return y + 1 == rows && x == width;
    } else if (code == 2) {  // jump: the pixels passed over are never written
      return false;
    } else {  // `code` literal pixels, padded to an even number of bytes
      size_t bytes = fourBits ? (code + 1u) / 2 : code;
      bytes += bytes % 2;
      if (data.size() - at < bytes) return false;
      at += bytes;
      x += code;
      if (x > width) return false;
    }
  }
  return true;
}

}  // namespace

bool BmpPixelDataComplete(std::string_view b) {
  if (b.size() < kFileHeader + kCoreHeader || b[0] != 'B' || b[1] != 'M') return false;
  const uint32_t pixelOffset = U32(b, 10);
  const uint32_t headerSize = U32(b, 14);
  int64_t width = 0, height = 0;
  uint32_t bits = 0, compression = kRgb, colours = 0;
  if (headerSize == kCoreHeader) {
    width = U16(b, 18);
    height = static_cast<int16_t>(U16(b, 20));
    bits = U16(b, 24);
  } else if (headerSize >= kInfoHeader && b.size() >= kFileHeader + kInfoHeader) {
    width = static_cast<int32_t>(U32(b, 18));
    height = static_cast<int32_t>(U32(b, 22));
    bits = U16(b, 28);
    compression = U32(b, 30);
    colours = U32(b, 46);
  } else {
    return false;
  }
  if (width <= 0 || height == 0 || height == INT32_MIN) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  const uint64_t rows = static_cast<uint64_t>(height < 0 ? -height : height);

  // Header, colour masks and palette come before the pixels.
  uint64_t headerEnd = uint64_t{kFileHeader} + headerSize;
  if (compression == kBitFields && headerSize == kInfoHeader) headerEnd += 12;
  if (bits <= 8) {
    const uint64_t entries = colours != 0 ? colours : uint64_t{1} << bits;
    if (entries > 256) return false;
    headerEnd += entries * (headerSize == kCoreHeader ? 3 : 4);
  }
  const uint64_t start = std::max<uint64_t>(pixelOffset, headerEnd);
  if (start > b.size()) return false;
  const std::string_view data = b.substr(start);

  switch (compression) {
    case kRgb:
    case kBitFields: {
      if (compression == kBitFields && bits != 16 && bits != 32) return false;
      const uint64_t rowBytes = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
      return rowBytes <= data.size() / rows;
    }
    case kRle8:
      return bits == 8 && RunLengthComplete(data, static_cast<uint64_t>(width), rows, false);
    case kRle4:
      return bits == 4 && RunLengthComplete(data, static_cast<uint64_t>(width), rows, true);
    default:
      return false;
  }
}

}  // namespace zv
