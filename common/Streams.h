// C++ side of the interface unit's byte stream: a growable memory stream that the host (or a
// test) owns and hands to modules as a TZVStream*, and helpers that read or write any
// TZVStream as bytes or as CR LF text lines in Windows-1252.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "UBConstantes.h"

namespace zv {

class MemoryStream {
 public:
  // The most a module can make a stream hold: far beyond any picture or table of the system.
  static constexpr int64_t kMaxBytes = int64_t{1} << 30;

  MemoryStream();
  explicit MemoryStream(std::string bytes);
  MemoryStream(const MemoryStream&) = delete;
  MemoryStream& operator=(const MemoryStream&) = delete;

  // The C view handed across the module boundary; valid while this object lives.
  TZVStream* Handle() { return &handle_; }
  const std::string& Bytes() const { return bytes_; }
  int64_t Position() const { return position_; }
  void Clear();

 private:
  static int64_t Read(void* ctx, void* buffer, int64_t count);
  static int64_t Write(void* ctx, const void* buffer, int64_t count);
  static int64_t Seek(void* ctx, int64_t offset, int32_t origin);
  static int64_t Size(void* ctx);
  static void SetSize(void* ctx, int64_t size);
  // Extends the bytes with zeros to `size`; false when memory runs out.
  bool Grow(int64_t size);

  std::string bytes_;
  int64_t position_ = 0;
  TZVStream handle_;
};

void StreamRewind(TZVStream* stream);
// Bytes from the current position to the end.
std::string StreamReadRest(TZVStream* stream);
// The whole content, whatever the position (the position is left at the end).
std::string StreamReadAll(TZVStream* stream);
void StreamWrite(TZVStream* stream, std::string_view bytes);
// Text lines (UTF-8) read from the current position; see DecodeLines.
std::vector<std::string> StreamReadLines(TZVStream* stream);
// Writes the lines at the current position, each followed by CR LF, in Windows-1252.
void StreamWriteLines(TZVStream* stream, const std::vector<std::string>& lines);

}  // namespace zv
