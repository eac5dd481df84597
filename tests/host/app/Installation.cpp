#include "Installation.h"

#include <filesystem>

#include "DatabaseFile.h"
#include "FakeModules.h"
#include "TestDatabase.h"
#include "TextFile.h"

namespace zv::test {

namespace fs = std::filesystem;

Installation::Installation() {
  std::string ini = ReadFileBytes(SourceDir() + "/assets/Zarvik.ini");
  for (size_t at; (at = ini.find("@ROOT@")) != std::string::npos;) ini.replace(at, 6, Root());
  WriteFileAtomic(*this / "Zarvik.ini", ini);
  for (const char* d : {"BancoDados", "Exames", "Laudos", "Exemplos", "Mapas", "Calibração"})
    fs::create_directories(*this / d);
  fs::copy(BinDir() + "/imgs", *this / "imgs");
}

void Installation::CreateDatabase() {
  PrepareLockDirectory();
  data::CreateDatabase(*this / "BancoDados/DATABASE.GDB");
}

void Installation::InstallModules() {
  InstallModule(6, *this / "Processamento.so");
  InstallModule(6, *this / "Captura.so");
  InstallModule(1, *this / "Mapas/Pelmo.so");
  InstallModule(2, *this / "Mapas/Quillon.so");
  WriteFileAtomic(*this / "Mapas/Leiame.so", "não sou uma biblioteca\r\n");
}

void Installation::SetSetting(const std::string& key, const std::string& value) {
  std::vector<std::string> lines = ReadTextLines(*this / "Zarvik.ini");
  for (auto& line : lines)
    if (line.rfind(key + "=", 0) == 0) line = key + "=" + value;
  WriteTextLines(*this / "Zarvik.ini", lines);
}

void Installation::AppendLines(const std::vector<std::string>& lines) {
  std::vector<std::string> all = ReadTextLines(*this / "Zarvik.ini");
  all.insert(all.end(), lines.begin(), lines.end());
  WriteTextLines(*this / "Zarvik.ini", all);
}

}  // namespace zv::test
