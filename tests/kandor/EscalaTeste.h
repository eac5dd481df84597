// The colour scale of the maps as the instrument defines it, typed level by level (never read
// from the module's own table): colour, lower bound in dioptres and the radius of curvature of
// that bound (337.5 / D) in millimetres, both as the legend writes them.
#pragma once
#include <array>

namespace kandor::test {

struct NivelEscala {
  int nivel, r, g, b;
  const char* dioptrias;
  const char* milimetros;
};

inline constexpr std::array<NivelEscala, 25> kEscala = {{
    {1, 64, 15, 137, "30.00", "11.25"},  {2, 55, 31, 176, "31.00", "10.89"},
    {3, 6, 56, 183, "32.00", "10.55"},   {4, 0, 67, 192, "33.00", "10.23"},
    {5, 0, 75, 201, "34.00", "9.93"},    {6, 0, 99, 211, "35.00", "9.64"},
    {7, 2, 129, 220, "36.00", "9.38"},   {8, 4, 159, 230, "37.00", "9.12"},
    {9, 9, 184, 243, "38.00", "8.88"},   {10, 15, 199, 243, "39.00", "8.65"},
    {11, 17, 192, 201, "40.00", "8.44"}, {12, 19, 179, 138, "41.00", "8.23"},
    {13, 19, 163, 51, "42.00", "8.04"},  {14, 54, 175, 13, "43.00", "7.85"},
    {15, 116, 203, 12, "44.00", "7.67"}, {16, 173, 222, 12, "45.00", "7.50"},
    {17, 218, 237, 13, "46.00", "7.34"}, {18, 241, 241, 12, "47.00", "7.18"},
    {19, 248, 235, 7, "48.00", "7.03"},  {20, 248, 220, 3, "49.00", "6.89"},
    {21, 243, 193, 8, "50.00", "6.75"},  {22, 235, 162, 12, "51.00", "6.62"},
    {23, 229, 131, 10, "52.00", "6.49"}, {24, 238, 68, 5, "53.00", "6.37"},
    {25, 255, 0, 0, "54.00", "6.25"},
}};

}  // namespace kandor::test
