// Astigmatic and irregular corneas through the chain: rendered torics at oblique axes, whose
// meridians the detector must find at the right rows and whose cylinder the dioptre table must
// keep, and a cone whose peak power the clean-up must not flatten.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>

#include "CenasPlacido.h"
#include "ScriptedDialogs.h"
#include "TestPaths.h"

namespace vessik {
namespace {

using test::Calibra;
using test::InicioVarredura;
using test::LinhaDoMeridiano;
using test::Renderiza;
using test::Torica;
using zv::test::ScriptedDialogs;
using zv::test::TempDir;

// The two-fold (cos 2θ) component of the given rings of a table, θ being the row number in
// degrees: its amplitude and the row, in 0..180, where it is largest.
struct Astigmatismo {
  double amplitude = 0;
  double linhaMaxima = 0;
};

Astigmatismo ComponenteDupla(const TabelaAneis& t, int primeiro, int ultimo) {
  double somaAmplitude = 0, c = 0, s = 0;
  for (int j = primeiro; j <= ultimo; ++j) {
    double media = 0, cj = 0, sj = 0;
    for (int m = 1; m <= kAngulos; ++m) media += t[m - 1][j] / kAngulos;
    for (int m = 1; m <= kAngulos; ++m) {
      const double teta = 2 * m * std::numbers::pi / 180, v = t[m - 1][j] - media;
      cj += v * std::cos(teta) * 2 / kAngulos, sj += v * std::sin(teta) * 2 / kAngulos;
    }
    somaAmplitude += std::hypot(cj, sj);
    c += cj, s += sj;
  }
  double linha = std::atan2(s, c) * 180 / std::numbers::pi / 2;
  if (linha < 0) linha += 180;
  return {somaAmplitude / (ultimo - primeiro + 1), linha};
}

// Difference of two rows folded into -90..90.
double DiferencaAngular(double a, double b) {
  return std::remainder(a - b, 180.0);
}

TEST(Detecta, RaysOfAnObliqueToricLandOnTheirRows) {
  // The steep meridian reflects the rings smallest: the ring radii are lowest on its rows.
  for (double eixo : {30.0, 125.0}) {
    const ImagemRGB img = Renderiza(Torica(7.6, 8.0, eixo), 32);
    ScriptedDialogs dialogs;
    auto s = std::make_unique<ProcessingSession>(32, placido::MillimetresPerPixel(), "", dialogs);
    s->RefinaCentro(img, 320, 240);
    s->Detecta(img, InicioVarredura(32));
    const Astigmatismo a = ComponenteDupla(s->bruta, 5, 20);
    const double linhaCurva = a.linhaMaxima + 90;
    EXPECT_GT(a.amplitude, 1.0) << eixo;
    EXPECT_NEAR(DiferencaAngular(linhaCurva, LinhaDoMeridiano(eixo)), 0, 0.3)
        << "steep axis " << eixo << ": found at row " << std::fmod(linhaCurva, 180);
  }
}

// The whole chain as the batch tool runs it, with a calibration made on the four reference
// spheres once for the suite.
class Cadeia : public ::testing::Test {
 protected:
  static constexpr int kAneis = 32;
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    ScriptedDialogs dialogs;
    Calibra(*dir_ / "Coef.txt", kAneis, dialogs);
  }
  static void TearDownTestSuite() { delete dir_; }

  std::unique_ptr<ProcessingSession> Processa(const placido::Cornea& cornea) {
    auto s = std::make_unique<ProcessingSession>(kAneis, placido::MillimetresPerPixel(),
                                                 dir_->path(), dialogs_);
    s->ProcessaAneis(Renderiza(cornea, kAneis), 320, 240, InicioVarredura(kAneis));
    EXPECT_EQ(s->FinalizaImagem(), ResultadoFinalizacao::Armazenada);
    EXPECT_TRUE(dialogs_.shown.empty());
    return s;
  }

  static TempDir* dir_;
  ScriptedDialogs dialogs_;
};

TempDir* Cadeia::dir_ = nullptr;

struct CasoTorico {
  double curvoMm, planoMm;
};

TEST_F(Cadeia, DioptreTableKeepsTheCylinderAndAxisOfTorics) {
  // Cylinder and steep meridian from the two-fold component of rings 5 to 20 of the dioptre
  // table: half the cylinder is its amplitude, the steep meridian its maximum.
  std::printf("steep/flat mm  axis  true D  ring 10 D  rings 5-20 D  ratio  axis error\n");
  for (const CasoTorico c : {CasoTorico{7.8, 8.0}, {7.6, 8.0}, {7.5, 8.1}, {7.4, 8.2}})
    for (double eixo : {30.0, 125.0}) {
      const auto s = Processa(Torica(c.curvoMm, c.planoMm, eixo));
      const double cilindro = 337.5 / c.curvoMm - 337.5 / c.planoMm;
      const Astigmatismo aneis = ComponenteDupla(s->MatrizesDioptrias[0], 5, 20);
      const Astigmatismo anel10 = ComponenteDupla(s->MatrizesDioptrias[0], 10, 10);
      const double medido = 2 * aneis.amplitude;
      const double erroEixo = DiferencaAngular(aneis.linhaMaxima, LinhaDoMeridiano(eixo));
      std::printf("%.1f/%.1f  %5.0f  %6.2f  %9.2f  %12.2f  %4.0f %%  %+.2f\n", c.curvoMm, c.planoMm,
                  eixo, cilindro, 2 * anel10.amplitude, medido, 100 * medido / cilindro, erroEixo);
      EXPECT_NEAR(medido, cilindro, 0.05 * cilindro)
          << c.curvoMm << "/" << c.planoMm << " " << eixo;
      EXPECT_NEAR(erroEixo, 0, 2) << c.curvoMm << "/" << c.planoMm << " " << eixo;
    }
}

// Largest power over rings 2..N-1 of a dioptre table.
double Pico(const TabelaAneis& potencias, int aneis) {
  double pico = 0;
  for (const auto& linha : potencias)
    for (int j = 2; j < aneis; ++j) pico = std::max(pico, linha[j]);
  return pico;
}

TEST_F(Cadeia, ConePeakSurvivesTheCleanUp) {
  // Cones 1.5 and 1.2 mm wide, 1 mm below and right of the apex.
  for (double largura : {1.5, 1.2}) {
    placido::Cornea cone;
    cone.kind = placido::SurfaceKind::Keratoconus;
    cone.apicalRadiusMm = 7.8;
    cone.coneCentreXmm = 0.6, cone.coneCentreYmm = -0.8;
    cone.coneRadiusMm = largura, cone.coneSteepeningMm = 0.02;
    const auto s = Processa(cone);
    // The raw detection through the same conversion, without the clean-up.
    const auto coef = LeCoeficientes(*dir_ / "Coef.txt", kAneis, dialogs_);
    ASSERT_TRUE(coef);
    auto bruta = std::make_unique<TabelaAneis>();
    ContagemAneis contagens;
    int linhasCompletas = 0;
    for (int k = 0; k < kAngulos; ++k) {
      contagens[k] =
          std::count_if(s->bruta[k].begin() + 1, s->bruta[k].end(), [](double v) { return v > 0; });
      linhasCompletas += contagens[k] == kAneis;
    }
    ASSERT_GT(linhasCompletas, 300) << largura;
    ASSERT_TRUE(ConverteAneis(s->bruta, contagens, *coef, kAneis, *bruta, dialogs_));
    SuavizaPotencias(s->bruta, contagens, kAneis, *bruta);
    const double picoBruto = Pico(*bruta, kAneis), pico = Pico(s->MatrizesDioptrias[0], kAneis);
    std::printf("cone %.1f mm wide: peak of the raw table %.2f D, of the finished one %.2f D\n",
                largura, picoBruto, pico);
    EXPECT_GT(picoBruto, 337.5 / 7.8 + 3) << largura;  // the cone is there to be kept
    EXPECT_NEAR(pico, picoBruto, 0.5) << largura;
  }
}

}  // namespace
}  // namespace vessik
