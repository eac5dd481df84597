// The corneal surface of a simulated eye: height and normal at a lateral position.
#pragma once

#include "PlacidoRenderer.h"

namespace placido {

// A point of the cornea seen by a camera ray: its depth and unit outward normal.
struct SurfacePoint {
  double z;           // -sag: the surface lies behind the apex plane
  double nx, ny, nz;  // nz > 0: towards the camera
};

class CorneaSurface {
 public:
  explicit CorneaSurface(const Cornea& cornea);

  // The surface at lateral position (x, y) in millimetres; false outside the limbus or where
  // the surface is undefined.
  bool At(double x, double y, SurfacePoint& point) const;

 private:
  // Sag and its gradient; false where undefined.
  bool Conicoid(double x, double y, double& sag, double& gx, double& gy) const;
  bool Biconic(double x, double y, double& sag, double& gx, double& gy) const;

  SurfaceKind kind_;
  double curvature_;      // 1 / apical radius
  double conicFactor_;    // (1 + Q) c^2
  double flatCurvature_;  // toric, along the flat meridian
  double steepCurvature_;
  double flatCos_, flatSin_;                         // direction of the flat meridian
  double coneX_, coneY_, coneHeight_, coneFalloff_;  // bump h * exp(-falloff * d^2)
  double limbusSquared_;
};

}  // namespace placido
