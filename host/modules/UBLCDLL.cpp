#include "UBLCDLL.h"

#include "ModuleLibrary.h"

namespace zv::UBLCDLL {

TProcessaLente ProcessaLente = nullptr;

namespace {
SingleEntryBinding<TProcessaLente> binding(ProcessaLente, "ProcessaLente");
}  // namespace

bool CarregaModulo(const std::string& path) {
  return binding.CarregaModulo(path);
}
void LiberaModulo() {
  binding.LiberaModulo();
}

}  // namespace zv::UBLCDLL
