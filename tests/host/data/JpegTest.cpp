#include <gtest/gtest.h>

#include <cstdlib>

#include "BmpImage.h"
#include "Errors.h"
#include "Streams.h"
#include "UBJpeg.h"

namespace zv::data {
namespace {

void Put(std::string& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<char>(v >> (8 * i)));
}

// A bottom-up BMP of `bits` 8 (grey palette) or 24 whose pixel (x, y) has red = 8x, green = 8y
// and blue = 100 (palette: grey level 8x).
std::string MakeBmp(int width, int height, int bits) {
  const int stride = ((width * bits + 31) / 32) * 4;
  const int paletteSize = bits == 8 ? 256 * 4 : 0;
  std::string b = "BM";
  Put(b, 54 + paletteSize + stride * height, 4);
  Put(b, 0, 4);
  Put(b, 54 + paletteSize, 4);
  Put(b, 40, 4);
  Put(b, width, 4);
  Put(b, height, 4);
  Put(b, 1, 2);
  Put(b, bits, 2);
  for (int i = 0; i < 6; ++i) Put(b, 0, 4);
  for (int i = 0; i < paletteSize / 4; ++i) Put(b, i | i << 8 | i << 16, 4);
  for (int y = height - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      if (bits == 8) {
        row.push_back(static_cast<char>(8 * x));
      } else {
        row.push_back(static_cast<char>(100));
        row.push_back(static_cast<char>(8 * y));
        row.push_back(static_cast<char>(8 * x));
      }
    }
    row.resize(stride, '\0');
    b += row;
  }
  return b;
}

TEST(Bmp, ReadsPaletteAnd24BitImagesAndRefusesBrokenOnes) {
  const auto rgb = ReadBmp(MakeBmp(5, 3, 24));
  ASSERT_TRUE(rgb);
  EXPECT_EQ(rgb->width, 5);
  EXPECT_EQ(rgb->height, 3);
  const uint8_t* px = &rgb->pixels[(2 * 5 + 4) * 4];  // x = 4, y = 2 (top row first)
  EXPECT_EQ(px[0], 100);
  EXPECT_EQ(px[1], 16);
  EXPECT_EQ(px[2], 32);
  EXPECT_EQ(px[3], 255);

  const auto grey = ReadBmp(MakeBmp(3, 2, 8));
  ASSERT_TRUE(grey);
  EXPECT_EQ(grey->pixels[2 * 4 + 0], 16);  // palette entry 16 at x = 2

  std::string cut = MakeBmp(5, 3, 24);
  cut.resize(cut.size() - 10);
  EXPECT_FALSE(ReadBmp(cut));
  EXPECT_FALSE(ReadBmp("BM not a bitmap at all, but long enough to have a header......"));
  EXPECT_FALSE(ReadBmp(""));
}

TEST(Jpeg, RoundTripGivesA32BitBmpCloseToTheOriginal) {
  MemoryStream bmp(MakeBmp(32, 16, 24));
  StreamReadAll(bmp.Handle());     // the position must not matter
  for (int quality : {90, 150}) {  // above 100 counts as 100
    MemoryStream jpeg(TBJpeg::ComprimeJpeg(bmp.Handle(), quality));
    ASSERT_GT(jpeg.Bytes().size(), 2u);
    EXPECT_EQ(static_cast<uint8_t>(jpeg.Bytes()[0]), 0xFF);
    EXPECT_EQ(static_cast<uint8_t>(jpeg.Bytes()[1]), 0xD8);

    ASSERT_TRUE(TBJpeg::DescomprimeJpeg(jpeg.Handle()));
    EXPECT_EQ(jpeg.Position(), 0);
    const std::string& out = jpeg.Bytes();
    ASSERT_GE(out.size(), 54u);
    EXPECT_EQ(out.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<uint8_t>(out[28]), 32);  // bits per pixel
    EXPECT_EQ(out.size(), 54u + 32 * 16 * 4);
    const auto back = ReadBmp(out);
    ASSERT_TRUE(back);
    const uint8_t* px = &back->pixels[(10 * 32 + 20) * 4];  // red 160, green 80, blue 100
    EXPECT_NEAR(px[2], 160, 12);
    EXPECT_NEAR(px[1], 80, 12);
    EXPECT_NEAR(px[0], 100, 12);
  }
}

TEST(Jpeg, NonJpegStreamsAreRefusedAndLeftAlone) {
  for (const std::string& bytes : {std::string(), std::string("plain text"), MakeBmp(4, 4, 24),
                                   std::string("\xFF\xD8\xFF\xE0 truncated header", 22)}) {
    MemoryStream stream(bytes);
    EXPECT_FALSE(TBJpeg::DescomprimeJpeg(stream.Handle()));
    EXPECT_EQ(stream.Bytes(), bytes);
  }
  EXPECT_FALSE(TBJpeg::DescomprimeJpeg(nullptr));
}

TEST(Jpeg, CompressingSomethingThatIsNoBitmapRaises) {
  MemoryStream text(std::string("no bitmap here"));
  EXPECT_THROW(TBJpeg::ComprimeJpeg(text.Handle(), 80), IoError);
  EXPECT_THROW(TBJpeg::ComprimeJpeg(nullptr, 80), IoError);
}

}  // namespace
}  // namespace zv::data
