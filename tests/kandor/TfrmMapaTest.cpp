// The four-map window's model over a fake view, and its Qt view's control names.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>

#include "DesenhoMapa.h"
#include "EstadoTeste.h"
#include "FakeFormView.h"
#include "QtFormView.h"
#include "TfrmMapa.h"
#include "TfrmMapaView.h"
#include "TfrmRelatOrto.h"

namespace kandor {
namespace {

struct JanelaMapa : ::testing::Test {
  std::unique_ptr<EstadoMapas> estado = test::EstadoDeQuatroExames();
  zv::test::FakeFormView view;
  TfrmRelatOrto relatorio;
  int previas = 0;
  TfrmMapa mapa{view, *estado, relatorio, [this] { ++previas; }};
};

TEST_F(JanelaMapa, ShowFillsHeaderCaptionsAndConfidence) {
  view["lblTipoZV"].text = "antes";
  mapa.FormShow();
  EXPECT_EQ(view["lblnome"].text, "Maria da Conceição");
  EXPECT_EQ(view["lblID"].text, "17");
  EXPECT_EQ(view["lblrg"].text, "12.345.678-9");
  EXPECT_EQ(view["lblOlho"].text, "Olho Direito");
  EXPECT_EQ(mapa.NomeMedico(), "Dr. Álvaro Reis");
  EXPECT_EQ(view["pnlTopo1"].text, "Imagem1 - 01/03/2026 10:21:00");
  EXPECT_EQ(view["pnltopo4"].text, "Imagem4 - 04/03/2026 10:24:00");
  EXPECT_EQ(view["lblIndConf3"].text, "93%");
  EXPECT_EQ(view["lblTipoZV"].text, "ZarvikSL ");
}

TEST_F(JanelaMapa, UnknownModelAndShortHeadersLeaveTextsAsTheyWere) {
  estado->Infos.Modelo = 7;
  estado->Cabecalhos[0] = {"Só o nome"};
  estado->Cabecalhos[2].clear();
  view["lblTipoZV"].text = "antes";
  mapa.FormShow();
  EXPECT_EQ(view["lblTipoZV"].text, "antes");
  EXPECT_EQ(view["lblnome"].text, "Só o nome");
  EXPECT_EQ(view["lblOlho"].text, "");
  EXPECT_EQ(view["pnltopo3"].text, "Imagem3 -  ");
  EXPECT_EQ(view["lblIndConf3"].text, "%");
}

TEST_F(JanelaMapa, ValueBoxesShowMeanAndDeviation) {
  mapa.FormShow();
  const struct {
    const char* nome;
    const char* texto;
  } casos[] = {{"sag1", "1.0000"},      {"sag4", "4.0000"},      {"sagMedio", "2.5000"},
               {"sagDesvio", "1.2910"}, {"divMedio", "11.5000"}, {"divDesvio", "0.0000"},
               {"raio2", "7.9000"},     {"raiomedio", "7.9500"}, {"raioDesvio", "0.1291"}};
  for (const auto& c : casos) EXPECT_EQ(view[c.nome].text, c.texto) << c.nome;
}

TEST_F(JanelaMapa, FourMapImagesCentredWithTheirOwnColours) {
  mapa.FormShow();
  const EscalaCores escala = PreparaEscala();
  for (const char* nome : TfrmMapa::kImagensMapa) {
    const QImage img = view[nome].image;
    ASSERT_EQ(img.size(), QSize(290, 218)) << nome;
    EXPECT_EQ(img.pixel(0, 0), 0xFF000000u) << nome;  // outside the disc
  }
  const auto cor = [&](double p) { return NivelCor(escala, p).Argb(); };
  // Sphere of 7.8 mm: 43.27 D everywhere on the disc; the map centre sits at (145, 109).
  EXPECT_EQ(view["Img01"].image.pixel(146, 110), cor(337.5 / 7.8));
  EXPECT_EQ(view["Img01"].image.pixel(146 + 60, 110), cor(337.5 / 7.8));
  // Toric: meridian 360 flat (7.9 mm), meridian 270 steep (7.6 mm).
  EXPECT_EQ(view["IMg02"].image.pixel(146 + 40, 110), cor(337.5 / 7.9));
  EXPECT_EQ(view["IMg02"].image.pixel(146, 110 - 40), cor(337.5 / 7.6));
  // Orthokeratology: flat centre, steep ring near 110 captured pixels (47 picture pixels).
  EXPECT_EQ(view["Img03"].image.pixel(146, 110), cor(estado->Grades[2].Valor(360, 0)));
  EXPECT_LT(NivelDe(estado->Grades[2].Valor(360, 0)), NivelDe(estado->Grades[2].Valor(360, 110)));
  EXPECT_EQ(view["Img03"].image.pixel(146 + 47, 110), cor(estado->Grades[2].Valor(360, 109)));
  // The legend is drawn on black.
  EXPECT_EQ(view["ImgEscala"].image.size(), QSize(85, 466));
}

TEST_F(JanelaMapa, PreviewFillsTheReportAndCloseReturnsTwo) {
  mapa.FormShow();
  mapa.SpeedButton1Click();
  EXPECT_EQ(previas, 1);
  EXPECT_EQ(relatorio.Texto("qrPaciente"), "Maria da Conceição");
  EXPECT_FALSE(view.closed);
  mapa.btnFecharClick();
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(view.closeResult, 2);
}

TEST_F(JanelaMapa, EveryControlTheModelUsesExistsInTheQtView) {
  mapa.FormShow();
  mapa.SpeedButton1Click();
  mapa.btnFecharClick();
  TfrmMapaView janela;
  zv::QtFormView ponte(&janela);
  for (const auto& nome : view.UsedNames()) EXPECT_TRUE(ponte.Has(nome)) << nome;
  EXPECT_EQ(janela.size(), QSize(811, 579));
  EXPECT_EQ(ponte.Text("btnFechar"), "Fe&char");
  EXPECT_EQ(ponte.Text("SpeedButton1"), "Visualizar impressão");
  EXPECT_EQ(ponte.Text("sag1"), "#");
  EXPECT_EQ(ponte.Text("pnlTopo1"), "Imagem 01");
  EXPECT_EQ(ponte.Text("lblIndConf4"), "100%");
}

TEST(TfrmMapaView, HeaderAndValueTextsAreShownAsTheyCome) {
  // Header lines are typed by the operator: a name that looks like markup keeps its brackets.
  TfrmMapaView janela;
  zv::QtFormView ponte(&janela);
  const QString texto = "<b></b><i></i><u></u>";
  for (const char* nome :
       {"lblnome", "lblID", "lblrg", "lblOlho", "pnlTopo1", "lblIndConf1", "lblTipoZV", "sag1"}) {
    ponte.SetText(nome, texto.toStdString());
    auto* rotulo = janela.findChild<QLabel*>(nome);
    ASSERT_NE(rotulo, nullptr) << nome;
    rotulo->ensurePolished();
    EXPECT_GE(rotulo->sizeHint().width(), QFontMetrics(rotulo->font()).horizontalAdvance(texto))
        << nome;
  }
}

}  // namespace
}  // namespace kandor
