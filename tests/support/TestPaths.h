// Locations the tests need: a fresh temporary directory per test, the source tree and the
// directory that holds the built programs and modules.
#pragma once
#include <string>

namespace zv::test {

// A new empty directory under the system's temporary directory, removed by the destructor.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::string SourceDir();
std::string BinDir();

}  // namespace zv::test
