#include "UBCapturaOrtoDLL.h"

#include "ModuleLibrary.h"

namespace zv::UBCapturaOrtoDLL {
namespace {
ModuleLibrary modulo;
}  // namespace

TDigitalizarOrto Digitalizar = nullptr;

bool CarregaModulo(const std::string& path) {
  const bool carregado = modulo.Load(path);
  modulo.Bind(Digitalizar, "Digitalizar");
  return carregado && Digitalizar != nullptr;
}

void LiberaModulo() {
  modulo.Release();
  Digitalizar = nullptr;
}

}  // namespace zv::UBCapturaOrtoDLL
