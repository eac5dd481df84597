#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <cstdlib>

#include "Errors.h"
#include "Streams.h"
#include "UBJpeg.h"

namespace zv::data {
namespace {

// A 24-bit BMP whose pixel (x, y) has red = 8x, green = 8y and blue = 100.
std::string MakeBmp(int width, int height) {
  QImage image(width, height, QImage::Format_RGB888);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(8 * x, 8 * y, 100));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return bytes.toStdString();
}

TEST(Jpeg, RoundTripGivesA32BitBmpCloseToTheOriginal) {
  MemoryStream bmp(MakeBmp(32, 16));
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
    QImage back;
    ASSERT_TRUE(back.loadFromData(reinterpret_cast<const uchar*>(out.data()),
                                  static_cast<int>(out.size()), "BMP"));
    EXPECT_EQ(back.size(), QSize(32, 16));
    const QRgb px = back.pixel(20, 10);  // red 160, green 80, blue 100
    EXPECT_NEAR(qRed(px), 160, 12);
    EXPECT_NEAR(qGreen(px), 80, 12);
    EXPECT_NEAR(qBlue(px), 100, 12);
  }
}

TEST(Jpeg, NonJpegStreamsAreRefusedAndLeftAlone) {
  for (const std::string& bytes : {std::string(), std::string("plain text"), MakeBmp(4, 4),
                                   std::string("\xFF\xD8\xFF\xE0 truncated header", 22)}) {
    MemoryStream stream(bytes);
    EXPECT_FALSE(TBJpeg::DescomprimeJpeg(stream.Handle()));
    EXPECT_EQ(stream.Bytes(), bytes);
  }
  EXPECT_FALSE(TBJpeg::DescomprimeJpeg(nullptr));
}

// The JPEG of MakeBmp(width, height) at quality 90.
std::string MakeJpeg(int width, int height) {
  MemoryStream bmp(MakeBmp(width, height));
  return TBJpeg::ComprimeJpeg(bmp.Handle(), 90);
}

TEST(Jpeg, PictureCutShortOrDamagedIsAFailedDecode) {
  const std::string whole = MakeJpeg(64, 48);
  // A restart marker in the middle of the picture data: the decoder loses its place.
  const size_t scan = whole.find("\xFF\xDA");
  ASSERT_NE(scan, std::string::npos);
  std::string damaged = whole;
  damaged.insert(scan + (whole.size() - scan) / 2, "\xFF\xD5");
  for (const std::string& bytes :
       {whole.substr(0, whole.size() * 2 / 3), whole.substr(0, whole.size() - 2), damaged}) {
    MemoryStream stream(bytes);
    EXPECT_FALSE(TBJpeg::DescomprimeJpeg(stream.Handle())) << bytes.size() << " bytes";
    EXPECT_TRUE(stream.Bytes() == bytes);  // untouched
  }
}

TEST(Jpeg, PicturesWiderOrTallerThan8000PixelsAreRefusedBeforeDecoding) {
  std::string huge = MakeJpeg(16, 16);
  const size_t sof = huge.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  for (size_t at : {sof + 5, sof + 7}) {  // height and width, big-endian: 60000 x 60000
    huge[at] = static_cast<char>(60000 >> 8);
    huge[at + 1] = static_cast<char>(60000 & 0xFF);
  }
  for (const std::string& bytes : {huge, MakeJpeg(8001, 8), MakeJpeg(8, 8001)}) {
    MemoryStream stream(bytes);
    EXPECT_FALSE(TBJpeg::DescomprimeJpeg(stream.Handle()));
    EXPECT_TRUE(stream.Bytes() == bytes);  // untouched
  }
  MemoryStream widest(MakeJpeg(8000, 8));
  EXPECT_TRUE(TBJpeg::DescomprimeJpeg(widest.Handle()));
}

TEST(Jpeg, CompressingSomethingThatIsNoBitmapRaises) {
  MemoryStream text(std::string("no bitmap here"));
  EXPECT_THROW(TBJpeg::ComprimeJpeg(text.Handle(), 80), IoError);
  const std::string bmp = MakeBmp(32, 16);
  MemoryStream cut(bmp.substr(0, bmp.size() - 10));  // the last rows are missing
  EXPECT_THROW(TBJpeg::ComprimeJpeg(cut.Handle(), 80), IoError);
  EXPECT_THROW(TBJpeg::ComprimeJpeg(nullptr, 80), IoError);
}

}  // namespace
}  // namespace zv::data
