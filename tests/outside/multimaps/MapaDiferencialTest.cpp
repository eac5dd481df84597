// The difference of two maps and what a follow-up reads from it, on grids built by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "MapaDiferencial.h"

namespace multimapas {
namespace {

using mapas::GradePotencia;

// A grid of `f(radius in mm)` on every meridian up to `ateMm`, 0.024 mm per pixel.
template <typename F>
GradePotencia Grade(F f, double ateMm = 4.0) {
  GradePotencia g;
  g.mmPorPixel = 0.024;
  for (int m = 1; m <= 360; ++m)
    for (int r = 0; r * g.mmPorPixel <= ateMm; ++r) g.Define(m, r, f(r * g.mmPorPixel, m));
  return g;
}

TEST(MapaDiferencial, DifferenceIsAfterMinusBeforeWhereBothHaveValues) {
  const auto antes = Grade([](double, int) { return 43.0; }, 4.0);
  const auto depois = Grade([](double r, int) { return 41.0 + r; }, 3.0);
  const auto d = Diferenca(antes, depois);
  EXPECT_NEAR(d.Valor(90, 50), -2.0 + 50 * 0.024, 1e-12);
  EXPECT_TRUE(std::isfinite(d.Valor(1, 125)));  // 3.0 mm
  EXPECT_TRUE(std::isnan(d.Valor(1, 130)));     // only the before map reaches 3.12 mm
  EXPECT_NEAR(VariacaoCentral(Diferenca(antes, antes)), 0, 1e-12);
  EXPECT_TRUE(std::isnan(VariacaoCentral(GradePotencia{})));
}

TEST(MapaDiferencial, TreatmentZoneIsWhereTheFlatteningReachesZero) {
  // -3 D at the centre, 0 D at 2.0 mm on every meridian: a 4 mm zone.
  const auto centrada = Grade([](double r, int) { return -3.0 * (1 - r * r / 4.0); });
  const auto zona = CalculaZonaTratamento(centrada);
  ASSERT_TRUE(zona.valida);
  EXPECT_NEAR(zona.diametroMm, 4.0, 0.03);
  EXPECT_EQ(zona.pares, 180);

  // Shifted sideways the crossings move apart on each meridian but the diameter along every
  // line through the centre stays near that of the zone.
  const auto oval = Grade([](double r, int m) {
    const double rz = m <= 180 ? 2.2 : 1.8;  // crossing at 2.2 mm on one side, 1.8 on the other
    return -3.0 * (1 - r * r / (rz * rz));
  });
  EXPECT_NEAR(CalculaZonaTratamento(oval).diametroMm, 4.0, 0.05);
}

TEST(MapaDiferencial, NoTreatmentZoneWithoutCentralFlatteningOrACrossingInsideTheMap) {
  const GradePotencia casos[] = {
      Grade([](double r, int) { return 1.0 - r; }),                         // steepened centre
      Grade([](double, int) { return -2.0; }),                              // never reaches 0 D
      Grade([](double r, int) { return -3.0 * (1 - r * r / 16.0); }, 3.0),  // crosses beyond
      GradePotencia{},
  };
  for (const auto& g : casos) EXPECT_FALSE(CalculaZonaTratamento(g).valida);
}

TEST(MapaDiferencial, DivergingScaleIsCentredOnZero) {
  const auto e = EscalaDiferenca(0.5);
  ASSERT_EQ(e.Niveis(), 21);
  EXPECT_EQ(e.Nivel(0.0), 10);
  EXPECT_EQ(e.Nivel(0.24), 10);
  EXPECT_EQ(e.Nivel(-0.24), 10);
  EXPECT_EQ(e.Nivel(0.26), 11);
  EXPECT_EQ(e.Nivel(-0.26), 9);
  const auto azul = e.CorDe(-3), vermelho = e.CorDe(3);
  EXPECT_GT(azul.b, azul.r);                   // flattening in blue
  EXPECT_GT(vermelho.r, vermelho.b);           // steepening in red
  EXPECT_EQ(EscalaDiferenca(0.3).passo, 0.5);  // only the offered steps
}

}  // namespace
}  // namespace multimapas
