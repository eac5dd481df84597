// Helpers shared by the fuzz harnesses: cutting one input into parts and handing a part to a
// reader that wants a file.
#pragma once
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "TextFile.h"

namespace zv::fuzz {

// The input cut at every "\n--\n" into at most `parts` pieces (the last keeps the rest).
inline std::vector<std::string_view> Partes(const uint8_t* data, size_t size, size_t parts) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> out;
  while (out.size() + 1 < parts) {
    const size_t cut = rest.find("\n--\n");
    if (cut == std::string_view::npos) break;
    out.push_back(rest.substr(0, cut));
    rest.remove_prefix(cut + 4);
  }
  out.push_back(rest);
  out.resize(parts);
  return out;
}

// A directory of this process for the files a harness writes; reused by every run.
inline const std::string& Diretorio() {
  static const std::string dir = [] {
    std::string d = "/tmp/zv-fuzz-" + std::to_string(::getpid());
    ForceDirectories(d);
    return d;
  }();
  return dir;
}

// Writes `bytes` as the file `name` of Diretorio() and gives its path (a plain write: the
// atomic writer's syncs would slow every run down).
inline std::string Arquivo(const std::string& name, std::string_view bytes) {
  const std::string path = JoinPath(Diretorio(), name);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) std::abort();
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  return path;
}

// Reads values from the input as it runs out: zero once it is exhausted.
class Leitor {
 public:
  Leitor(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  template <class T>
  T Le() {
    T value{};
    const size_t n = std::min(sizeof value, size_ - at_);
    std::memcpy(&value, data_ + at_, n);
    at_ += n;
    return value;
  }
  std::string_view Resto() const {
    return {reinterpret_cast<const char*>(data_ + at_), size_ - at_};
  }
  bool Fim() const { return at_ >= size_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

}  // namespace zv::fuzz
