#include "PlacidoRenderer.h"

#include <QImageWriter>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <stdexcept>

#include "CorneaSurface.h"
#include "PlacidoTarget.h"

namespace placido {

namespace {

constexpr double PixelMm = 0.024;
constexpr double LimbusRadius = 6.0;
constexpr double ReferenceRadius = 7.8;

bool Finite(double v) {
  return std::isfinite(v);
}

bool Within(double v, double lo, double hi) {
  return Finite(v) && v >= lo && v <= hi;
}

std::string CheckCornea(const Cornea& c) {
  switch (c.kind) {
    case SurfaceKind::Toric:
      if (!Within(c.flatRadiusMm, 4.0, 20.0) || !Within(c.steepRadiusMm, 4.0, 20.0))
        return "toric radii must lie between 4 and 20 mm";
      if (!Finite(c.steepAxisDeg)) return "the steep axis must be a number of degrees";
      return {};
    case SurfaceKind::Keratoconus:
      if (!Finite(c.coneCentreXmm) || !Finite(c.coneCentreYmm))
        return "the cone centre must be a point in millimetres";
      if (!Within(c.coneRadiusMm, 0.2, 6.0)) return "the cone radius must lie between 0.2 and 6 mm";
      if (!Within(c.coneSteepeningMm, -0.5, 0.5))
        return "the cone height must lie between -0.5 and 0.5 mm";
      [[fallthrough]];
    case SurfaceKind::Sphere:
    case SurfaceKind::Conicoid:
      if (!Within(c.apicalRadiusMm, 4.0, 20.0))
        return "the corneal radius must lie between 4 and 20 mm";
      if (!Within(c.asphericityQ, -5.0, 5.0)) return "the asphericity Q must lie between -5 and 5";
      return {};
  }
  return "unknown surface kind";
}

// Normal deviates from a seeded generator (Box-Muller), identical on every platform.
class GaussianNoise {
 public:
  explicit GaussianNoise(unsigned seed) : engine_(seed) {}
  double Next() {
    if (hasSpare_) {
      hasSpare_ = false;
      return spare_;
    }
    const double u1 = (engine_() + 0.5) / 4294967296.0;
    const double u2 = (engine_() + 0.5) / 4294967296.0;
    const double radius = std::sqrt(-2.0 * std::log(u1));
    const double angle = 2.0 * std::numbers::pi * u2;
    spare_ = radius * std::sin(angle);
    hasSpare_ = true;
    return radius * std::cos(angle);
  }

 private:
  std::mt19937 engine_;
  double spare_ = 0.0;
  bool hasSpare_ = false;
};

// Grey of one camera sample at lateral position (x, y) mm.
int SampleGrey(const CorneaSurface& surface, const PlacidoTarget& target, double x, double y) {
  SurfacePoint point;
  if (!surface.At(x, y, point)) return ScleraGrey;
  return target.Grey(PlacidoTarget::Trace(x, y, point));
}

}  // namespace

double LimbusRadiusMm() {
  return LimbusRadius;
}
double ReferenceRadiusMm() {
  return ReferenceRadius;
}
double FirstEdgeRadiusPx(int rings) {
  return rings == 16 ? 25.5 : 13.5;
}
double LastEdgeRadiusPx(int) {
  return 196.0;
}
double TargetEdgeZMm(int rings, int edge) {
  return PlacidoTarget::For(rings).EdgeZ(edge);
}
double MillimetresPerPixel() {
  return PixelMm;
}

std::string ValidateScene(const Scene& scene) {
  if (scene.rings != 16 && scene.rings != 32) return "the ring count must be 16 or 32";
  if (scene.supersample < 1 || scene.supersample > 16)
    return "the supersampling must lie between 1 and 16";
  if (!Within(scene.noiseSigma, 0.0, 255.0)) return "the noise must lie between 0 and 255";
  if (!Within(scene.decentreXPx, -320.0, 320.0) || !Within(scene.decentreYPx, -240.0, 240.0))
    return "the decentration must stay within the image";
  return CheckCornea(scene.cornea);
}

QImage Render(const Scene& scene) {
  if (const std::string reason = ValidateScene(scene); !reason.empty())
    throw std::invalid_argument(reason);
  const CorneaSurface surface(scene.cornea);
  const PlacidoTarget& target = PlacidoTarget::For(scene.rings);
  const int n = scene.supersample;
  const double centreX = ImageWidth / 2 + scene.decentreXPx;
  const double centreY = ImageHeight / 2 + scene.decentreYPx;
  // Pixels wholly outside the limbus see only sclera.
  const double reach = LimbusRadius / PixelMm + 1.0;

  QImage image(ImageWidth, ImageHeight, QImage::Format_RGB32);
  GaussianNoise noise(scene.seed);
  for (int row = 0; row < ImageHeight; ++row) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
    const double dy = row - centreY;
    for (int column = 0; column < ImageWidth; ++column) {
      const double dx = column - centreX;
      double grey = ScleraGrey;
      if (dx * dx + dy * dy <= reach * reach) {
        // A regular n x n grid over the pixel square, symmetric about its centre.
        int sum = 0;
        for (int sy = 0; sy < n; ++sy) {
          const double y = -(dy + (sy + 0.5) / n - 0.5) * PixelMm;  // image rows grow downwards
          for (int sx = 0; sx < n; ++sx) {
            const double x = (dx + (sx + 0.5) / n - 0.5) * PixelMm;
            sum += SampleGrey(surface, target, x, y);
          }
        }
        grey = static_cast<double>(sum) / (n * n);
      }
      if (scene.noiseSigma > 0) grey += scene.noiseSigma * noise.Next();
      const int value = static_cast<int>(std::lround(std::clamp(grey, 0.0, 255.0)));
      line[column] = qRgb(value, value, value);
    }
  }
  return image;
}

double EdgeImageRadiusPx(const Cornea& cornea, int rings, int edge, double meridianDeg) {
  if (!CheckCornea(cornea).empty() || (rings != 16 && rings != 32) || edge < 1 || edge > rings)
    return -1.0;
  const CorneaSurface surface(cornea);
  const PlacidoTarget& target = PlacidoTarget::For(rings);
  const double angle = meridianDeg * std::numbers::pi / 180.0;
  const double cx = std::cos(angle), cy = std::sin(angle);
  // Edges crossed by the reflection at image radius r (pixels) on the meridian; one more than
  // the ring count outside the cornea.
  auto crossed = [&](double r) {
    const double x = r * PixelMm * cx, y = r * PixelMm * cy;
    SurfacePoint point;
    if (!surface.At(x, y, point)) return rings + 1;
    return target.EdgesCrossed(PlacidoTarget::Trace(x, y, point));
  };
  double inside = 0.0, outside = LimbusRadius / PixelMm + 1.0;
  if (crossed(inside) >= edge) return -1.0;
  for (int i = 0; i < 60; ++i) {
    const double middle = 0.5 * (inside + outside);
    (crossed(middle) >= edge ? outside : inside) = middle;
  }
  // Converging on the edge of the cornea itself means the ring is not reflected on it.
  if (crossed(outside) > rings) return -1.0;
  return 0.5 * (inside + outside);
}

bool SaveBmp(const QImage& image, const std::string& path) {
  if (image.width() != ImageWidth || image.height() != ImageHeight) return false;
  QImageWriter writer(QString::fromStdString(path), "bmp");
  return writer.write(image);
}

}  // namespace placido
