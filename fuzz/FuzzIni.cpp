// Settings (INI) files: reading keys of any file, then writing one key into it.
#include "Errors.h"
#include "FuzzInput.h"
#include "UBPrivateProfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zv;
  const auto partes = fuzz::Partes(data, size, 4);
  const std::string path = fuzz::Arquivo("Zarvik.ini", partes[3]);
  const std::string section(partes[0]), key(partes[1]), value(partes[2]);
  try {
    ReadProfileString(path, section, key);
    ReadProfileString(path, "DIRETORIOS", "EXAMES");
    WriteProfileString(path, section, key, value);
    ReadProfileString(path, section, key);
  } catch (const IoError&) {
  }
  return 0;
}
