// The test modules built beside these tests (see FakeModule.c for the variants).
#pragma once
#include <filesystem>
#include <string>

namespace zv::test {

inline std::string FakeModule(int variant) {
  static const char* const paths[] = {"",
                                      ZV_FAKE_MODULE_1,
                                      ZV_FAKE_MODULE_2,
                                      ZV_FAKE_MODULE_3,
                                      ZV_FAKE_MODULE_4,
                                      ZV_FAKE_MODULE_5,
                                      ZV_FAKE_MODULE_6,
                                      ZV_FAKE_MODULE_7,
                                      ZV_FAKE_MODULE_8};
  return paths[variant];
}

// Copies a test module to `path`, so that it is found under a module file name.
inline std::string InstallModule(int variant, const std::string& path) {
  std::filesystem::copy_file(FakeModule(variant), path,
                             std::filesystem::copy_options::overwrite_existing);
  return path;
}

}  // namespace zv::test
