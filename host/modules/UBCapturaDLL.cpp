#include "UBCapturaDLL.h"

#include "ModuleLibrary.h"

namespace zv::UBCapturaDLL {
namespace {
ModuleLibrary modulo;
}  // namespace

TDigitalizar Digitalizar = nullptr;

bool CarregaModulo(const std::string& path) {
  const bool carregado = modulo.Load(path);
  modulo.Bind(Digitalizar, "Digitalizar");
  return carregado && Digitalizar != nullptr;
}

void LiberaModulo() {
  modulo.Release();
  Digitalizar = nullptr;
}

}  // namespace zv::UBCapturaDLL
