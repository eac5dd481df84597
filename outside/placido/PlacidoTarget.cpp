#include "PlacidoTarget.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "CorneaSurface.h"
#include "PlacidoRenderer.h"

namespace placido {

namespace {

// Cone dimensions (mm): the rear rim around the camera aperture and the front rim near the eye.
constexpr double RearZ = 70.0;
constexpr double RearRadius = 5.0;
constexpr double FrontZ = 4.0;
constexpr double FrontRadius = 36.0;
constexpr double FixationRadius = 0.9;
// Growth of the wall radius per millimetre towards the eye.
constexpr double WallSlope = (FrontRadius - RearRadius) / (RearZ - FrontZ);

}  // namespace

double ConeRearZMm() {
  return RearZ;
}
double ConeRearRadiusMm() {
  return RearRadius;
}
double ConeFrontZMm() {
  return FrontZ;
}
double ConeFrontRadiusMm() {
  return FrontRadius;
}
double FixationRadiusMm() {
  return FixationRadius;
}

PlacidoTarget::Hit PlacidoTarget::Trace(double x, double y, const SurfacePoint& point) {
  // Reflect the camera ray (0, 0, -1) about the normal: r = d - 2 (d . n) n.
  const double rx = 2.0 * point.nz * point.nx;
  const double ry = 2.0 * point.nz * point.ny;
  const double rz = 2.0 * point.nz * point.nz - 1.0;
  const double z0 = point.z;
  // Rays that do not go back towards the instrument, or pass outside its front rim, see the
  // dark room.
  if (rz <= 0.0) return {Place::Room, 0.0};
  const double tFront = (FrontZ - z0) / rz;
  const double xf = x + tFront * rx, yf = y + tFront * ry;
  if (xf * xf + yf * yf >= FrontRadius * FrontRadius) return {Place::Room, 0.0};
  // Inside the truncated cone, which is convex: the ray leaves it either through the rear
  // aperture or through the wall.
  const double tRear = (RearZ - z0) / rz;
  const double xr = x + tRear * rx, yr = y + tRear * ry;
  const double rearSquared = xr * xr + yr * yr;
  if (rearSquared < RearRadius * RearRadius) {
    return {rearSquared < FixationRadius * FixationRadius ? Place::Fixation : Place::Aperture, 0.0};
  }
  // Wall: |xy(t)|^2 = (a - b t)^2 with the wall radius a - b t at the ray's depth.
  const double a = RearRadius + WallSlope * (RearZ - z0);
  const double b = WallSlope * rz;
  const double qa = rx * rx + ry * ry - b * b;
  const double qb = 2.0 * (x * rx + y * ry + a * b);
  const double qc = x * x + y * y - a * a;
  double t;
  if (std::abs(qa) < 1e-12) {
    t = -qc / qb;
  } else {
    const double root = std::sqrt(std::max(0.0, qb * qb - 4.0 * qa * qc));
    // The root inside [tFront, tRear]; the stable form avoids cancellation.
    const double q = -0.5 * (qb + std::copysign(root, qb));
    const double t1 = q / qa, t2 = qc / q;
    t = (t1 >= tFront && t1 <= tRear) ? t1 : t2;
  }
  double z = z0 + t * rz;
  z = std::min(RearZ, std::max(FrontZ, z));
  return {Place::Wall, z};
}

int PlacidoTarget::EdgesCrossed(const Hit& hit) const {
  switch (hit.place) {
    case Place::Fixation:
    case Place::Aperture:
      return 0;
    case Place::Room:
      return rings_;
    case Place::Wall:
      break;
  }
  // Edges are ordered from the rear rim (largest z) forwards.
  int lo = 0, hi = rings_;
  while (lo < hi) {
    const int mid = (lo + hi) / 2;
    if (edgeZ_[mid] >= hit.z)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

int PlacidoTarget::Grey(const Hit& hit) const {
  if (hit.place == Place::Fixation) return FixationGrey;
  return EdgesCrossed(hit) % 2 == 1 ? BrightGrey : DarkGrey;
}

PlacidoTarget::PlacidoTarget(int rings) : rings_(rings) {
  if (rings != 16 && rings != 32) throw std::invalid_argument("the target has 16 or 32 rings");
  // Place every edge where the reference sphere reflects it to its planned image radius.
  Cornea reference;
  reference.kind = SurfaceKind::Sphere;
  reference.apicalRadiusMm = ReferenceRadiusMm();
  const CorneaSurface sphere(reference);
  const double first = FirstEdgeRadiusPx(rings), last = LastEdgeRadiusPx(rings);
  for (int j = 0; j < rings; ++j) {
    const double x = (first + (last - first) * j / (rings - 1)) * MillimetresPerPixel();
    SurfacePoint point;
    if (!sphere.At(x, 0.0, point)) throw std::logic_error("ring layout beyond the limbus");
    const Hit hit = Trace(x, 0.0, point);
    if (hit.place != Place::Wall) throw std::logic_error("ring layout off the cone wall");
    edgeZ_[j] = hit.z;
  }
}

const PlacidoTarget& PlacidoTarget::For(int rings) {
  static const PlacidoTarget sixteen(16);
  static const PlacidoTarget thirtyTwo(32);
  return rings == 16 ? sixteen : thirtyTwo;
}

}  // namespace placido
