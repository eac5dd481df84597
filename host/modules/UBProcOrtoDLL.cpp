#include "UBProcOrtoDLL.h"

#include "ModuleLibrary.h"

namespace zv::UBProcOrtoDLL {

TProcessaImagemOrto ProcessaImagem = nullptr;

namespace {
SingleEntryBinding<TProcessaImagemOrto> binding(ProcessaImagem, "ProcessaImagem");
}  // namespace

bool CarregaModulo(const std::string& path) {
  return binding.CarregaModulo(path);
}
void LiberaModulo() {
  binding.LiberaModulo();
}

}  // namespace zv::UBProcOrtoDLL
