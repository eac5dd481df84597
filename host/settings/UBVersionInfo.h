// TBVersionInfo: the file version of the program and of module files.  Our executables and
// modules carry it in an ELF note section ".note.zarvik.version" (see common/FileVersionNote.c
// and zv_file_version() in CMake), read straight from the file without loading it.
#pragma once
#include <array>
#include <string>

namespace zv {

class TBVersionInfo {
 public:
  // Clears the fields and reads the version of `fileName` when it has one.
  void LoadFrom(const std::string& fileName);
  // "%d.%d.%d.%d" of the file's version, or an empty text when it has none or is unreadable.
  static std::string FileVersionOf(const std::string& fileName);
  // The loaded version text ("1.2.0.0"), empty when none was found.
  const std::string& FileVersion() const { return fileVersion_; }
  // The four dot-separated parts of the loaded text.
  const std::array<std::string, 4>& Parts() const { return parts_; }
  // The fourth part as a number (0 when there is none).
  int BuildNumber() const;

 private:
  std::string fileVersion_;
  std::array<std::string, 4> parts_;
};

}  // namespace zv
