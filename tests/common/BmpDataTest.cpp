// Bitmaps whose pixel data is incomplete must be refused before the toolkit reads them: it
// leaves whatever is missing as uninitialised memory.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <cstdint>
#include <string>

#include "BmpData.h"
#include "BmpImage.h"

namespace zv {
namespace {

void Put(std::string& b, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<char>(value >> (8 * i)));
}

// An 8-bit paletted BMP of `width` x `height` with two palette entries and the given pixel
// data (uncompressed or RLE8).
std::string Bmp8(int width, int height, uint32_t compression, const std::string& pixels) {
  std::string b = "BM";
  Put(b, 14 + 40 + 8 + static_cast<uint32_t>(pixels.size()), 4);
  Put(b, 0, 4);
  Put(b, 14 + 40 + 8, 4);  // pixel offset
  Put(b, 40, 4);
  Put(b, static_cast<uint32_t>(width), 4);
  Put(b, static_cast<uint32_t>(height), 4);
  Put(b, 1, 2);
  Put(b, 8, 2);
  Put(b, compression, 4);
  Put(b, static_cast<uint32_t>(pixels.size()), 4);
  Put(b, 0, 8);
  Put(b, 2, 4);  // colours used
  Put(b, 0, 4);
  Put(b, 0x000000, 4);
  Put(b, 0xFFFFFF, 4);
  return b + pixels;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

// RLE8 of 4 x 2 pixels: bottom row a run of four 1s and a line end; top row the literal pixels
// 1 0 1 (padded to an even count of bytes), a run of one 1, and the bitmap end.
std::string Rle4x2() {
  return Bytes({4, 1, 0, 0, 0, 3, 1, 0, 1, 0, 1, 1, 0, 1});
}

// A 640 x 480 capture as the camera stands in writes it: 24 bits, uncompressed.
std::string Capture() {
  QImage image(640, 480, QImage::Format_RGB32);
  image.fill(qRgb(10, 20, 30));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return bytes.toStdString();
}

TEST(BmpData, OnlyBitmapsWithEveryPixelPresentAreComplete) {
  const std::string capture = Capture();
  std::string offsetPastEnd = capture;
  offsetPastEnd[10] = offsetPastEnd[11] = offsetPastEnd[12] = static_cast<char>(0x7F);
  std::string topDown = Bmp8(2, 2, 0, std::string(8, '\1'));
  topDown.replace(22, 4, Bytes({0xFE, 0xFF, 0xFF, 0xFF}));  // height -2: rows top to bottom
  const std::string rle = Rle4x2();
  struct Case {
    const char* name;
    std::string bytes;
    bool complete;
  } cases[] = {
      {"whole capture", capture, true},
      {"capture cut by one byte", capture.substr(0, capture.size() - 1), false},
      {"capture cut to its first rows", capture.substr(0, 54 + 640 * 3 * 10), false},
      {"pixel offset past the end", offsetPastEnd, false},
      {"palette cut short", Bmp8(2, 2, 0, "").substr(0, 58), false},
      {"8-bit rows with padding", Bmp8(2, 2, 0, std::string(8, '\1')), true},
      {"8-bit last row's padding missing", Bmp8(2, 2, 0, std::string(6, '\1')), false},
      {"top-down rows", topDown, true},
      {"run-length, every pixel written", Bmp8(4, 2, 1, rle), true},
      {"run-length ends early", Bmp8(4, 2, 1, rle.substr(0, 4)), false},
      {"run-length literal cut short", Bmp8(4, 2, 1, rle.substr(0, 7)), false},
      {"run-length bitmap end before the last row", Bmp8(4, 2, 1, Bytes({4, 1, 0, 1})), false},
      {"run-length line end before the row is full", Bmp8(4, 2, 1, Bytes({2, 1, 0, 0, 4, 1, 0, 1})),
       false},
      {"run-length jump over pixels", Bmp8(4, 2, 1, Bytes({4, 1, 0, 2, 0, 1, 0, 1})), false},
      {"run-length run past the row's end", Bmp8(4, 2, 1, Bytes({5, 1, 0, 0, 4, 1, 0, 1})), false},
      {"not a bitmap", "BM and some text", false},
      {"empty", "", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BmpPixelDataComplete(c.bytes), c.complete) << c.name;
    EXPECT_EQ(LoadBmp(c.bytes).isNull(), !c.complete) << c.name;
  }
}

TEST(BmpData, LoadedPictureHoldsThePixelsOfTheFile) {
  const QImage image = LoadBmp(Bmp8(4, 2, 1, Rle4x2()));
  ASSERT_EQ(image.size(), QSize(4, 2));
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(image.pixel(x, 0), x == 1 ? qRgb(0, 0, 0) : qRgb(255, 255, 255)) << x;
    EXPECT_EQ(image.pixel(x, 1), qRgb(255, 255, 255)) << x;
  }
  EXPECT_EQ(LoadBmpFile("/nonexistent/picture.bmp").isNull(), true);
}

}  // namespace
}  // namespace zv
