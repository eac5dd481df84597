#include "UBProcOrtoDLL.h"

#include "ModuleLibrary.h"

namespace zv::UBProcOrtoDLL {
namespace {
ModuleLibrary modulo;
}  // namespace

TProcessaImagemOrto ProcessaImagem = nullptr;

bool CarregaModulo(const std::string& path) {
  const bool carregado = modulo.Load(path);
  modulo.Bind(ProcessaImagem, "ProcessaImagem");
  return carregado && ProcessaImagem != nullptr;
}

void LiberaModulo() {
  modulo.Release();
  ProcessaImagem = nullptr;
}

}  // namespace zv::UBProcOrtoDLL
