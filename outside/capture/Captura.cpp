// The standard capture module: one central and one lateral picture of the simulated camera.
#include <type_traits>

#include "CapturaJanela.h"
#include "ModuleApplication.h"
#include "Streams.h"
#include "UBConstantes.h"

#define CAPTURA_EXPORT extern "C" __attribute__((visibility("default")))

CAPTURA_EXPORT int32_t Digitalizar(void* Handle, TZVStream* Central, TZVStream* Lateral,
                                   int32_t Olho, const char* Titulo) {
  auto* pai = static_cast<QWidget*>(Handle);
  return zv::RunModuleEntry(pai,
                            {"Captura", "A captura de imagem precisa de uma aplicação com janelas.",
                             "Não foi possível capturar a imagem"},
                            [&] {
                              TZVStream* centrais[1] = {Central};
                              TZVStream* laterais[1] = {Lateral};
                              return captura::ExecutaCaptura(pai, centrais, laterais, 1, Olho,
                                                             Titulo);
                            });
}

CAPTURA_EXPORT void Info(TZVStream* Saida) {
  if (!Saida) return;
  try {
    zv::StreamWriteLines(Saida, {"Digitalização de Imagem - Câmera Placido Simulada"});
  } catch (...) {
  }
}

static_assert(std::is_same_v<decltype(&Digitalizar), TDigitalizar>);
static_assert(std::is_same_v<decltype(&Info), TInfo>);
