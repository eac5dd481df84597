// The exported entry point of the contact-lens module: the lens window over the host's, shown
// modally; no C++ exception reaches the host.  The picture, the centre and the paths are not
// needed: the ring tables hold everything the fitting uses.
#include <QWidget>
#include <type_traits>

#include "ModuleApplication.h"
#include "Streams.h"
#include "TfrmLente.h"
#include "UBConstantes.h"

#define BEXLEY_EXPORT extern "C" __attribute__((visibility("default")))

namespace lente {
namespace {

constexpr char kSemJanelas[] =
    "O módulo de lentes de contato precisa de uma aplicação com janelas.";

int32_t Mostra(QWidget* pai, TZVStream* cabecalho, const TMatrizAngAnel* pixels,
               const TMatrizAng* aneis, const TMatrizAngAnel* dioptrias, const TInfosZV& infos) {
  DadosLente dados;
  if (pixels && aneis && dioptrias)
    dados.axial = mapas::CalculaGrade(mapas::TipoMapa::Axial, *pixels, *aneis, *dioptrias,
                                      infos.NumAneis == 16 ? 16 : 32,
                                      mapas::MilimetrosPorPixel(infos.FatorCorrecao));
  dados.ceratometria = mapas::CalculaCeratometria(dados.axial);
  dados.sugestao = SugereLente(dados.axial, dados.ceratometria);
  if (!dados.sugestao.valida) {
    zv::ReportModuleFailure(pai, "Lente de contato",
                            "O exame não possui anéis válidos na zona de 3 mm: não é possível "
                            "sugerir uma lente.");
    return 0;
  }
  dados.sagitta = mapas::CalculaSagitta(dados.axial);
  if (cabecalho) {
    zv::StreamRewind(cabecalho);
    dados.cabecalho = zv::StreamReadLines(cabecalho);
  }
  TfrmLente janela(pai, std::move(dados));
  return janela.exec();
}

}  // namespace
}  // namespace lente

BEXLEY_EXPORT int32_t ProcessaLente(void* Handle, TZVStream*, TZVStream* Cabecalho, double, double,
                                    const TMatrizAngAnel* Pixels, const TMatrizAng* Aneis,
                                    const TMatrizAngAnel* Dioptrias, TInfosZV Infos, TPathsZV) {
  auto* pai = static_cast<QWidget*>(Handle);
  return zv::RunModuleEntry(
      pai, {"Lente de contato", lente::kSemJanelas, "Não foi possível adaptar a lente"},
      [&] { return lente::Mostra(pai, Cabecalho, Pixels, Aneis, Dioptrias, Infos); });
}

static_assert(std::is_same_v<decltype(&ProcessaLente), TProcessaLente>);
