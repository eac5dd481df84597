// The Zernike analysis on sag grids built by hand: the polynomials' values and ordering, a
// sphere with known terms added in front of it, and the sag integrated from an axial map.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "Elevacao.h"
#include "Zernike.h"

namespace {

using namespace aberrometria;
constexpr double kPi = std::numbers::pi;

TEST(Zernike, OsaIndexAndValuesAtHandPoints) {
  struct Caso {
    int j, n, m;
    double rho, theta, valor;
  };
  const Caso casos[] = {
      {4, 2, 0, 1, 0, std::sqrt(3.0)},         // defocus sqrt3 (2 rho^2 - 1)
      {5, 2, 2, 1, 0, std::sqrt(6.0)},         // sqrt6 rho^2 cos 2t
      {7, 3, -1, 1, kPi / 2, std::sqrt(8.0)},  // sqrt8 (3 rho^3 - 2 rho) sin t
      {12, 4, 0, 1, 0, std::sqrt(5.0)},        // sqrt5 (6 rho^4 - 6 rho^2 + 1)
      {12, 4, 0, 0.5, 1, std::sqrt(5.0) * -0.125},
      {27, 6, 6, 1, kPi / 6, -std::sqrt(14.0)},  // sqrt14 rho^6 cos 6t
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(IndiceOSA(c.j).n, c.n) << c.j;
    EXPECT_EQ(IndiceOSA(c.j).m, c.m) << c.j;
    EXPECT_NEAR(Zernike(c.j, c.rho, c.theta), c.valor, 1e-12) << c.j;
  }
  EXPECT_EQ(NomeDoTermo(12), "Aberração esférica");
}

// The sag of a 7.8 mm sphere with `termos` (j, micrometres over a 3 mm pupil radius) standing in
// front of it, out to 4 mm.
mapas::GradePotencia SagittaDe(const std::vector<std::pair<int, double>>& termos) {
  mapas::GradePotencia g;
  for (int m = 1; m <= mapas::kMeridianos; ++m) {
    const double t = mapas::AnguloClinico(m) * kPi / 180;
    for (int p = 0; p * g.mmPorPixel <= 4.0; ++p) {
      const double r = p * g.mmPorPixel;
      double frente = 0;
      for (const auto& [j, c] : termos) frente += c * Zernike(j, r / 3.0, t);
      g.Define(m, p, 7.8 - std::sqrt(7.8 * 7.8 - r * r) - frente / 1000);
    }
  }
  return g;
}

TEST(Zernike, TermsInFrontOfASphereComeBackWithTheirSigns) {
  const auto esfera = AnalisaSagitta(SagittaDe({}), 3.0);
  ASSERT_TRUE(esfera.valida);
  EXPECT_NEAR(esfera.raioEsferaMm, 7.8, 1e-3);
  EXPECT_NEAR(esfera.raioPupilaMm, 3.0, 1e-12);
  EXPECT_LT(esfera.rmsAltaOrdem, 1e-3);

  const auto a = AnalisaSagitta(
      SagittaDe({{7, 0.5}, {12, 0.2}, {9, -0.3}, {24, 0.1}, {14, 0.15}, {27, -0.08}}), 3.0);
  ASSERT_TRUE(a.valida);
  EXPECT_NEAR(a.coeficientes[7], 0.5, 0.02);
  EXPECT_NEAR(a.coeficientes[12], 0.2, 0.02);
  EXPECT_NEAR(a.coeficientes[9], -0.3, 0.02);
  EXPECT_NEAR(a.coeficientes[24], 0.1, 0.02);
  EXPECT_NEAR(a.coeficientes[14], 0.15, 0.02);
  EXPECT_NEAR(a.coeficientes[27], -0.08, 0.02);
  EXPECT_NEAR(a.rmsAltaOrdem, std::sqrt(0.25 + 0.04 + 0.09 + 0.01 + 0.0225 + 0.0064), 0.02);
  for (int j : {6, 8, 10, 11, 13, 20, 21}) EXPECT_NEAR(a.coeficientes[j], 0, 0.02) << j;
}

TEST(Zernike, ThePupilShrinksToTheZoneTheRingsCover) {
  auto g = SagittaDe({});
  for (int m = 1; m <= mapas::kMeridianos; ++m)
    for (int p = 0; p <= mapas::kRaioMaximoPx; ++p)
      if (p * g.mmPorPixel > 2.0) g.Define(m, p, std::nan(""));
  const auto a = AnalisaSagitta(g, 3.0);
  ASSERT_TRUE(a.valida);
  EXPECT_NEAR(a.raioPupilaMm, 2.0, g.mmPorPixel);

  for (int m = 1; m <= mapas::kMeridianos; ++m)
    for (int p = 0; p <= mapas::kRaioMaximoPx; ++p)
      if (p * g.mmPorPixel > 0.9) g.Define(m, p, std::nan(""));
  EXPECT_FALSE(AnalisaSagitta(g, 3.0).valida);
  EXPECT_FALSE(AnalisaSagitta(mapas::GradePotencia{}, 3.0).valida);
}

TEST(Elevacao, SagOfAnAxialMapOfOneSphereIsThatSphere) {
  mapas::GradePotencia axial;
  for (int m = 1; m <= mapas::kMeridianos; ++m)
    for (int p = 0; p <= 200; ++p) axial.Define(m, p, 337.5 / 7.8);
  const auto sag = mapas::CalculaSagitta(axial);
  for (int p : {0, 50, 125, 200})
    EXPECT_NEAR(sag.Valor(90, p), 7.8 - std::sqrt(7.8 * 7.8 - std::pow(p * 0.024, 2)), 1e-9);
  EXPECT_TRUE(std::isnan(sag.Valor(90, 201)));
  EXPECT_NEAR(mapas::RaioCoberto(sag), 200 * 0.024, 1e-9);

  // One meridian 1 D off, as a detection fault leaves it, does not bend its profile.
  for (int p = 0; p <= 200; ++p) axial.Define(90, p, 337.5 / 7.8 + 1.0);
  EXPECT_NEAR(mapas::CalculaSagitta(axial).Valor(90, 200), sag.Valor(90, 200), 1e-12);
}

}  // namespace
