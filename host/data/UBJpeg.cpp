#include "UBJpeg.h"

#include <QImage>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <vector>

#include "BmpImage.h"
#include "Errors.h"
#include "Streams.h"

extern "C" {
#include <jpeglib.h>
// after jpeglib.h, which it needs
#include <jerror.h>
}

namespace zv::data {
namespace {

// libjpeg reports fatal errors through error_exit; jump back instead of ending the process.
struct JpegError {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}
void Silent(j_common_ptr, int) {}

// While decoding, a warning about the picture data (a file cut short, a bad Huffman code, data
// out of place) means libjpeg is inventing rows: that is a failed decode, not a picture.
// Warnings about metadata only (an unknown JFIF revision, Adobe transform or ICC marker) are
// harmless.
void FailOnCorruptData(j_common_ptr info, int level) {
  if (level >= 0) return;  // trace messages
  switch (info->err->msg_code) {
    case JWRN_JFIF_MAJOR:
    case JWRN_ADOBE_XFORM:
    case JWRN_BOGUS_ICC:
      return;
    default:
      OnJpegError(info);
  }
}

// Sides of the largest picture accepted: beyond anything a camera of the instrument gives, and
// small enough that the decoded picture fits in memory.
constexpr JDIMENSION kMaxSide = 8000;

// Compresses 3-byte RGB rows.  No object with a destructor lives between setjmp and longjmp.
bool Compress(const std::vector<uint8_t>& rgb, int width, int height, int quality,
              unsigned char** out, unsigned long* outSize) {
  jpeg_compress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.base);
  error.base.error_exit = OnJpegError;
  error.base.emit_message = Silent;
  if (setjmp(error.jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, out, outSize);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row =
        const_cast<JSAMPROW>(rgb.data() + static_cast<size_t>(info.next_scanline) * width * 3);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

// Decompresses to RGB rows into `rgb` (sized here before any row is read).  False for anything
// libjpeg cannot decode exactly, and for pictures larger than kMaxSide a side.
bool Decompress(const std::string& jpeg, std::vector<uint8_t>& rgb, int& width, int& height) {
  jpeg_decompress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.base);
  error.base.error_exit = OnJpegError;
  error.base.emit_message = FailOnCorruptData;
  if (setjmp(error.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpeg.data()),
               static_cast<unsigned long>(jpeg.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK ||
      info.image_width > kMaxSide || info.image_height > kMaxSide) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  width = static_cast<int>(info.output_width);
  height = static_cast<int>(info.output_height);
  rgb.resize(static_cast<size_t>(width) * height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = rgb.data() + static_cast<size_t>(info.output_scanline) * width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

// A bottom-up, uncompressed 32-bit BMP of RGB rows (alpha opaque).  Qt writes BMPs only with
// 24 bits per pixel, and the exam pictures are handed on as 32-bit bitmaps.
std::string Bmp32(const std::vector<uint8_t>& rgb, int width, int height) {
  const uint32_t pixelBytes = static_cast<uint32_t>(width) * static_cast<uint32_t>(height) * 4;
  std::string bmp;
  auto put = [&bmp](uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) bmp.push_back(static_cast<char>(value >> (8 * i)));
  };
  bmp += "BM";
  put(54 + pixelBytes, 4);  // file size
  put(0, 4);                // reserved
  put(54, 4);               // offset of the pixels
  put(40, 4);               // BITMAPINFOHEADER
  put(static_cast<uint32_t>(width), 4);
  put(static_cast<uint32_t>(height), 4);
  put(1, 2);   // planes
  put(32, 2);  // bits per pixel
  put(0, 4);   // BI_RGB
  put(pixelBytes, 4);
  for (int i = 0; i < 4; ++i) put(0, 4);  // resolution and palette: none
  for (int y = height - 1; y >= 0; --y) {
    const uint8_t* row = rgb.data() + static_cast<size_t>(y) * width * 3;
    for (int x = 0; x < width; ++x) {
      bmp.push_back(static_cast<char>(row[3 * x + 2]));
      bmp.push_back(static_cast<char>(row[3 * x + 1]));
      bmp.push_back(static_cast<char>(row[3 * x]));
      bmp.push_back(static_cast<char>(0xFF));
    }
  }
  return bmp;
}

}  // namespace

std::string TBJpeg::ComprimeJpeg(TZVStream* bitmapStream, int quality) {
  if (!bitmapStream) throw IoError("Imagem inválida: nenhum bitmap.");
  const std::string bytes = StreamReadAll(bitmapStream);
  const QImage bitmap = LoadBmp(bytes);
  if (bitmap.isNull()) throw IoError("Imagem inválida: o bitmap não pôde ser lido.");
  const QImage image = bitmap.convertToFormat(QImage::Format_RGB888);
  const int width = image.width(), height = image.height();
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y)
    std::copy_n(image.constScanLine(y), static_cast<size_t>(width) * 3,
                rgb.begin() + static_cast<std::ptrdiff_t>(y) * width * 3);
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  const bool ok = Compress(rgb, width, height, std::clamp(quality, 1, 100), &out, &outSize);
  std::string jpeg = ok ? std::string(reinterpret_cast<char*>(out), outSize) : std::string();
  std::free(out);
  if (!ok) throw IoError("Imagem inválida: falha na compressão JPEG.");
  return jpeg;
}

bool TBJpeg::DescomprimeJpeg(TZVStream* stream) {
  if (!stream) return false;
  try {
    const std::string jpeg = StreamReadAll(stream);
    StreamRewind(stream);
    if (jpeg.size() < 3 || static_cast<uint8_t>(jpeg[0]) != 0xFF ||
        static_cast<uint8_t>(jpeg[1]) != 0xD8)
      return false;
    std::vector<uint8_t> rgb;
    int width = 0, height = 0;
    if (!Decompress(jpeg, rgb, width, height) || width <= 0 || height <= 0) return false;
    const std::string bmp = Bmp32(rgb, width, height);
    stream->SetSize(stream->context, 0);
    StreamRewind(stream);
    StreamWrite(stream, bmp);
    StreamRewind(stream);
    return true;
  } catch (const std::exception&) {
    return false;  // out of memory or a stream that refused the bytes
  }
}

}  // namespace zv::data
