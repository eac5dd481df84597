#include "UBLCDLL.h"

#include "ModuleLibrary.h"

namespace zv::UBLCDLL {
namespace {
ModuleLibrary modulo;
}  // namespace

TProcessaLente ProcessaLente = nullptr;

bool CarregaModulo(const std::string& path) {
  const bool carregado = modulo.Load(path);
  modulo.Bind(ProcessaLente, "ProcessaLente");
  return carregado && ProcessaLente != nullptr;
}

void LiberaModulo() {
  modulo.Release();
  ProcessaLente = nullptr;
}

}  // namespace zv::UBLCDLL
