// Text forms of the module's results as the host reads them: the ring tables (one line per
// angle and image, values "00.00" each followed by a space) and the orthokeratology values.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "TabelaAneis.h"

namespace vessik {

// 360 lines per image, images in order; columns 0..numAneis.
std::vector<std::string> LinhasTabela(const std::array<TabelaAneis, 4>& matrizes, int numAneis);

// Four lines per image: SAG, DIV, R0 in general number form, then "0".
std::vector<std::string> LinhasValoresOrto(const std::array<double, 5>& sag,
                                           const std::array<double, 5>& div,
                                           const std::array<double, 5>& r0);

}  // namespace vessik
