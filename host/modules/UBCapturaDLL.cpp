#include "UBCapturaDLL.h"

#include "ModuleLibrary.h"

namespace zv::UBCapturaDLL {

TDigitalizar Digitalizar = nullptr;

namespace {
SingleEntryBinding<TDigitalizar> binding(Digitalizar, "Digitalizar");
}  // namespace

bool CarregaModulo(const std::string& path) {
  return binding.CarregaModulo(path);
}
void LiberaModulo() {
  binding.LiberaModulo();
}

}  // namespace zv::UBCapturaDLL
