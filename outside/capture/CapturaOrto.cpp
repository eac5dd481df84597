// The orthokeratology capture module: four central and four lateral pictures of the simulated
// camera, a follow-up of one eye from before the lens to the third night.
#include <type_traits>

#include "CapturaJanela.h"
#include "ModuleApplication.h"
#include "Streams.h"
#include "UBConstantes.h"

#define CAPTURA_EXPORT extern "C" __attribute__((visibility("default")))

CAPTURA_EXPORT int32_t Digitalizar(void* Handle, TZVStream* const* Centrais,
                                   TZVStream* const* Laterais, int32_t Olho, const char* Titulo) {
  auto* pai = static_cast<QWidget*>(Handle);
  return zv::RunModuleEntry(
      pai,
      {"CapturaOrto", "A captura de imagem precisa de uma aplicação com janelas.",
       "Não foi possível capturar as imagens"},
      [&] { return captura::ExecutaCaptura(pai, Centrais, Laterais, 4, Olho, Titulo); });
}

CAPTURA_EXPORT void Info(TZVStream* Saida) {
  if (!Saida) return;
  try {
    zv::StreamWriteLines(Saida,
                         {"Digitalização de Imagem - Ortoceratologia - Câmera Placido Simulada"});
  } catch (...) {
  }
}

static_assert(std::is_same_v<decltype(&Digitalizar), TDigitalizarOrto>);
static_assert(std::is_same_v<decltype(&Info), TInfo>);
