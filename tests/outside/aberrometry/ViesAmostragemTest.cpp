// The detector's meridional bias as the aberrometry module models it, against what the detector
// does on a sphere rendered by the simulated camera.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "ExameProcessado.h"
#include "ViesAmostragem.h"

namespace {

using aberrometria::CorrigeViesMeridional;
using aberrometria::ViesMeridional;

// The cos 4a component of a value per table row, a the row's ray angle: row k looks along
// k + 2 degrees.
double QuatroVezes(const std::vector<double>& v) {
  double soma = 0;
  for (int k = 0; k < 360; ++k) soma += v[k] * std::cos(4 * (k + 2) * std::numbers::pi / 180);
  return 2 * soma / 360;
}

// Per row, the mean over rings 3..28 of a table's departure from each ring's mean, each ring's
// departure scaled by `escala(ring)`.
template <class F>
std::vector<double> Desvios(const TMatrizAngAnel& t, F escala) {
  std::vector<double> d(360, 0.0);
  for (int j = 3; j <= 28; ++j) {
    double media = 0;
    for (int k = 0; k < 360; ++k) media += t[k][j] / 360;
    for (int k = 0; k < 360; ++k) d[k] += (t[k][j] - media) * escala(j) / 26;
  }
  return d;
}

class ViesAmostragem : public zv::test::ComCalibracaoSimulada {};

TEST_F(ViesAmostragem, TheModelledBiasIsTheDetectorsFourFoldPatternOnARenderedSphere) {
  auto esfera = zv::test::Processa(placido::Cornea{}, Coef());
  std::vector<double> raios(32, 0.0);
  for (int j = 1; j <= 32; ++j)
    for (int k = 0; k < 360; ++k) raios[j - 1] += esfera->pixels[k][j] / 360;
  const auto modelo = ViesMeridional(raios);

  // Along the axes the detector's pixels are 1 pixel apart and the edge is given on average
  // half a pixel short; on the diagonals they are up to 1.4 pixels apart and it falls shorter.
  // So the rings come out farther along the axes: a positive cos 4a pattern, a few hundredths
  // of a pixel after the detector's smoothing over seven rays.
  const double medido = QuatroVezes(Desvios(esfera->pixels, [](int) { return 1.0; }));
  EXPECT_GT(medido, 0.015);
  EXPECT_NEAR(QuatroVezes({modelo.begin(), modelo.end()}), medido, 0.01);

  // Its correction takes most of the four-fold pattern out of the sphere's powers (relative
  // to each ring's mean power).
  auto corrigido = std::make_unique<zv::test::Exame>(*esfera);
  CorrigeViesMeridional(esfera->pixels, esfera->aneis, 32, corrigido->dioptrias);
  auto relativo = [&](const zv::test::Exame& e) {
    return QuatroVezes(Desvios(e.dioptrias, [&](int j) { return 1 / e.dioptrias[0][j]; }));
  };
  EXPECT_LT(std::abs(relativo(*corrigido)), std::abs(relativo(*esfera)) / 3);
}

TEST_F(ViesAmostragem, TablesWithoutEveryRingOnMostRowsAreLeftAsTheyAre) {
  auto exame = zv::test::Processa(placido::Cornea{}, Coef());
  for (int k = 0; k < 100; ++k) exame->aneis[k] = 20;
  auto corrigido = std::make_unique<zv::test::Exame>(*exame);
  CorrigeViesMeridional(exame->pixels, exame->aneis, 32, corrigido->dioptrias);
  for (int k = 0; k < 360; ++k)
    for (int j = 0; j <= 32; ++j) ASSERT_EQ(corrigido->dioptrias[k][j], exame->dioptrias[k][j]);

  EXPECT_EQ(ViesMeridional({}), (std::array<double, 360>{}));
  EXPECT_EQ(ViesMeridional({40, 30, 50}), (std::array<double, 360>{}));
  EXPECT_EQ(ViesMeridional({20, 260}), (std::array<double, 360>{}));
}

}  // namespace
