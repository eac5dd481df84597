#include "UBJpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "BmpImage.h"
#include "Errors.h"
#include "Streams.h"

extern "C" {
#include <jpeglib.h>
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

// Decompresses to RGB rows into `rgb` (sized here before any row is read).
bool Decompress(const std::string& jpeg, std::vector<uint8_t>& rgb, int& width, int& height) {
  jpeg_decompress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.base);
  error.base.error_exit = OnJpegError;
  error.base.emit_message = Silent;
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
  if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
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

}  // namespace

std::string TBJpeg::ComprimeJpeg(TZVStream* bitmapStream, int quality) {
  if (!bitmapStream) throw IoError("Imagem inválida: nenhum bitmap.");
  const std::optional<BgraImage> bmp = ReadBmp(StreamReadAll(bitmapStream));
  if (!bmp) throw IoError("Imagem inválida: o bitmap não pôde ser lido.");
  std::vector<uint8_t> rgb(static_cast<size_t>(bmp->width) * bmp->height * 3);
  for (size_t i = 0, n = static_cast<size_t>(bmp->width) * bmp->height; i < n; ++i) {
    rgb[3 * i] = bmp->pixels[4 * i + 2];
    rgb[3 * i + 1] = bmp->pixels[4 * i + 1];
    rgb[3 * i + 2] = bmp->pixels[4 * i];
  }
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  const bool ok =
      Compress(rgb, bmp->width, bmp->height, std::clamp(quality, 1, 100), &out, &outSize);
  std::string jpeg = ok ? std::string(reinterpret_cast<char*>(out), outSize) : std::string();
  std::free(out);
  if (!ok) throw IoError("Imagem inválida: falha na compressão JPEG.");
  return jpeg;
}

bool TBJpeg::DescomprimeJpeg(TZVStream* stream) {
  if (!stream) return false;
  const std::string jpeg = StreamReadAll(stream);
  StreamRewind(stream);
  if (jpeg.size() < 3 || static_cast<uint8_t>(jpeg[0]) != 0xFF ||
      static_cast<uint8_t>(jpeg[1]) != 0xD8)
    return false;
  std::vector<uint8_t> rgb;
  int width = 0, height = 0;
  if (!Decompress(jpeg, rgb, width, height) || width <= 0 || height <= 0) return false;
  BgraImage image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<size_t>(width) * height * 4);
  for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) {
    image.pixels[4 * i] = rgb[3 * i + 2];
    image.pixels[4 * i + 1] = rgb[3 * i + 1];
    image.pixels[4 * i + 2] = rgb[3 * i];
    image.pixels[4 * i + 3] = 255;
  }
  stream->SetSize(stream->context, 0);
  StreamRewind(stream);
  StreamWrite(stream, WriteBmp32(image));
  StreamRewind(stream);
  return true;
}

}  // namespace zv::data
