// Legend rows, angle marks and the circular map image.
#include <gtest/gtest.h>

#include "DesenhoMapa.h"
#include "EscalaTeste.h"

namespace kandor {
namespace {

// Text drawn as the legend and the angle marks place it: the top-left corner of its cell at
// (x, y), in the small font, on a transparent background.
void Texto(QPainter& p, int x, int y, const char* texto) {
  p.drawText(QRect(x, y, 200, 40), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
             QString::fromUtf8(texto));
}

// The part `area` of `img` equals the same part of `referencia`.
bool MesmaArea(const QImage& img, const QImage& referencia, QRect area) {
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (img.pixel(x, y) != referencia.pixel(x, y)) return false;
  return true;
}

// With x0 30, y0 10, right 70 and bottom 466: rows of round(456 / 25) = 18 pixels, boxes from
// x 30 to 50 and from 18 i + 12 to 18 i + 24; the dioptre label at (58, 18 i + 13), the
// millimetre label at (30 - 4 * 6, 18 i + 13).  Row i shows level 25 - i.
TEST(DesenhaEscala, EachRowShowsItsLevelsColourAndBoundsBesideIt) {
  QImage img(85, 466, QImage::Format_RGB32);
  img.fill(Qt::black);
  QPainter p(&img);
  DesenhaEscala(p, PreparaEscala(), LayoutEscala{});
  p.end();

  QImage referencia(img.size(), QImage::Format_RGB32);
  referencia.fill(Qt::black);
  QPainter r(&referencia);
  r.setFont(FonteEscala());
  r.setPen(Qt::yellow);
  for (int i = 0; i < 25; ++i) {
    const test::NivelEscala& nivel = test::kEscala[24 - i];
    Texto(r, 58, 18 * i + 13, nivel.dioptrias);
    Texto(r, 6, 18 * i + 13, nivel.milimetros);
  }
  r.end();

  for (int i = 0; i < 25; ++i) {
    const test::NivelEscala& nivel = test::kEscala[24 - i];
    const int topo = 18 * i + 12;
    EXPECT_EQ(img.pixel(40, topo + 6), qRgb(nivel.r, nivel.g, nivel.b)) << "row " << i;
    EXPECT_EQ(img.pixel(30, topo + 6), qRgb(255, 255, 255)) << "row " << i;  // outline
    EXPECT_EQ(img.pixel(49, topo), qRgb(255, 255, 255)) << "row " << i;
    EXPECT_EQ(img.pixel(50, topo + 6), qRgb(0, 0, 0)) << "row " << i;
    EXPECT_EQ(img.pixel(40, topo + 12), qRgb(0, 0, 0)) << "row " << i;  // gap between rows
    EXPECT_TRUE(MesmaArea(img, referencia, QRect(51, topo, 34, 18)))
        << "row " << i << ": " << nivel.dioptrias;
    EXPECT_TRUE(MesmaArea(img, referencia, QRect(0, topo, 30, 18)))
        << "row " << i << ": " << nivel.milimetros;
  }
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

// Each label where its angle puts it, 105 pixels around (145, 100) with the screen's top reading
// 90: "0" on the right, "180" on the left, "270" at the bottom, and every other label in its
// place, so mirrored axes, a swapped sign or a label written at the wrong angle all show.
// Positions are 145 + round(105 cos e), less 10 on the left half, and 100 + round(105 sin e).
// 105 cos 60 deg is 52.5 exactly and rounds either way; these are the values of double
// arithmetic.  The two labels that would start above the picture are kept on its top edge.
TEST(MarcaAngulos, EveryLabelAtItsAngle) {
  const struct {
    const char* texto;
    int x, y;
  } rotulos[] = {
      {"0", 250, 100},   {"340", 244, 136}, {"320", 225, 167}, {"300", 198, 191}, {"280", 163, 203},
      {"260", 117, 203}, {"240", 83, 191},  {"220", 55, 167},  {"200", 36, 136},  {"180", 30, 100},
      {"160", 36, 64},   {"140", 55, 33},   {"120", 82, 9},    {"100", 117, 0},   {"80", 163, 0},
      {"60", 198, 9},    {"40", 225, 33},   {"20", 244, 64},
  };
  QImage img(290, 218, QImage::Format_RGB32);
  img.fill(Qt::black);
  QPainter p(&img);
  MarcaAngulos(p, 105, Qt::yellow);
  p.end();

  QImage referencia(img.size(), QImage::Format_RGB32);
  referencia.fill(Qt::black);
  QPainter r(&referencia);
  r.setFont(FonteEscala());
  r.setPen(Qt::yellow);
  for (const auto& rotulo : rotulos) Texto(r, rotulo.x, rotulo.y, rotulo.texto);
  r.end();
  for (const auto& rotulo : rotulos)
    EXPECT_TRUE(MesmaArea(img, referencia, QRect(rotulo.x - 4, rotulo.y, 26, 12))) << rotulo.texto;
  EXPECT_TRUE(img == referencia);  // nothing else drawn
}

TEST(CirculoPontilhado, SingleDotsEveryFiveDegrees) {
  QImage img(290, 218, QImage::Format_RGB32);
  img.fill(Qt::black);
  QPainter p(&img);
  CirculoPontilhado(p, 100, Qt::yellow);
  p.end();
  const QRgb amarelo = qRgb(255, 255, 0);
  EXPECT_EQ(img.pixel(245, 106), amarelo);  // g = 0
  EXPECT_EQ(img.pixel(145, 206), amarelo);  // g = 90
  EXPECT_EQ(img.pixel(45, 106), amarelo);   // g = 180
  EXPECT_EQ(img.pixel(145, 6), amarelo);    // g = 270
  EXPECT_EQ(img.pixel(154, 206), amarelo);  // g = 85: 145 + round(8.72), 106 + round(99.62)
  EXPECT_EQ(img.pixel(146, 106), qRgb(0, 0, 0));
  int pontos = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) pontos += img.pixel(x, y) == amarelo;
  EXPECT_EQ(pontos, 72);  // g = 0 .. 355; g = 360 falls on g = 0
}

}  // namespace
}  // namespace kandor
