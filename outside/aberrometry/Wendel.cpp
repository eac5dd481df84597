// The exported entry point of the aberrometry module.  The host never releases this module, so
// nothing here outlives a call: every call reads its tables, shows its window and forgets.
// Arguments it does not need: the cone type, the device model, the apex distance Z0 and the
// last integer; Tres is the radius of the analysed pupil in millimetres (3.0: a 6 mm pupil),
// Largura and Altura the size of the map picture.
#include <QWidget>
#include <algorithm>
#include <cstring>
#include <memory>
#include <type_traits>

#include "Elevacao.h"
#include "ModuleApplication.h"
#include "Streams.h"
#include "TfrmAberrometria.h"
#include "UBConstantes.h"
#include "ViesAmostragem.h"

#define WENDEL_EXPORT extern "C" __attribute__((visibility("default")))

namespace aberrometria {
namespace {

constexpr char kSemJanelas[] = "O módulo de aberrometria precisa de uma aplicação com janelas.";

std::vector<std::string> Linhas(TZVStream* stream) {
  if (!stream) return {};
  zv::StreamRewind(stream);
  return zv::StreamReadLines(stream);
}

int32_t Mostra(QWidget* pai, const TMatrizAngAnel* pixels, const TMatrizAngAnel* dioptrias,
               const TMatrizAng* aneis, uint8_t numAneis, double raioPupila, double fator,
               int32_t largura, int32_t altura, TZVStream* cabecalho, const TZVTextList* clinica) {
  mapas::GradePotencia axial;
  const int aneisDoCone = numAneis == 16 ? 16 : 32;
  if (pixels && dioptrias && aneis) {
    // The host's table stays as it is: the detector's bias comes out of a copy.
    struct Tabela {
      TMatrizAngAnel valores;
    };
    auto corrigidas = std::make_unique<Tabela>();
    std::memcpy(corrigidas->valores, *dioptrias, sizeof(TMatrizAngAnel));
    CorrigeViesMeridional(*pixels, *aneis, aneisDoCone, corrigidas->valores);
    axial = mapas::CalculaGrade(mapas::TipoMapa::Axial, *pixels, *aneis, corrigidas->valores,
                                aneisDoCone, mapas::MilimetrosPorPixel(fator));
  }
  DadosAberrometria dados;
  dados.analise = AnalisaSagitta(mapas::CalculaSagitta(axial),
                                 raioPupila >= 0.5 && raioPupila <= 5 ? raioPupila : 3.0);
  if (!dados.analise.valida) {
    zv::ReportModuleFailure(pai, "Aberrometria",
                            "Os anéis do exame não cobrem uma zona de pelo menos 2 mm da "
                            "córnea: não há dados para a aberrometria.");
    return 0;
  }
  dados.ceratometria = mapas::CalculaCeratometria(axial);
  dados.cabecalho = Linhas(cabecalho);
  if (clinica && clinica->Lines)
    for (int32_t i = 0; i < clinica->Count; ++i)
      dados.clinica.push_back(clinica->Lines[i] ? clinica->Lines[i] : "");
  dados.lado = std::clamp(std::min(largura, altura), 200, 600);
  TfrmAberrometria janela(pai, dados);
  return janela.exec();
}

}  // namespace
}  // namespace aberrometria

WENDEL_EXPORT int32_t ProcessaAberrometria(void* Handle, TMatrizAngAnel* Pixels,
                                           TMatrizAngAnel* Dioptrias, TMatrizAng* Aneis,
                                           const char*, uint8_t NumAneis, uint8_t, double Tres,
                                           double FatorCorrecao, double, int32_t Largura,
                                           int32_t Altura, int32_t, TZVStream* Cabecalho,
                                           const TZVTextList* DadosClinica) {
  auto* pai = static_cast<QWidget*>(Handle);
  return zv::RunModuleEntry(
      pai, {"Aberrometria", aberrometria::kSemJanelas, "Não foi possível calcular a aberrometria"},
      [&] {
        return aberrometria::Mostra(pai, Pixels, Dioptrias, Aneis, NumAneis, Tres, FatorCorrecao,
                                    Largura, Altura, Cabecalho, DadosClinica);
      });
}

static_assert(std::is_same_v<decltype(&ProcessaAberrometria), TProcessaAberrometria>);
