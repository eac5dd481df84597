// The exported entry points of the orthokeratology multi-map module.  Each call runs the
// module's modal window over the host's window and returns when it closes; nothing of the
// module outlives the call, and no C++ exception reaches the host.
#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <type_traits>

#include "ModuleApplication.h"
#include "QtDialogs.h"
#include "QtFormView.h"
#include "Streams.h"
#include "TfrmMapa.h"
#include "TfrmMapaView.h"
#include "TfrmRelatOrto.h"
#include "TfrmWizard.h"
#include "TfrmWizardView.h"
#include "UBConstantes.h"

#define KANDOR_EXPORT extern "C" __attribute__((visibility("default")))

namespace kandor {
namespace {

void Falha(QWidget* pai, const std::string& texto) {
  zv::ReportModuleFailure(pai, "Kandor", texto);
}

// A window handler run from Qt's event loop, which must not see an exception: a failure is
// reported over the window and the window stays open.
std::function<void()> Protegido(QWidget* janela, std::function<void()> handler) {
  return [janela, handler = std::move(handler)] {
    try {
      handler();
    } catch (const std::exception& e) {
      Falha(janela, std::string("Erro: ") + e.what());
    }
  };
}

std::vector<std::string> LeLinhas(TZVStream* stream) {
  if (!stream) return {};
  zv::StreamRewind(stream);
  return zv::StreamReadLines(stream);
}

bool TabelasSuficientes(const TMatrizesAngAnel& tabelas) {
  return tabelas.Items != nullptr && tabelas.Count >= kImagens;
}

int32_t MostraMapas(QWidget* pai, const TDadosPac& cabecalhos, const TMatrizesAngAnel& pixels,
                    const TMatrizesAngAnel& dioptrias, const TValoresOrto* valores,
                    const TInfosZV& infos) {
  auto estado = std::make_unique<EstadoMapas>();
  estado->Infos = infos;
  for (int i = 0; i < kImagens; ++i) {
    if (cabecalhos.Items && i < cabecalhos.Count)
      estado->Cabecalhos[i] = LeLinhas(cabecalhos.Items[i]);
    if (valores) {
      estado->ValoresSAG[i] = valores[i][0];
      estado->ValoresDIV[i] = valores[i][1];
      estado->ValoresR0[i] = valores[i][2];
    }
  }
  estado->NumAneis = infos.NumAneis;
  for (int i = 0; i < kImagens; ++i) {
    std::memcpy(estado->TabelasPixels[i], pixels.Items[i], sizeof(TMatrizAngAnel));
    std::memcpy(estado->TabelasDioptrias[i], dioptrias.Items[i], sizeof(TMatrizAngAnel));
  }

  TfrmRelatOrto relatorio;
  TfrmMapaView janela(pai);
  zv::QtFormView ponte(&janela);
  zv::QtDialogs dialogos(&janela);
  TfrmMapa mapa(ponte, *estado, relatorio, [&] { relatorio.Visualiza(&janela, dialogos); });
  janela.SpeedButton1Click = Protegido(&janela, [&] { mapa.SpeedButton1Click(); });
  janela.btnFecharClick = Protegido(&janela, [&] { mapa.btnFecharClick(); });
  mapa.FormShow();
  return janela.exec();
}

int32_t MostraWizard(QWidget* pai, TZVStream* listaExames, TZVStream* selecionados,
                     TZVStream* extra, const TInfosZV& infos) {
  TfrmWizardView janela(pai);
  zv::QtFormView ponte(&janela);
  zv::QtDialogs dialogos(&janela);
  TfrmWizard wizard(ponte, dialogos);
  janela.cmbPreChange = Protegido(&janela, [&] { wizard.cmbPreChange(); });
  janela.cmbPosChange = Protegido(&janela, [&] { wizard.cmbPosChange(); });
  janela.cmbAcomp1Change = Protegido(&janela, [&] { wizard.cmbAcomp1Change(); });
  janela.Button1Click = Protegido(&janela, [&] { wizard.Button1Click(); });
  janela.btnCancelarClick = Protegido(&janela, [&] { wizard.btnCancelarClick(); });
  wizard.ListaCandidatos = LeLinhas(listaExames);
  wizard.Infos = infos;
  wizard.FormShow();
  janela.exec();
  wizard.FormClose();

  if (extra) zv::StreamWriteLines(extra, wizard.ListaExtra());
  if (!wizard.Confirmado()) return 0;
  if (selecionados) {
    zv::StreamRewind(selecionados);
    zv::StreamWriteLines(selecionados, wizard.ListaSelecionados());
    // A longer earlier content must not trail the new list.
    const int64_t fim = selecionados->Seek(selecionados->context, 0, ZV_SEEK_CURRENT);
    if (selecionados->Size(selecionados->context) > fim)
      selecionados->SetSize(selecionados->context, fim);
  }
  return 1;
}

}  // namespace
}  // namespace kandor

using namespace kandor;

constexpr char kSemJanelas[] = "O módulo de mapas precisa de uma aplicação com janelas.";

KANDOR_EXPORT int32_t ProcessaMapas(void* Handle, TDadosPac Cabecalhos, TMatrizesAngAnel Pixels,
                                    TMatrizesAngAnel Dioptrias, const TValoresOrto* Valores,
                                    TInfosZV Infos) {
  auto* pai = static_cast<QWidget*>(Handle);
  return zv::RunModuleEntry(
      pai, {"Kandor", kSemJanelas, "Não foi possível mostrar os mapas"}, [&]() -> int32_t {
        if (!TabelasSuficientes(Pixels) || !TabelasSuficientes(Dioptrias)) {
          Falha(pai,
                "São necessárias as tabelas de quatro exames para mostrar "
                "os mapas.");
          return 0;
        }
        return MostraMapas(pai, Cabecalhos, Pixels, Dioptrias, Valores, Infos);
      });
}

KANDOR_EXPORT int32_t Wizard(void* Handle, TZVStream* ListaExames, TZVStream* Selecionados,
                             TZVStream* Extra, TInfosZV Infos) {
  auto* pai = static_cast<QWidget*>(Handle);
  return zv::RunModuleEntry(
      pai, {"Kandor", kSemJanelas, "Não foi possível selecionar os exames"},
      [&] { return MostraWizard(pai, ListaExames, Selecionados, Extra, Infos); });
}

KANDOR_EXPORT void InfoMapa(TZVStream* Saida) {
  if (!Saida) return;
  try {
    Saida->Seek(Saida->context, 0, ZV_SEEK_END);
    zv::StreamWriteLines(Saida, {"Quillon Ortoceratologia", "2", "4", "1.2.0.0"});
  } catch (...) {
  }
}

static_assert(std::is_same_v<decltype(&ProcessaMapas), TProcessaMapasOrto>);
static_assert(std::is_same_v<decltype(&Wizard), TWizard>);
static_assert(std::is_same_v<decltype(&InfoMapa), TInfoMapa>);
