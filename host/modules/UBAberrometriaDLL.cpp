#include "UBAberrometriaDLL.h"

#include "ModuleLibrary.h"

namespace zv::UBAberrometriaDLL {
namespace {
ModuleLibrary modulo;
}  // namespace

TProcessaAberrometria ProcessaAberrometria = nullptr;

bool CarregaModulo(const std::string& path) {
  const bool carregado = modulo.Load(path);
  modulo.Bind(ProcessaAberrometria, "ProcessaAberrometria");
  return carregado && ProcessaAberrometria != nullptr;
}

}  // namespace zv::UBAberrometriaDLL
