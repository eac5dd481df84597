// The four-map window: patient header, the four orthokeratology maps in a two-by-two grid, the
// colour scale and the SAG, DIV and R0 boxes.  Everything is computed and drawn when the
// window is shown; afterwards it waits for "Visualizar impressão" or "Fe&char".
#pragma once
#include <array>
#include <functional>
#include <string>

#include "EstadoMapas.h"
#include "FormView.h"

namespace kandor {

class TfrmRelatOrto;

class TfrmMapa {
 public:
  // The closing state of the window ("Fe&char"), returned by ProcessaMapas.
  static constexpr int kResultadoFechar = 2;
  static constexpr std::array<const char*, kImagens> kImagensMapa = {"Img01", "IMg02", "Img03",
                                                                     "Img04"};
  static constexpr std::array<const char*, kImagens> kBarrasTitulo = {"pnlTopo1", "pnltopo2",
                                                                      "pnltopo3", "pnltopo4"};

  // `visualizaRelatorio` opens the print preview of the filled report.
  TfrmMapa(zv::FormView& view, EstadoMapas& estado, TfrmRelatOrto& relatorio,
           std::function<void()> visualizaRelatorio);

  void FormShow();
  void SpeedButton1Click();
  void btnFecharClick();

  zv::FormView& View() const { return view_; }
  const EstadoMapas& Estado() const { return estado_; }
  const std::string& NomeMedico() const { return nomeMedico_; }

 private:
  void PreencheCabecalho();
  void DesenhaMapas();
  void DesenhaLegenda();
  void MostraValores();

  zv::FormView& view_;
  EstadoMapas& estado_;
  TfrmRelatOrto& relatorio_;
  std::function<void()> visualizaRelatorio_;
  std::string nomeMedico_;
};

}  // namespace kandor
