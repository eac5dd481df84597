// The ring tables of one image: 360 rows (row index k - 1 holds direction k degrees) by 33
// columns (column c = ring c, column 0 unused by the pixel tables), and the ring counts.
#pragma once
#include <array>

namespace vessik {

inline constexpr int kAngulos = 360;
inline constexpr int kColunas = 33;
inline constexpr int kAneisMax = 32;

using TabelaAneis = std::array<std::array<double, kColunas>, kAngulos>;
using ContagemAneis = std::array<int, kAngulos>;

}  // namespace vessik
