#include <gtest/gtest.h>

#include "Errors.h"
#include "RingCalibration.h"

namespace zv {
namespace {

TEST(RingCalibration, FitsALinePerRingAndPadsTheFile) {
  // Ring 1 lies exactly on R = 2 + 0.05·ρ; ring 2 on R = 1 + 0.025·ρ.
  const std::array<double, 4> spheres = {7.73, 8.05, 8.34, 8.91};
  std::array<std::vector<double>, 4> rho;
  for (int s = 0; s < 4; ++s) rho[s] = {(spheres[s] - 2) / 0.05, (spheres[s] - 1) / 0.025};
  const auto fit = FitRingCalibration(spheres, rho, 16);
  ASSERT_EQ(fit.size(), 2u);
  EXPECT_NEAR(fit[0].a, 2, 1e-9);
  EXPECT_NEAR(fit[0].b, 0.05, 1e-12);
  EXPECT_NEAR(fit[1].a, 1, 1e-9);
  const auto lines = CoefLines(fit, 3);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[4], "0");
  EXPECT_EQ(lines[5], "0");
  EXPECT_EQ(FitRingCalibration(spheres, rho, 1).size(), 1u);  // at most N rings

  for (auto& r : rho) r = {100};  // one ring seen at the same radius on every sphere
  EXPECT_THROW(FitRingCalibration(spheres, rho, 16), ConvertError);
}

}  // namespace
}  // namespace zv
