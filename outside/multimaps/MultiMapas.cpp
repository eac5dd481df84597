// The exported entry points of a multi-map module, built once per module (ZV_MULTIMAPA_KIND:
// 0 comparative, 1 dual, 2 differential).  Wizard lets the operator choose the exams and
// ProcessaMapas shows their maps, each in a modal window over the host's; the differential
// module's Wizard takes one more argument, whether orthokeratology exams may be chosen.  No C++
// exception reaches the host.
#include <QWidget>
#include <type_traits>

#include "EntradaMultiMapas.h"
#include "ModuleApplication.h"
#include "UBConstantes.h"

#define MAPAS_EXPORT extern "C" __attribute__((visibility("default")))
#define ZV_TEXTO(x) ZV_TEXTO2(x)
#define ZV_TEXTO2(x) #x

using namespace multimapas;

namespace {
constexpr ModuloMultiMapa kModulo = static_cast<ModuloMultiMapa>(ZV_MULTIMAPA_KIND);
constexpr char kSemJanelas[] = "O módulo de mapas precisa de uma aplicação com janelas.";

int32_t Seleciona(void* Handle, TZVStream* ListaExames, TZVStream* Selecionados, TZVStream* Extra,
                  bool ortoDisponivel) {
  auto* pai = static_cast<QWidget*>(Handle);
  return zv::RunModuleEntry(
      pai, {"Mapas", kSemJanelas, "Não foi possível selecionar os exames"}, [&] {
        return SelecionaExames(kModulo, pai, ListaExames, Selecionados, Extra, ortoDisponivel);
      });
}
}  // namespace

MAPAS_EXPORT int32_t ProcessaMapas(void* Handle, TDadosPac Cabecalhos, TMatrizesAngAnel Pixels,
                                   TMatrizesAng Aneis, TMatrizesAngAnel Dioptrias, TMatPup,
                                   int32_t NumExames, TZVStream* SaidaWizard, TInfosZV Infos) {
  auto* pai = static_cast<QWidget*>(Handle);
  return zv::RunModuleEntry(pai, {"Mapas", kSemJanelas, "Não foi possível mostrar os mapas"}, [&] {
    return MostraMapas(kModulo, pai, Cabecalhos, Pixels, Aneis, Dioptrias, NumExames, SaidaWizard,
                       Infos);
  });
}

#if ZV_MULTIMAPA_KIND == 2
MAPAS_EXPORT int32_t Wizard(void* Handle, TZVStream* ListaExames, TZVStream* Selecionados,
                            TZVStream* Extra, int32_t OrtoDisponivel, TInfosZV) {
  return Seleciona(Handle, ListaExames, Selecionados, Extra, OrtoDisponivel != 0);
}
static_assert(std::is_same_v<decltype(&Wizard), TWizardOrto>);
#else
MAPAS_EXPORT int32_t Wizard(void* Handle, TZVStream* ListaExames, TZVStream* Selecionados,
                            TZVStream* Extra, TInfosZV) {
  return Seleciona(Handle, ListaExames, Selecionados, Extra, false);
}
static_assert(std::is_same_v<decltype(&Wizard), TWizard>);
#endif

MAPAS_EXPORT void InfoMapa(TZVStream* Saida) {
  try {
    EscreveInfo(kModulo, Saida,
                ZV_TEXTO(ZV_VERSION_MAJOR) "." ZV_TEXTO(ZV_VERSION_MINOR) "." ZV_TEXTO(
                    ZV_VERSION_PATCH) "." ZV_TEXTO(ZV_VERSION_BUILD));
  } catch (...) {
  }
}

static_assert(std::is_same_v<decltype(&ProcessaMapas), TProcessaMapas>);
static_assert(std::is_same_v<decltype(&InfoMapa), TInfoMapa>);
