// JPEG conversions of the exam images kept in the database.
#pragma once
#include <string>

#include "UBConstantes.h"

namespace zv::data {

class TBJpeg {
 public:
  // Reads a BMP from the stream's start and compresses it with quality min(quality, 100);
  // the JPEG bytes belong to the caller.  Raises zv::IoError when the stream holds no
  // readable bitmap.
  static std::string ComprimeJpeg(TZVStream* bitmapStream, int quality);
  // Replaces a JPEG in the stream by a 32-bit BMP of it, rewound.  False, with the stream
  // unchanged, for anything that is not a readable JPEG.
  static bool DescomprimeJpeg(TZVStream* stream);
};

}  // namespace zv::data
