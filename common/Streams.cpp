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

int64_t MemoryStream::Read(void* ctx, void* buffer, int64_t count) {
  auto* self = static_cast<MemoryStream*>(ctx);
  const int64_t size = static_cast<int64_t>(self->bytes_.size());
  const int64_t n = std::clamp<int64_t>(size - self->position_, 0, std::max<int64_t>(count, 0));
  if (n > 0) std::memcpy(buffer, self->bytes_.data() + self->position_, static_cast<size_t>(n));
  self->position_ += n;
  return n;
}

int64_t MemoryStream::Write(void* ctx, const void* buffer, int64_t count) {
  auto* self = static_cast<MemoryStream*>(ctx);
  if (count <= 0) return 0;
  const size_t end = static_cast<size_t>(self->position_ + count);
  if (end > self->bytes_.size()) self->bytes_.resize(end);
  std::memcpy(self->bytes_.data() + self->position_, buffer, static_cast<size_t>(count));
  self->position_ = static_cast<int64_t>(end);
  return count;
}

int64_t MemoryStream::Seek(void* ctx, int64_t offset, int32_t origin) {
  auto* self = static_cast<MemoryStream*>(ctx);
  int64_t base = 0;
  if (origin == ZV_SEEK_CURRENT) base = self->position_;
  if (origin == ZV_SEEK_END) base = static_cast<int64_t>(self->bytes_.size());
  self->position_ = std::max<int64_t>(0, base + offset);
  return self->position_;
}

int64_t MemoryStream::Size(void* ctx) {
  return static_cast<int64_t>(static_cast<MemoryStream*>(ctx)->bytes_.size());
}

void MemoryStream::SetSize(void* ctx, int64_t size) {
  auto* self = static_cast<MemoryStream*>(ctx);
  self->bytes_.resize(static_cast<size_t>(std::max<int64_t>(size, 0)));
  self->position_ = std::min<int64_t>(self->position_, size);
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
