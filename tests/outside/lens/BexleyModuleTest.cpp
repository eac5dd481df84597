// Bexley through the host's binding, on exams rendered by the simulated camera: the suggested
// lens of a sphere and of a prolate conicoid, the fluorescein readings as the base curve moves
// in its steps, and an exam without rings.
#include <gtest/gtest.h>

#include <QDoubleSpinBox>
#include <QLabel>
#include <cmath>

#include "ExameProcessado.h"
#include "JanelaModulo.h"
#include "NumberFormat.h"
#include "SimulatedCalibration.h"
#include "Streams.h"
#include "TestPaths.h"
#include "UBLCDLL.h"

namespace {

using zv::test::QuandoAparecer;

double Numero(QWidget* janela, const char* rotulo) {
  const QString texto = janela->findChild<QLabel*>(rotulo)->text();
  for (const QString& parte : texto.split(' '))
    if (double v; zv::TryStrToFloat(parte.toStdString(), v)) return v;
  return std::nan("");
}

class Bexley : public zv::test::ComCalibracaoSimulada {
 protected:
  void SetUp() override {
    infos.NumAneis = 32;
    infos.FatorCorrecao = 0.024;
    ASSERT_TRUE(zv::UBLCDLL::CarregaModulo(zv::test::BinDir() + "/Bexley.so"));
  }
  void TearDown() override { zv::UBLCDLL::LiberaModulo(); }
  void Chama(zv::test::Exame& e) {
    zv::UBLCDLL::ProcessaLente(&hospedeiro, nullptr, nullptr, 320, 240, &e.pixels, &e.aneis,
                               &e.dioptrias, infos, TPathsZV{});
  }

  QWidget hospedeiro;
  TInfosZV infos{};
};

TEST_F(Bexley, ASphereGetsItsOwnRadiusAndASteeperLensPoolsAtTheApex) {
  auto esfera = zv::test::Processa(placido::Cornea{}, Coef());
  std::map<std::string, double> v;
  QuandoAparecer("frmLente", [&](QWidget* j) {
    v["curva"] = Numero(j, "lblCurvaBase");
    v["diametro"] = Numero(j, "lblDiametro");
    v["apical"] = Numero(j, "lblApical");
    // Four steps steeper: 7.60 mm, some 49 um of tear film over the apex (hand computation in
    // the core test), and the lacrimal lens 337.5 / 7.6 - 337.5 / 7.8 = +1.14 D.
    j->findChild<QDoubleSpinBox*>("edtCurvaBase")->stepBy(-4);
    v["apicalIngreme"] = Numero(j, "lblApical");
    v["borda"] = Numero(j, "lblBorda");
    v["lacrimal"] = Numero(j, "lblLenteLacrimal");
    j->close();
  });
  Chama(*esfera);
  EXPECT_NEAR(v["curva"], 7.80, 1e-9);
  EXPECT_NEAR(v["diametro"], 9.2, 1e-9);
  EXPECT_LT(v["apical"], 5);
  EXPECT_NEAR(v["apicalIngreme"], 49, 5);
  EXPECT_LT(v["borda"], 12);
  EXPECT_NEAR(v["lacrimal"], 1.14, 0.05);
}

TEST_F(Bexley, AProlateCorneaTakesAFlatterBaseCurveThanItsFlatK) {
  placido::Cornea conicoide;
  conicoide.kind = placido::SurfaceKind::Conicoid;
  conicoide.asphericityQ = -0.25;
  auto exame = zv::test::Processa(conicoide, Coef());
  double curva = 0, excentricidade = 0;
  QuandoAparecer("frmLente", [&](QWidget* j) {
    curva = Numero(j, "lblCurvaBase");
    excentricidade = Numero(j, "lblExcentricidade");
    j->close();
  });
  Chama(*exame);
  EXPECT_NEAR(excentricidade, 0.5, 0.1);
  // 7.94 mm from R0 7.8 and e 0.5 (the flat K of the 3 mm zone reads a little flatter).
  EXPECT_GE(curva, 7.90);
  EXPECT_LE(curva, 8.00);
}

TEST_F(Bexley, AnExamWithoutRingsGivesAMessage) {
  auto vazio = std::make_unique<zv::test::Exame>();
  std::string mensagem;
  zv::test::QuandoMensagem(mensagem);
  Chama(*vazio);
  EXPECT_NE(mensagem.find("não é possível sugerir uma lente"), std::string::npos) << mensagem;
}

}  // namespace
