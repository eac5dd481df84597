// The ring tables of one image: 360 rows (row index k - 1 holds direction k degrees) by 33
// columns (column c = ring c, column 0 unused by the pixel tables), and the ring counts.
#pragma once
#include <array>
#include <cmath>

namespace vessik {

inline constexpr int kAngulos = 360;
inline constexpr int kColunas = 33;
inline constexpr int kAneisMax = 32;

using TabelaAneis = std::array<std::array<double, kColunas>, kAngulos>;
using ContagemAneis = std::array<int, kAngulos>;

// Ring radii are below this many pixels in magnitude: farther out a ring lies outside any
// picture the detector reads.
inline constexpr double kRaioMaximo = 1000;

// Whether a table of ring radii that did not come from the detector (a file, a test, a fuzzer)
// may be handed to the clean-up and the conversion: every value a number below kRaioMaximo in
// magnitude.  Within that range every pass ends and all its arithmetic stays defined.
inline bool TabelaAceitavel(const TabelaAneis& tabela) {
  for (const auto& linha : tabela)
    for (double valor : linha)
      if (!(std::fabs(valor) < kRaioMaximo)) return false;
  return true;
}

}  // namespace vessik
