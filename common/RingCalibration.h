// The per-ring calibration of the ring radii against reference spheres: for each ring j, the
// least-squares line R = a_j + b_j·ρ through the four points (ρ of ring j on sphere s, radius
// of sphere s in millimetres), and its "Coef.txt" lines (intercept then slope per ring, general
// number form, rings not fitted written as 0 and 0).
#pragma once
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace zv {

struct RingCoefficients {
  double a = 0;  // millimetres
  double b = 0;  // millimetres per pixel
};

// `rho[s][j - 1]` is the ring radius in pixels of ring j on sphere s.  At most `rings` rings are
// fitted.  Throws ConvertError when a ring's four radii are all equal (no line through them).
std::vector<RingCoefficients> FitRingCalibration(const std::array<double, 4>& sphereRadiiMm,
                                                 const std::array<std::vector<double>, 4>& rho,
                                                 int rings);

// The 2 × rings lines of "Coef.txt"; rings beyond the fitted ones are 0 and 0.
std::vector<std::string> CoefLines(const std::vector<RingCoefficients>& fit, int rings);

}  // namespace zv
