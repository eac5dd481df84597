#include "UBBackupDLL.h"

#include "ModuleLibrary.h"

namespace zv::UBBackupDLL {
namespace {
ModuleLibrary modulo;
}  // namespace

TInfoBackup InfoBackup = nullptr;
TCriarBackup CriarBackup = nullptr;
TRestaurarBackup RestaurarBackup = nullptr;

bool CarregaModulo(const std::string& path) {
  const bool carregado = modulo.Load(path);
  modulo.Bind(InfoBackup, "InfoBackup");
  modulo.Bind(CriarBackup, "CriarBackup");
  modulo.Bind(RestaurarBackup, "RestaurarBackup");
  return carregado &&
         (InfoBackup != nullptr && CriarBackup != nullptr && RestaurarBackup != nullptr);
}

void LiberaModulo() {
  modulo.Release();
  InfoBackup = nullptr;
  CriarBackup = nullptr;
  RestaurarBackup = nullptr;
}

}  // namespace zv::UBBackupDLL
