// The ring tables of one image: 360 rows (row k, 1..360, at index k - 1) by 33 columns (column
// c = ring c, column 0 unused by the pixel tables), and the ring counts.
#pragma once
#include <array>
#include <cmath>

namespace vessik {

inline constexpr int kAngulos = 360;
inline constexpr int kColunas = 33;
inline constexpr int kAneisMax = 32;

// The direction, in whole degrees 0..359 clockwise on the picture from the right (picture rows
// grow downwards), of the ray the detector samples for row k: one degree past the row number,
// so row 359 looks along 0 degrees and row 360 along 1.  Every reader of the tables that turns
// rows into directions goes through this pair.
inline constexpr int DirecaoDaLinha(int linha) {
  return ((linha + 1) % kAngulos + kAngulos) % kAngulos;
}

// The row whose ray looks along `graus` (whole degrees clockwise from the right, any turn).
inline constexpr int LinhaDaDirecao(int graus) {
  const int k = ((graus - 1) % kAngulos + kAngulos) % kAngulos;
  return k == 0 ? kAngulos : k;
}

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
