// The map computation: colour levels, meridian rule, spline grid, paint limits, statistics.
#include <gtest/gtest.h>

#include <cmath>

#include "CorneasTeste.h"
#include "EscalaTeste.h"
#include "MapaOrto.h"
#include "NumberFormat.h"

namespace kandor {
namespace {

using test::Esfera;

TEST(NivelCor, LevelsFollowTheWholeDioptreWithBoundsGoingUp) {
  const struct {
    double p;
    int nivel;
  } casos[] = {{12.0, 1},   {30.0, 1},  {30.99, 1}, {31.0, 2}, {31.5, 2}, {42.0, 13},
               {53.99, 24}, {54.0, 25}, {80.0, 25}, {-5.0, 1}, {NAN, 1}};
  const EscalaCores escala = PreparaEscala();
  for (const auto& c : casos) {
    EXPECT_EQ(NivelDe(c.p), c.nivel) << c.p;
    EXPECT_EQ(NivelCor(escala, c.p), escala.Cores[c.nivel - 1]) << c.p;
  }
  // Every level's colour, from a power inside its band (below 31 D for level 1).
  for (const auto& n : test::kEscala) {
    const CorRGB esperada{uint8_t(n.r), uint8_t(n.g), uint8_t(n.b)};
    EXPECT_EQ(NivelCor(escala, 29.5 + n.nivel), esperada) << "level " << n.nivel;
  }
}

TEST(PreparaEscala, BoundsInDioptresAndMillimetres) {
  const EscalaCores e = PreparaEscala();
  EXPECT_DOUBLE_EQ(e.LimitesMm[13], 337.5 / 43.0);
  for (int k = 0; k < kNiveis; ++k) {
    EXPECT_DOUBLE_EQ(e.LimitesDioptrias[k], 30.0 + k);
    EXPECT_EQ(zv::FormatFloat("0.00", e.LimitesMm[k]), test::kEscala[k].milimetros) << k;
  }
}

TEST(MeridianoDoPixel, ClockwiseOnScreenFromTheRight) {
  const int cx = 145, cy = 109;
  const struct {
    int x, y, meridiano;
  } casos[] = {
      {cx + 10, cy, 360},      {cx, cy - 10, 270},      {cx - 10, cy, 180},
      {cx, cy + 10, 90},       {cx, cy, 360},           {cx + 10, cy + 10, 45},
      {cx - 10, cy + 10, 135}, {cx - 10, cy - 10, 225}, {cx + 10, cy - 10, 315},
      {cx + 140, cy + 1, 360},  // rounds to 0 degrees
      {cx + 140, cy - 1, 360}, {cx - 140, cy + 1, 180}, {cx + 1, cy + 100, 89},
  };
  for (const auto& c : casos)
    EXPECT_EQ(MeridianoDoPixel(c.x, c.y, cx, cy), c.meridiano) << c.x - cx << "," << c.y - cy;
}

TEST(PreencheGrade, SphereFillsItsPowerUpToTheOutermostRing) {
  auto esfera = Esfera(7.5);  // 45 D, outermost ring at 240 pixels
  GradeMapa grade;
  TMatrizAng aneis;
  AneisUniformes(aneis, 32);
  PreencheGrade(grade, esfera->dioptrias, esfera->pixels, 1.0, aneis);
  for (int m : {1, 90, 181, 360}) {
    EXPECT_TRUE(grade.MeridianoValido(m));
    EXPECT_DOUBLE_EQ(grade.Valor(m, 0), 45.0);
    EXPECT_DOUBLE_EQ(grade.Valor(m, 239), 45.0);
    EXPECT_DOUBLE_EQ(grade.Valor(m, 240), 0.0);  // the outermost ring is not reached
  }
}

TEST(PreencheGrade, SplineKeepsALinearProfileBeyondTheLastNodeAndRoundsToHundredths) {
  // With secant end slopes a linear profile is its own spline, up to the last ring.
  auto linear = test::Cornea([](int, double r) { return 38.0 + r / 30.0; }, 16, 15.0);
  for (int m = 0; m < 360; ++m) linear->dioptrias[m][0] = 38.0;
  GradeMapa grade;
  TMatrizAng aneis;
  AneisUniformes(aneis, 16);
  PreencheGrade(grade, linear->dioptrias, linear->pixels, 1.0, aneis);
  for (int r : {0, 1, 7, 100, 224, 225, 231, 239})
    EXPECT_DOUBLE_EQ(grade.Valor(200, r), std::nearbyint((38.0 + r / 30.0) * 100) / 100) << r;
  EXPECT_DOUBLE_EQ(grade.Valor(200, 240), 0.0);
}

TEST(PreencheGrade, ThreeNodeSplineMatchesItsHandComputedCubics) {
  // Nodes at 0, 100, 200 pixels with 40, 44, 40 D, outermost ring at 250.  With the secant
  // end slopes the second derivatives are (2, -4, 2) x 4 / 100^2, so in units of 100 pixels
  // the first interval is 40 + 4 (t + t^2 - t^3) and the last one goes on past its node.
  auto t = std::make_unique<test::TabelasExame>();
  const double x[4] = {0, 100, 200, 250}, y[4] = {40, 44, 40, 40};
  for (int m = 0; m < 360; ++m)
    for (int k = 0; k < 4; ++k) {
      t->pixels[m][k] = x[k];
      t->dioptrias[m][k] = y[k];
    }
  GradeMapa grade;
  TMatrizAng aneis;
  AneisUniformes(aneis, 3);
  PreencheGrade(grade, t->dioptrias, t->pixels, 1.0, aneis);
  const struct {
    int r;
    double p;
  } casos[] = {{0, 40.0},   {50, 42.5},  {100, 44.0},  {150, 42.5},
               {200, 40.0}, {240, 39.3}, {249, 39.47}, {250, 0.0}};
  for (const auto& c : casos) EXPECT_DOUBLE_EQ(grade.Valor(77, c.r), c.p) << c.r;
}

TEST(PreencheGrade, CurvedProfilePassesThroughItsRings) {
  auto orto = test::Ortoceratologia(43.0, 4.0, 3.0);
  GradeMapa grade;
  TMatrizAng aneis;
  AneisUniformes(aneis, 32);
  PreencheGrade(grade, orto->dioptrias, orto->pixels, 1.0, aneis);
  for (int k = 1; k < 32; k += 2) {
    const int r = int(std::lround(k * 7.5));
    if (std::abs(r - k * 7.5) > 1e-9) continue;  // only rings on whole pixels
    EXPECT_NEAR(grade.Valor(10, r), orto->dioptrias[9][k], 0.0051) << k;
  }
  EXPECT_LT(grade.Valor(10, 0), 40.0);    // flattened centre
  EXPECT_GT(grade.Valor(10, 110), 45.0);  // steeper mid-periphery
}

TEST(PreencheGrade, UnusableMeridiansStayEmptyAndInvalid) {
  auto esfera = Esfera(7.8);
  esfera->pixels[4][10] = esfera->pixels[4][9];       // meridian 5: two equal radii
  esfera->pixels[5][12] = esfera->pixels[5][11] - 1;  // meridian 6: a radius going back
  esfera->dioptrias[6][3] = NAN;                      // meridian 7: a power that is not a number
  GradeMapa grade;
  TMatrizAng aneis;
  AneisUniformes(aneis, 32);
  aneis[7] = 1;  // meridian 8: too few rings
  PreencheGrade(grade, esfera->dioptrias, esfera->pixels, 1.0, aneis);
  for (int m : {5, 6, 7, 8}) {
    EXPECT_FALSE(grade.MeridianoValido(m)) << m;
    for (int r = 0; r <= kRaioMaximoGrade; ++r) ASSERT_EQ(grade.Valor(m, r), 0.0) << m;
  }
  EXPECT_TRUE(grade.MeridianoValido(4));

  TMatrizAngAnel zeros{};
  PreencheGrade(grade, zeros, zeros, 1.0, aneis);
  for (int m = 1; m <= 360; ++m) ASSERT_FALSE(grade.MeridianoValido(m));
}

TEST(PreencheGrade, RadiiBeyondTheGridStopAt300) {
  auto grande = Esfera(8.0, 32, 10.0);  // outermost ring at 320 pixels
  GradeMapa grade;
  TMatrizAng aneis;
  AneisUniformes(aneis, 32);
  PreencheGrade(grade, grande->dioptrias, grande->pixels, 1.0, aneis);
  EXPECT_DOUBLE_EQ(grade.Valor(1, 300), 42.19);
}

// Paints one sphere and returns the picture.
QuadroPixels Pinta(const test::TabelasExame& t, int numAneis = 32) {
  GradeMapa grade;
  TMatrizAng aneis;
  AneisUniformes(aneis, numAneis);
  PreencheGrade(grade, t.dioptrias, t.pixels, 1.0, aneis);
  QuadroPixels figura(kLarguraFigura, kAlturaFigura);
  DesenhaMapa(grade, kLarguraFigura, kAlturaFigura, aneis, t.pixels, PreparaEscala(), figura,
              kCentroY, kCentroX);
  return figura;
}

TEST(DesenhaMapa, OuterRingAt250PaintsUpToRadius238ShiftedOnePixel) {
  auto esfera = Esfera(7.5, 25, 10.0);  // outermost ring at 250 pixels
  const QuadroPixels figura = Pinta(*esfera, 25);
  const uint32_t verde = CorRGB{173, 222, 12}.Argb(), preto = 0xFF000000u;  // 45 D, level 16
  // Along meridian 360 (the centre's row) the last painted x has round(dx / 0.43) = 238.
  int ultimo = -1;
  for (int x = kCentroX; x <= kLarguraFigura; ++x)
    if (std::nearbyint((x - kCentroX) / kEscalaMapa) <= 238) ultimo = x;
  EXPECT_EQ(figura.Em(ultimo + 1, kCentroY + 1), verde);
  EXPECT_EQ(figura.Em(ultimo + 2, kCentroY + 1), preto);
  EXPECT_EQ(figura.Em(kCentroX + 1, kCentroY + 1), verde);  // the centre, at (x + 1, y + 1)
  EXPECT_EQ(figura.Em(kCentroX, kCentroY), verde);
  EXPECT_EQ(figura.Em(0, 0), preto);  // row and column 0 are never painted
}

TEST(DesenhaMapa, UnusableMeridiansAndRadiiBeyondTheGridStayBlack) {
  auto tudoZero = std::make_unique<test::TabelasExame>();
  const QuadroPixels vazia = Pinta(*tudoZero);
  for (uint32_t p : vazia.pixels) ASSERT_EQ(p, 0xFF000000u);

  // Rings out to 400 pixels: the painted disc stops at radius 300 (129 picture pixels).
  auto grande = Esfera(7.5, 32, 12.5);
  const QuadroPixels figura = Pinta(*grande);
  EXPECT_NE(figura.Em(kCentroX + 1 + 128, kCentroY + 1), 0xFF000000u);
  EXPECT_EQ(figura.Em(kCentroX + 1 + 130, kCentroY + 1), 0xFF000000u);
}

TEST(Estatisticas, MeanAndSampleDeviationRoundedToFourDecimals) {
  std::array<double, 5> sag{1, 2, 3, 4, 0}, div{11.7, 11.7, 11.7, 11.7, 0},
      r0{7.12345, 7.12346, 7.12347, 7.12348, 0};
  MediaValores(sag, div, r0);
  EXPECT_DOUBLE_EQ(sag[4], 2.5);
  EXPECT_DOUBLE_EQ(DesvioPadrao(sag), 1.291);
  EXPECT_DOUBLE_EQ(div[4], 11.7);
  EXPECT_DOUBLE_EQ(DesvioPadrao(div), 0.0);
  EXPECT_DOUBLE_EQ(r0[4], 7.1235);
}

TEST(NomeModelo, NamesTheFourModels) {
  EXPECT_EQ(NomeModelo(0), "Zarvik ");
  EXPECT_EQ(NomeModelo(1), "ZarvikSL ");
  EXPECT_EQ(NomeModelo(2), "Olendra ");
  EXPECT_EQ(NomeModelo(3), "OlendraSL ");
  EXPECT_EQ(NomeModelo(4), std::nullopt);
}

}  // namespace
}  // namespace kandor
