#include "UBMapaDLL.h"

#include "ModuleLibrary.h"

namespace zv::UBMapaDLL {
namespace {
ModuleLibrary modulo;
}  // namespace

TProcessaMapa ProcessaMapa = nullptr;
TProcessaMapaOrto ProcessaMapaOrto = nullptr;
TVisualizar Visualizar = nullptr;
TInfoMapa InfoMapa = nullptr;

bool CarregaModulo(const std::string& path) {
  const bool carregado = modulo.Load(path);
  modulo.Bind(ProcessaMapa, "ProcessaMapa");
  modulo.Bind(ProcessaMapaOrto, "ProcessaMapaOrto");
  modulo.Bind(Visualizar, "Visualizar");
  modulo.Bind(InfoMapa, "InfoMapa");
  return carregado &&
         ((ProcessaMapa != nullptr || ProcessaMapaOrto != nullptr) && InfoMapa != nullptr);
}

void LiberaModulo() {
  modulo.Release();
  ProcessaMapa = nullptr;
  ProcessaMapaOrto = nullptr;
  Visualizar = nullptr;
  InfoMapa = nullptr;
}

}  // namespace zv::UBMapaDLL
