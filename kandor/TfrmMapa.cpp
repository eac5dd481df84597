#include "TfrmMapa.h"

#include <QPainter>

#include "DesenhoMapa.h"
#include "NumberFormat.h"
#include "TfrmRelatOrto.h"

namespace kandor {
namespace {

std::string Valor(double v) {
  return zv::FormatFloat("#0.0000", v);
}

}  // namespace

TfrmMapa::TfrmMapa(zv::FormView& view, EstadoMapas& estado, TfrmRelatOrto& relatorio,
                   std::function<void()> visualizaRelatorio)
    : view_(view),
      estado_(estado),
      relatorio_(relatorio),
      visualizaRelatorio_(std::move(visualizaRelatorio)) {}

void TfrmMapa::FormShow() {
  PreencheCabecalho();
  for (auto& aneis : estado_.Aneis) AneisUniformes(aneis, estado_.NumAneis);
  estado_.Escala = PreparaEscala();
  DesenhaMapas();
  DesenhaLegenda();
  MostraValores();
}

void TfrmMapa::PreencheCabecalho() {
  view_.SetText("lblnome", estado_.LinhaCabecalho(0, 0));
  view_.SetText("lblID", estado_.LinhaCabecalho(0, 1));
  view_.SetText("lblrg", estado_.LinhaCabecalho(0, 2));
  view_.SetText("lblOlho", estado_.LinhaCabecalho(0, 3));
  nomeMedico_ = estado_.LinhaCabecalho(0, 6);
  for (int i = 0; i < kImagens; ++i) {
    view_.SetText(kBarrasTitulo[i], "Imagem" + std::to_string(i + 1) + " - " +
                                        estado_.LinhaCabecalho(i, 4) + " " +
                                        estado_.LinhaCabecalho(i, 5));
    view_.SetText("lblIndConf" + std::to_string(i + 1), estado_.LinhaCabecalho(i, 7) + "%");
  }
  if (auto nome = NomeModelo(estado_.Infos.Modelo)) view_.SetText("lblTipoZV", *nome);
}

void TfrmMapa::DesenhaMapas() {
  for (int i = 0; i < kImagens; ++i) {
    PreencheGrade(estado_.Grades[i], estado_.TabelasDioptrias[i], estado_.TabelasPixels[i], 1.0,
                  estado_.Aneis[i]);
    QImage imagem = DesenhaImagemMapa(estado_.Grades[i], estado_.Aneis[i], estado_.TabelasPixels[i],
                                      estado_.Escala, QSize(kLarguraFigura, kAlturaFigura),
                                      QSize(290, 218), Qt::black);
    QPainter p(&imagem);
    MarcaAngulos(p, 105, Qt::yellow);
    CirculoPontilhado(p, 100, Qt::yellow);
    p.end();
    view_.SetImage(kImagensMapa[i], imagem);
  }
}

void TfrmMapa::DesenhaLegenda() {
  QImage legenda(85, 466, QImage::Format_RGB32);
  legenda.fill(Qt::black);
  QPainter p(&legenda);
  LayoutEscala layout;
  layout.x1 = legenda.width() - 15;
  layout.y1 = legenda.height();
  DesenhaEscala(p, estado_.Escala, layout);
  p.end();
  view_.SetImage("ImgEscala", legenda);
}

void TfrmMapa::MostraValores() {
  MediaValores(estado_.ValoresSAG, estado_.ValoresDIV, estado_.ValoresR0);
  struct Caixa {
    const std::array<double, 5>& valores;
    std::array<const char*, 6> nomes;
  };
  const Caixa caixas[] = {
      {estado_.ValoresSAG, {"sag1", "sag2", "sag3", "sag4", "sagMedio", "sagDesvio"}},
      {estado_.ValoresDIV, {"div1", "div2", "div3", "div4", "divMedio", "divDesvio"}},
      {estado_.ValoresR0, {"raio1", "raio2", "raio3", "raio4", "raiomedio", "raioDesvio"}},
  };
  for (const auto& c : caixas) {
    for (int i = 0; i < 5; ++i) view_.SetText(c.nomes[i], Valor(c.valores[i]));
    view_.SetText(c.nomes[5], Valor(DesvioPadrao(c.valores)));
  }
}

void TfrmMapa::SpeedButton1Click() {
  relatorio_.PreparaRelatorioOrto(*this);
  if (visualizaRelatorio_) visualizaRelatorio_();
}

void TfrmMapa::btnFecharClick() {
  view_.Close(kResultadoFechar);
}

}  // namespace kandor
