#include "TestPaths.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace zv::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zvtest-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary directory");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string SourceDir() {
  const char* v = std::getenv("ZV_SOURCE_DIR");
  return v ? v : ZV_SOURCE_DIR_DEFAULT;
}

std::string BinDir() {
  const char* v = std::getenv("ZV_BIN_DIR");
  return v ? v : ZV_BIN_DIR_DEFAULT;
}

}  // namespace zv::test
