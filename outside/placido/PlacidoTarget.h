// The Placido cone of the simulated instrument: what a ray reflected off the cornea meets.
#pragma once

#include <array>

namespace placido {

struct SurfacePoint;

class PlacidoTarget {
 public:
  // What a reflected ray meets, in order from the axis outwards.
  enum class Place { Fixation, Aperture, Wall, Room };
  struct Hit {
    Place place;
    double z;  // axial position on the wall (Place::Wall only)
  };

  // The cone of the given ring count (16 or 32), its edges laid out on the reference sphere.
  explicit PlacidoTarget(int rings);

  // One shared, immutable target per ring count.
  static const PlacidoTarget& For(int rings);

  // Follows the camera ray reflected at the given surface point.
  static Hit Trace(double x, double y, const SurfacePoint& point);

  // Number of ring edges between the rear rim and what the hit sees: 0 in the aperture, the
  // edge count beyond the last edge and in the room. Grows monotonically from the axis out.
  int EdgesCrossed(const Hit& hit) const;

  int Grey(const Hit& hit) const;

  int Rings() const { return rings_; }
  double EdgeZ(int edge) const { return edgeZ_[edge - 1]; }

 private:
  int rings_;
  std::array<double, 32> edgeZ_{};  // decreasing: edge 1 nearest the rear rim
};

}  // namespace placido
