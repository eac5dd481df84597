#include "UBMapasDLL.h"

#include "ModuleLibrary.h"

namespace zv::UBMapasDLL {
namespace {
ModuleLibrary modulo;
}  // namespace

TProcessaMapas ProcessaMapas = nullptr;
TProcessaMapasOrto ProcessaMapasOrto = nullptr;
TWizard Wizard = nullptr;
TWizardOrto WizardOrto = nullptr;
TInfoMapa InfoMapa = nullptr;

bool CarregaModulo(const std::string& path) {
  const bool carregado = modulo.Load(path);
  modulo.Bind(ProcessaMapas, "ProcessaMapas");
  modulo.Bind(ProcessaMapasOrto, "ProcessaMapas");
  modulo.Bind(Wizard, "Wizard");
  modulo.Bind(WizardOrto, "Wizard");
  modulo.Bind(InfoMapa, "InfoMapa");
  return carregado && (ProcessaMapas != nullptr && Wizard != nullptr && InfoMapa != nullptr);
}

void LiberaModulo() {
  modulo.Release();
  ProcessaMapas = nullptr;
  ProcessaMapasOrto = nullptr;
  Wizard = nullptr;
  WizardOrto = nullptr;
  InfoMapa = nullptr;
}

}  // namespace zv::UBMapasDLL
