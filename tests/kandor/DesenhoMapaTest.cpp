// Legend rows, angle marks and the circular map image.
#include <gtest/gtest.h>

#include "DesenhoMapa.h"

namespace kandor {
namespace {

TEST(DesenhaEscala, RowsRunFromLevel25AtTheTopToLevel1AtTheBottom) {
  const EscalaCores escala = PreparaEscala();
  QImage img(85, 466, QImage::Format_RGB32);
  img.fill(Qt::black);
  QPainter p(&img);
  DesenhaEscala(p, escala, LayoutEscala{});  // x0 30, y0 10, right 70, bottom 466: rows of 18
  p.end();
  const auto cor = [&](int nivel) { return escala.Cores[nivel - 1].Argb(); };
  // Row i spans y 10 + 18 i + 2 .. 10 + 18 i + 14 and x 30 .. 50 (white outline).
  EXPECT_EQ(img.pixel(40, 18), cor(25));
  EXPECT_EQ(img.pixel(40, 10 + 18 * 11 + 8), cor(14));
  EXPECT_EQ(img.pixel(40, 10 + 18 * 24 + 8), cor(1));
  EXPECT_EQ(img.pixel(30, 18), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(49, 18), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(50, 18), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(40, 10 + 18 * 24 + 15), qRgb(0, 0, 0));  // gap between rows
}

TEST(ImagemDoMapa, KeepsTheInscribedCircleAndShowsTheBackgroundElsewhere) {
  QuadroPixels figura(275, 206, 0xFF000000u);
  for (auto& px : figura.pixels) px = 0xFF112233u;
  figura.Em(145, 109 + 50) = 0xFF000000u;  // left unpainted by the map
  const QImage img = ImagemDoMapa(figura, QSize(290, 218), 206, Qt::white);
  EXPECT_EQ(img.size(), QSize(290, 218));
  EXPECT_EQ(img.pixel(145, 109), 0xFF112233u);
  EXPECT_EQ(img.pixel(145 + 103, 109), 0xFF112233u);
  EXPECT_EQ(img.pixel(145 + 104, 109), 0xFFFFFFFFu);
  EXPECT_EQ(img.pixel(145, 109 + 50), 0xFFFFFFFFu);
  EXPECT_EQ(img.pixel(5, 5), 0xFFFFFFFFu);
  EXPECT_EQ(img.pixel(280, 109), 0xFFFFFFFFu);  // beyond the picture's width
}

TEST(MarcasDoMapa, DottedCircleAndLabelsAtTheirRadii) {
  QImage img(290, 218, QImage::Format_RGB32);
  img.fill(Qt::black);
  QPainter p(&img);
  CirculoPontilhado(p, 100, Qt::yellow);
  MarcaAngulos(p, 105, Qt::yellow);
  p.end();
  const QRgb amarelo = qRgb(255, 255, 0);
  EXPECT_EQ(img.pixel(245, 106), amarelo);  // g = 0
  EXPECT_EQ(img.pixel(145, 206), amarelo);  // g = 90
  EXPECT_EQ(img.pixel(45, 106), amarelo);   // g = 180
  EXPECT_EQ(img.pixel(145, 6), amarelo);    // g = 270
  EXPECT_EQ(img.pixel(146, 106), qRgb(0, 0, 0));
  // The "0" label starts at (250, 100), "270" at (145, 205): some yellow in their cells.
  const auto temAmarelo = [&](QRect r) {
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x)
        if (x < img.width() && y < img.height() && img.pixel(x, y) == amarelo) return true;
    return false;
  };
  EXPECT_TRUE(temAmarelo(QRect(250, 100, 8, 10)));
  EXPECT_TRUE(temAmarelo(QRect(147, 205, 18, 9)));
  EXPECT_FALSE(temAmarelo(QRect(160, 40, 60, 40)));
}

}  // namespace
}  // namespace kandor
