#include "CorneaSurface.h"

#include <cmath>
#include <numbers>

namespace placido {

CorneaSurface::CorneaSurface(const Cornea& cornea)
    : kind_(cornea.kind),
      curvature_(1.0 / cornea.apicalRadiusMm),
      conicFactor_((1.0 + (cornea.kind == SurfaceKind::Sphere ? 0.0 : cornea.asphericityQ)) /
                   (cornea.apicalRadiusMm * cornea.apicalRadiusMm)),
      flatCurvature_(1.0 / cornea.flatRadiusMm),
      steepCurvature_(1.0 / cornea.steepRadiusMm),
      coneX_(cornea.coneCentreXmm),
      coneY_(cornea.coneCentreYmm),
      coneHeight_(cornea.coneSteepeningMm),
      coneFalloff_(2.0 / (cornea.coneRadiusMm * cornea.coneRadiusMm)),
      limbusSquared_(LimbusRadiusMm() * LimbusRadiusMm()) {
  const double flatAxis = (cornea.steepAxisDeg + 90.0) * std::numbers::pi / 180.0;
  flatCos_ = std::cos(flatAxis);
  flatSin_ = std::sin(flatAxis);
}

bool CorneaSurface::Conicoid(double x, double y, double& sag, double& gx, double& gy) const {
  const double r2 = x * x + y * y;
  const double rest = 1.0 - conicFactor_ * r2;
  if (rest <= 1e-9) return false;
  const double root = std::sqrt(rest);
  sag = curvature_ * r2 / (1.0 + root);
  gx = curvature_ * x / root;
  gy = curvature_ * y / root;
  return true;
}

bool CorneaSurface::Biconic(double x, double y, double& sag, double& gx, double& gy) const {
  // u along the flat meridian, v along the steep one.
  const double u = x * flatCos_ + y * flatSin_;
  const double v = -x * flatSin_ + y * flatCos_;
  const double cu = flatCurvature_, cv = steepCurvature_;
  const double rest = 1.0 - cu * cu * u * u - cv * cv * v * v;
  if (rest <= 1e-9) return false;
  const double root = std::sqrt(rest);
  const double numerator = cu * u * u + cv * v * v;
  const double denominator = 1.0 + root;
  sag = numerator / denominator;
  // d(sag)/du = (2 cu u (1 + root) + numerator cu^2 u / root) / (1 + root)^2
  const double scale = 1.0 / (denominator * denominator);
  const double gu = (2.0 * cu * u * denominator + numerator * cu * cu * u / root) * scale;
  const double gv = (2.0 * cv * v * denominator + numerator * cv * cv * v / root) * scale;
  gx = gu * flatCos_ - gv * flatSin_;
  gy = gu * flatSin_ + gv * flatCos_;
  return true;
}

bool CorneaSurface::At(double x, double y, SurfacePoint& point) const {
  if (x * x + y * y > limbusSquared_) return false;
  double sag, gx, gy;
  if (kind_ == SurfaceKind::Toric) {
    if (!Biconic(x, y, sag, gx, gy)) return false;
  } else {
    if (!Conicoid(x, y, sag, gx, gy)) return false;
    if (kind_ == SurfaceKind::Keratoconus) {
      // The protrusion comes towards the camera, so it lowers the sag.
      const double dx = x - coneX_, dy = y - coneY_;
      const double bump = coneHeight_ * std::exp(-coneFalloff_ * (dx * dx + dy * dy));
      sag -= bump;
      gx += 2.0 * coneFalloff_ * dx * bump;
      gy += 2.0 * coneFalloff_ * dy * bump;
    }
  }
  // The surface is z = -sag(x, y); its outward normal is (gx, gy, 1) normalised.
  const double inverseLength = 1.0 / std::sqrt(gx * gx + gy * gy + 1.0);
  point.z = -sag;
  point.nx = gx * inverseLength;
  point.ny = gy * inverseLength;
  point.nz = inverseLength;
  return true;
}

}  // namespace placido
