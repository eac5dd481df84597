// The model eye as the renderer sees it: the calibration caption, and the follow-up series whose
// centre flattens night after night.
#include <gtest/gtest.h>

#include "ModeloOlho.h"

namespace captura {
namespace {

TEST(RaioDaLegenda, ReadsTheRadiusWithCommaOrPointAndRefusesOtherCaptions) {
  EXPECT_DOUBLE_EQ(*RaioDaLegenda("Digitalizando Esfera (7,73)"), 7.73);
  EXPECT_DOUBLE_EQ(*RaioDaLegenda("Digitalizando Esfera (8.91)"), 8.91);
  EXPECT_FALSE(RaioDaLegenda("Digitalizando Imagem do Olho"));
  EXPECT_FALSE(RaioDaLegenda("Digitalizando Esfera ()"));
  EXPECT_FALSE(RaioDaLegenda("Digitalizando Esfera (abc)"));
}

// Image radius of ring edge 4 along the horizontal meridian: it grows as the centre flattens.
double RaioAnel4(const ModeloOlho& m) {
  return placido::EdgeImageRadiusPx(Cena(m, 32, 1).cornea, 32, 4, 0);
}

TEST(SerieOrto, FlattensTheCentreNightAfterNightAndSteepensTheMidPeriphery) {
  ModeloOlho olho;
  olho.raioApical = 7.8;
  olho.q = -0.2;
  olho.achatamento = 3.0;
  olho.zonaTratamento = 4.0;
  const auto serie = SerieOrto(olho);
  for (int i = 1; i < 4; ++i) EXPECT_GT(RaioAnel4(serie[i]), RaioAnel4(serie[i - 1]) + 0.3) << i;
  // Before the lens the eye is the plain conicoid.
  EXPECT_EQ(Cena(serie[0], 32, 1).cornea.kind, placido::SurfaceKind::Conicoid);

  // On the last night the axial curvature at the apex is about 3 D flatter: 337.5 / 7.8 - 3.
  const placido::Scene ultima = Cena(serie[3], 32, 1);
  const double c0 = 1 / 7.8, h = ultima.cornea.coneSteepeningMm, w = ultima.cornea.coneRadiusMm;
  EXPECT_NEAR(337.5 * (c0 + 4 * h / (w * w)), 337.5 / 7.8 - 3.0, 1e-9);
  EXPECT_TRUE(placido::ValidateScene(ultima).empty());
}

TEST(VistaLateral, DrawsTheProfileOfTheSurface) {
  ModeloOlho plano, curvo;
  plano.raioEsfera = 9.0;
  curvo.raioEsfera = 7.0;
  const QImage a = VistaLateral(Cena(plano, 32, 1)), b = VistaLateral(Cena(curvo, 32, 1));
  ASSERT_EQ(a.size(), QSize(640, 480));
  // 4 mm above the apex the steeper cornea has receded further from the instrument (to the
  // left): sag 1.26 mm against 0.94 mm, about 10 pixels at 30 pixels per millimetre.
  auto contorno = [](const QImage& img, int y) {
    for (int x = 639; x >= 0; --x)
      if (qGray(img.pixel(x, y)) > 230) return x;
    return -1;
  };
  const int y = 240 - 4 * 30;
  EXPECT_GT(contorno(a, y), contorno(b, y));
  EXPECT_GT(contorno(a, 240 - 15), 460);  // the apex lies at x = 470
}

}  // namespace
}  // namespace captura
