#include "RingCalibration.h"

#include <algorithm>

#include "Errors.h"
#include "NumberFormat.h"

namespace zv {

std::vector<RingCoefficients> FitRingCalibration(const std::array<double, 4>& sphereRadiiMm,
                                                 const std::array<std::vector<double>, 4>& rho,
                                                 int rings) {
  size_t fitted = static_cast<size_t>(std::max(rings, 0));
  for (const auto& r : rho) fitted = std::min(fitted, r.size());
  std::vector<RingCoefficients> out;
  for (size_t j = 0; j < fitted; ++j) {
    double sRho = 0, sR = 0, sRhoR = 0, sRhoRho = 0;
    for (int s = 0; s < 4; ++s) {
      sRho += rho[s][j];
      sR += sphereRadiiMm[s];
      sRhoR += rho[s][j] * sphereRadiiMm[s];
      sRhoRho += rho[s][j] * rho[s][j];
    }
    const double g = 4 * sRhoRho - sRho * sRho;
    if (g == 0) throw ConvertError("ring " + std::to_string(j + 1) + " cannot be fitted");
    out.push_back({(sRhoRho * sR - sRho * sRhoR) / g, (4 * sRhoR - sRho * sR) / g});
  }
  return out;
}

std::vector<std::string> CoefLines(const std::vector<RingCoefficients>& fit, int rings) {
  std::vector<std::string> lines;
  for (int j = 0; j < rings; ++j) {
    const RingCoefficients c = j < static_cast<int>(fit.size()) ? fit[j] : RingCoefficients{};
    lines.push_back(FloatToStr(c.a));
    lines.push_back(FloatToStr(c.b));
  }
  return lines;
}

}  // namespace zv
