// Exam pictures as they come back from the database: JPEG to bitmap.
#include "Streams.h"
#include "UBJpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zv::MemoryStream stream(std::string(reinterpret_cast<const char*>(data), size));
  zv::data::TBJpeg::DescomprimeJpeg(stream.Handle());
  return 0;
}
