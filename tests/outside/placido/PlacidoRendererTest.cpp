#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "PlacidoRenderer.h"
#include "TestPaths.h"

namespace {

using namespace placido;

constexpr int CentreX = 320, CentreY = 240;
constexpr int MidGrey = (DarkGrey + BrightGrey) / 2;

int Grey(const QImage& image, int x, int y) {
  return qRed(image.pixel(x, y));
}

Scene SphereScene(double radius, int rings) {
  Scene scene;
  scene.cornea.apicalRadiusMm = radius;
  scene.rings = rings;
  return scene;
}

// A bright/dark change met walking outwards from the centre along an axis ray.
struct Transition {
  int radius;  // first pixel of the new state
  bool toBright;
};

// Walks from `from` pixels out along direction (dx, dy) to the image border.
std::vector<Transition> Transitions(const QImage& image, int dx, int dy, int from) {
  std::vector<Transition> found;
  bool bright = Grey(image, CentreX + from * dx, CentreY + from * dy) > MidGrey;
  for (int r = from + 1;; ++r) {
    const int x = CentreX + r * dx, y = CentreY + r * dy;
    if (x < 0 || x >= ImageWidth || y < 0 || y >= ImageHeight || r > 300) break;
    const bool now = Grey(image, x, y) > MidGrey;
    if (now != bright) found.push_back({r, now});
    bright = now;
  }
  return found;
}

TEST(PlacidoRenderer, RendersAGrey640x480RgbPicture) {
  const QImage image = Render(Scene{});
  ASSERT_EQ(image.size(), QSize(ImageWidth, ImageHeight));
  EXPECT_EQ(image.format(), QImage::Format_RGB32);
  for (int y = 0; y < ImageHeight; y += 7)
    for (int x = 0; x < ImageWidth; x += 5) {
      const QRgb p = image.pixel(x, y);
      ASSERT_TRUE(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p)) << x << "," << y;
    }
}

TEST(PlacidoRenderer, ReflectionIsCentredAndDecentrationShiftsIt) {
  const QImage centred = Render(SphereScene(7.8, 32));
  // Point symmetry about pixel (320, 240), with the fixation light as the brightest pixel.
  EXPECT_EQ(Grey(centred, CentreX, CentreY), FixationGrey);
  for (int dy = -235; dy <= 235; ++dy)
    for (int dx = -235; dx <= 235; ++dx)
      ASSERT_EQ(Grey(centred, CentreX + dx, CentreY + dy),
                Grey(centred, CentreX - dx, CentreY - dy))
          << dx << "," << dy;

  Scene moved = SphereScene(7.8, 32);
  moved.decentreXPx = 25;
  moved.decentreYPx = -15;
  const QImage shifted = Render(moved);
  for (int y = 0; y < ImageHeight - 15; ++y)
    for (int x = 25; x < ImageWidth; ++x)
      ASSERT_EQ(Grey(shifted, x, y), Grey(centred, x - 25, y + 15)) << x << "," << y;
}

// What the ring detector relies on: a dark centre around the fixation light, then exactly
// `rings` alternating edges, dark-to-bright first, on every axis ray and within the frame.
TEST(PlacidoRenderer, EveryAxisRayCrossesTheRingEdgesInAlternationDarkToBrightFirst) {
  struct Case {
    double radius;
    int rings;
  };
  const Case cases[] = {{7.0, 16}, {8.0, 16}, {9.0, 16}, {7.0, 32}, {8.0, 32}, {9.0, 32}};
  const int directions[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.radius << " mm, " << c.rings << " rings");
    const QImage image = Render(SphereScene(c.radius, c.rings));
    // The centre square of 15 x 15 pixels holds nothing bright but the fixation light.
    for (int dy = -7; dy <= 7; ++dy)
      for (int dx = -7; dx <= 7; ++dx)
        if (dx * dx + dy * dy > 9) {
          ASSERT_LT(Grey(image, CentreX + dx, CentreY + dy), MidGrey);
        }

    Cornea cornea;
    cornea.apicalRadiusMm = c.radius;
    for (const auto& d : directions) {
      const std::vector<Transition> found = Transitions(image, d[0], d[1], 6);
      ASSERT_EQ(found.size(), static_cast<size_t>(c.rings)) << "direction " << d[0] << "," << d[1];
      for (int j = 0; j < c.rings; ++j) {
        EXPECT_EQ(found[j].toBright, j % 2 == 0) << "edge " << j + 1;
        // The pixels agree with the traced edge position: the change happens at the first
        // pixel centre beyond it.
        const double traced = EdgeImageRadiusPx(cornea, c.rings, j + 1, 0.0);
        EXPECT_NEAR(found[j].radius, traced + 0.5, 1.0) << "edge " << j + 1;
      }
      EXPECT_GE(found.front().radius, 11);
      EXPECT_LE(found.back().radius, 230);
    }
  }
}

TEST(PlacidoRenderer, RingImagesGrowWithTheCornealRadius) {
  for (int rings : {16, 32}) {
    for (int edge = 1; edge <= rings; ++edge) {
      double previous = 0;
      for (double radius = 7.0; radius <= 9.0001; radius += 0.1) {
        Cornea cornea;
        cornea.apicalRadiusMm = radius;
        const double r = EdgeImageRadiusPx(cornea, rings, edge, 0.0);
        ASSERT_GT(r, previous) << rings << " rings, edge " << edge << ", " << radius << " mm";
        previous = r;
      }
    }
  }
}

TEST(PlacidoRenderer, ProlateConicoidKeepsTheCentreAndWidensThePeriphery) {
  Cornea sphere, prolate;
  prolate.kind = SurfaceKind::Conicoid;
  prolate.asphericityQ = -0.3;
  EXPECT_NEAR(EdgeImageRadiusPx(prolate, 32, 1, 0), EdgeImageRadiusPx(sphere, 32, 1, 0), 0.05);
  EXPECT_GT(EdgeImageRadiusPx(prolate, 32, 32, 0), EdgeImageRadiusPx(sphere, 32, 32, 0) + 2.0);
}

// Along a principal meridian a toric surface is a circle of that meridian's radius, so its
// reflection there matches the sphere of that radius; the long axis lies on the flat meridian.
TEST(PlacidoRenderer, ToricRingsAreEllipsesWithTheLongAxisOnTheFlatMeridian) {
  for (double steepAxis : {90.0, 0.0, 30.0}) {
    SCOPED_TRACE(steepAxis);
    Cornea toric;
    toric.kind = SurfaceKind::Toric;
    toric.flatRadiusMm = 8.2;
    toric.steepRadiusMm = 7.4;
    toric.steepAxisDeg = steepAxis;
    Cornea flat, steep;
    flat.apicalRadiusMm = 8.2;
    steep.apicalRadiusMm = 7.4;
    for (int edge : {1, 16, 32}) {
      const double alongFlat = EdgeImageRadiusPx(toric, 32, edge, steepAxis + 90);
      const double alongSteep = EdgeImageRadiusPx(toric, 32, edge, steepAxis);
      EXPECT_NEAR(alongFlat, EdgeImageRadiusPx(flat, 32, edge, 0), 1e-6);
      EXPECT_NEAR(alongSteep, EdgeImageRadiusPx(steep, 32, edge, 0), 1e-6);
      EXPECT_GT(EdgeImageRadiusPx(toric, 32, edge, steepAxis + 45), alongSteep);
      EXPECT_LT(EdgeImageRadiusPx(toric, 32, edge, steepAxis + 45), alongFlat);
    }
  }
  // And in the picture: with the steep meridian vertical the outermost ring is wider than tall.
  Scene scene;
  scene.cornea.kind = SurfaceKind::Toric;
  scene.cornea.flatRadiusMm = 8.2;
  scene.cornea.steepRadiusMm = 7.4;
  const QImage image = Render(scene);
  EXPECT_GT(Transitions(image, 1, 0, 6).back().radius,
            Transitions(image, 0, -1, 6).back().radius + 10);
}

TEST(PlacidoRenderer, KeratoconusCrowdsTheRingsOverTheCone) {
  Cornea cone;
  cone.kind = SurfaceKind::Keratoconus;  // cone centre below and right of the apex
  const double towards = std::atan2(cone.coneCentreYmm, cone.coneCentreXmm) * 180 / M_PI;
  for (int edge : {8, 12, 16})
    EXPECT_LT(EdgeImageRadiusPx(cone, 32, edge, towards) + 1.0,
              EdgeImageRadiusPx(cone, 32, edge, towards + 180))
        << "edge " << edge;
  cone.coneSteepeningMm = 0;
  Cornea sphere;
  EXPECT_DOUBLE_EQ(EdgeImageRadiusPx(cone, 32, 12, towards),
                   EdgeImageRadiusPx(sphere, 32, 12, towards));
}

TEST(PlacidoRenderer, NoiseFollowsTheSeed) {
  Scene scene;
  scene.noiseSigma = 8;
  scene.seed = 7;
  const QImage first = Render(scene), again = Render(scene);
  EXPECT_EQ(first, again);
  scene.seed = 8;
  EXPECT_NE(Render(scene), first);
  // Its spread over the uniform sclera is the requested sigma.
  double sum = 0, squares = 0;
  int count = 0;
  for (int y = 0; y < ImageHeight; ++y)
    for (int x = 0; x < 40; ++x) {
      const double d = Grey(first, x, y) - ScleraGrey;
      sum += d;
      squares += d * d;
      ++count;
    }
  EXPECT_NEAR(sum / count, 0.0, 0.5);
  EXPECT_NEAR(std::sqrt(squares / count), 8.0, 0.4);
}

TEST(PlacidoRenderer, RefusesScenesItCannotRender) {
  const auto bad = [](auto change) {
    Scene scene;
    change(scene);
    return scene;
  };
  const Scene scenes[] = {
      bad([](Scene& s) { s.rings = 20; }),
      bad([](Scene& s) { s.supersample = 0; }),
      bad([](Scene& s) { s.noiseSigma = -1; }),
      bad([](Scene& s) { s.cornea.apicalRadiusMm = NAN; }),
      bad([](Scene& s) { s.cornea.apicalRadiusMm = 0; }),
      bad([](Scene& s) {
        s.cornea.kind = SurfaceKind::Toric;
        s.cornea.steepRadiusMm = -7;
      }),
      bad([](Scene& s) {
        s.cornea.kind = SurfaceKind::Keratoconus;
        s.cornea.coneRadiusMm = 0;
      }),
  };
  for (const Scene& scene : scenes) {
    EXPECT_FALSE(ValidateScene(scene).empty());
    EXPECT_THROW(Render(scene), std::invalid_argument);
  }
  EXPECT_EQ(ValidateScene(Scene{}), "");
}

TEST(PlacidoRenderer, SavesA640x480BmpThatReadsBackUnchanged) {
  zv::test::TempDir dir;
  const QImage image = Render(SphereScene(8.0, 16));
  ASSERT_TRUE(SaveBmp(image, dir / "sphere.bmp"));
  QImage back(QString::fromStdString(dir / "sphere.bmp"), "BMP");
  ASSERT_EQ(back.size(), QSize(ImageWidth, ImageHeight));
  EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), image);

  EXPECT_FALSE(SaveBmp(image.copy(0, 0, 320, 240), dir / "small.bmp"));
  EXPECT_FALSE(SaveBmp(image, dir / "missing-dir/sphere.bmp"));
}

}  // namespace
