// Astigmatic corneas through the chain: rendered torics at oblique axes, whose meridians the
// detector must find at the right rows.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "CenasPlacido.h"
#include "ScriptedDialogs.h"

namespace vessik {
namespace {

using test::InicioVarredura;
using test::LinhaDoMeridiano;
using test::Renderiza;
using test::Torica;
using zv::test::ScriptedDialogs;

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

}  // namespace
}  // namespace vessik
