// The lens fitting on surfaces built by hand: the base curve of a conic, the conic read back
// from its axial map, and the tear layer under a lens steeper than a sphere.
#include <gtest/gtest.h>

#include <cmath>

#include "AdaptacaoLente.h"

namespace {

using namespace lente;

// The axial map of the conicoid (R0, Q) out to 4.6 mm: Ra = sqrt(R0^2 - Q r^2).
mapas::GradePotencia AxialDaConica(double r0, double q) {
  mapas::GradePotencia g;
  for (int m = 1; m <= mapas::kMeridianos; ++m)
    for (int p = 0; p * g.mmPorPixel <= 4.6; ++p) {
      const double r = p * g.mmPorPixel;
      g.Define(m, p, 337.5 / std::sqrt(r0 * r0 - q * r * r));
    }
  return g;
}

TEST(AdaptacaoLente, BaseCurveAlignsWithTheConicAtTheEdgeOfTheZone) {
  // R0 7.8, Q -0.25: sag at 4 mm (7.8 - sqrt(60.84 - 12)) / 0.75 = 1.08186 mm; the sphere
  // through it: (1.08186^2 + 16) / (2 * 1.08186) = 7.9356 mm.
  EXPECT_NEAR(CurvaDeAlinhamento(7.8, -0.25), 7.9356, 1e-3);
  EXPECT_NEAR(CurvaDeAlinhamento(7.8, 0.0), 7.8, 1e-9);
  EXPECT_NEAR(ArredondaPasso(7.9356), 7.95, 1e-9);
  EXPECT_NEAR(ArredondaPasso(7.82), 7.80, 1e-9);

  const Conica c = AjustaConica(AxialDaConica(7.8, -0.25), 180);
  ASSERT_TRUE(c.valida);
  EXPECT_NEAR(c.r0, 7.8, 1e-6);
  EXPECT_NEAR(c.q, -0.25, 1e-6);
  EXPECT_NEAR(c.Excentricidade(), 0.5, 1e-6);
}

TEST(AdaptacaoLente, ALensSteeperThanTheCorneaPoolsAtTheApexAndTouchesAtItsEdge) {
  const auto sag = mapas::CalculaSagitta(AxialDaConica(7.8, 0));
  // At the lens edge (4.6 mm) a 7.6 mm lens is 1.55021 mm deep, the 7.8 mm cornea 1.50078 mm.
  const Fluoresceina f = SimulaFluoresceina(sag, 7.6, 9.2);
  ASSERT_TRUE(f.valida);
  EXPECT_NEAR(f.apical, 49.4, 0.5);
  EXPECT_NEAR(f.minimo, 0, 1e-9);
  // Over the last 0.5 mm the layer rises from 0 to 49.4 - 36.3 = 13.1 um (4.1 mm: lens 1.2008,
  // cornea 1.1645 mm deep): about 6.5 um on average.
  EXPECT_NEAR(f.borda, 6.5, 0.7);
  // Aligned: a thin even layer; flatter: touch at the apex, clearance at the edge.
  const Fluoresceina alinhada = SimulaFluoresceina(sag, 7.8, 9.2);
  EXPECT_LT(alinhada.maximo, 0.5);
  const Fluoresceina plana = SimulaFluoresceina(sag, 8.0, 9.2);
  EXPECT_NEAR(plana.apical, 0, 1e-9);
  EXPECT_GT(plana.borda, 30);
}

TEST(AdaptacaoLente, SuggestionFromTheFlatKAndTheDiameterByIt) {
  struct Caso {
    double r0, diametro;
  };
  for (const Caso c : {Caso{8.5, 9.6}, Caso{7.8, 9.2}, Caso{7.2, 8.8}}) {
    const auto axial = AxialDaConica(c.r0, 0);
    const Sugestao s = SugereLente(axial, mapas::CalculaCeratometria(axial));
    ASSERT_TRUE(s.valida);
    EXPECT_NEAR(s.curvaBaseMm, ArredondaPasso(c.r0), 1e-9) << c.r0;
    EXPECT_EQ(s.diametroMm, c.diametro) << c.r0;
  }
  EXPECT_FALSE(SugereLente(mapas::GradePotencia{}, mapas::Ceratometria{}).valida);
}

}  // namespace
