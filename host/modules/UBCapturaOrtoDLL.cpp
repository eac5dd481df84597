#include "UBCapturaOrtoDLL.h"

#include "ModuleLibrary.h"

namespace zv::UBCapturaOrtoDLL {

TDigitalizarOrto Digitalizar = nullptr;

namespace {
SingleEntryBinding<TDigitalizarOrto> binding(Digitalizar, "Digitalizar");
}  // namespace

bool CarregaModulo(const std::string& path) {
  return binding.CarregaModulo(path);
}
void LiberaModulo() {
  binding.LiberaModulo();
}

}  // namespace zv::UBCapturaOrtoDLL
