#include "UBProcDLL.h"

#include "ModuleLibrary.h"

namespace zv::UBProcDLL {
namespace {
ModuleLibrary modulo;
}  // namespace

TProcessaImagem ProcessaImagem = nullptr;
TProcessaEsfera ProcessaEsfera = nullptr;

bool CarregaModulo(const std::string& path) {
  const bool carregado = modulo.Load(path);
  modulo.Bind(ProcessaImagem, "ProcessaImagem");
  modulo.Bind(ProcessaEsfera, "ProcessaEsfera");
  return carregado && (ProcessaImagem != nullptr && ProcessaEsfera != nullptr);
}

void LiberaModulo() {
  modulo.Release();
  ProcessaImagem = nullptr;
  ProcessaEsfera = nullptr;
}

}  // namespace zv::UBProcDLL
