#include "Streams.h"

#include <algorithm>
#include <cstring>

#include "TextFile.h"

namespace zv {

MemoryStream::MemoryStream() : MemoryStream(std::string()) {}

MemoryStream::MemoryStream(std::string bytes) : bytes_(std::move(bytes)) {
  handle_ = TZVStream{this, &Read, &Write, &Seek, &Size, &SetSize};
}

void MemoryStream::Clear() {
  bytes_.clear();
  position_ = 0;
}

// Every call below comes from module code: whatever it passes, the stream stays within its
// bytes, never grows past kMaxBytes and lets no exception out.  A refused call changes nothing.
int64_t MemoryStream::Read(void* ctx, void* buffer, int64_t count) {
  auto* self = static_cast<MemoryStream*>(ctx);
  const int64_t size = static_cast<int64_t>(self->bytes_.size());
  if (buffer == nullptr || count <= 0 || self->position_ >= size) return 0;
  const int64_t n = std::min(count, size - self->position_);
  std::memcpy(buffer, self->bytes_.data() + self->position_, static_cast<size_t>(n));
  self->position_ += n;
  return n;
}

int64_t MemoryStream::Write(void* ctx, const void* buffer, int64_t count) {
  auto* self = static_cast<MemoryStream*>(ctx);
  if (buffer == nullptr || count <= 0 || count > kMaxBytes - self->position_) return 0;
  const int64_t end = self->position_ + count;
  if (!self->Grow(end)) return 0;
  std::memcpy(self->bytes_.data() + self->position_, buffer, static_cast<size_t>(count));
  self->position_ = end;
  return count;
}

int64_t MemoryStream::Seek(void* ctx, int64_t offset, int32_t origin) {
  auto* self = static_cast<MemoryStream*>(ctx);
  int64_t base = 0;
  if (origin == ZV_SEEK_CURRENT) base = self->position_;
  if (origin == ZV_SEEK_END) base = static_cast<int64_t>(self->bytes_.size());
  // Past the end is allowed (a write there fills the gap with zeros), before the start is not.
  int64_t target = 0;
  if (__builtin_add_overflow(base, offset, &target)) target = offset > 0 ? kMaxBytes : 0;
  self->position_ = std::clamp<int64_t>(target, 0, kMaxBytes);
  return self->position_;
}

int64_t MemoryStream::Size(void* ctx) {
  return static_cast<int64_t>(static_cast<MemoryStream*>(ctx)->bytes_.size());
}

void MemoryStream::SetSize(void* ctx, int64_t size) {
  auto* self = static_cast<MemoryStream*>(ctx);
  if (size > kMaxBytes) return;
  const int64_t newSize = std::max<int64_t>(size, 0);
  if (newSize > static_cast<int64_t>(self->bytes_.size())) {
    if (!self->Grow(newSize)) return;
  } else {
    self->bytes_.resize(static_cast<size_t>(newSize));
  }
  self->position_ = std::min(self->position_, newSize);
}

bool MemoryStream::Grow(int64_t size) {
  if (size <= static_cast<int64_t>(bytes_.size())) return true;
  try {
    bytes_.resize(static_cast<size_t>(size));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void StreamRewind(TZVStream* stream) {
  stream->Seek(stream->context, 0, ZV_SEEK_BEGIN);
}

std::string StreamReadRest(TZVStream* stream) {
  std::string out;
  char buffer[65536];
  for (;;) {
    const int64_t n = stream->Read(stream->context, buffer, sizeof buffer);
    if (n <= 0) break;
    out.append(buffer, static_cast<size_t>(n));
  }
  return out;
}

std::string StreamReadAll(TZVStream* stream) {
  StreamRewind(stream);
  return StreamReadRest(stream);
}

void StreamWrite(TZVStream* stream, std::string_view bytes) {
  if (!bytes.empty())
    stream->Write(stream->context, bytes.data(), static_cast<int64_t>(bytes.size()));
}

std::vector<std::string> StreamReadLines(TZVStream* stream) {
  return DecodeLines(StreamReadRest(stream));
}

void StreamWriteLines(TZVStream* stream, const std::vector<std::string>& lines) {
  StreamWrite(stream, EncodeLines(lines));
}

}  // namespace zv
