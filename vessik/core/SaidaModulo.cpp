#include "SaidaModulo.h"

#include "NumberFormat.h"

namespace vessik {

std::vector<std::string> LinhasTabela(const std::array<TabelaAneis, 4>& matrizes, int numAneis) {
  std::vector<std::string> linhas;
  linhas.reserve(4 * kAngulos);
  for (const auto& m : matrizes)
    for (const auto& linha : m) {
      std::string texto;
      for (int c = 0; c <= numAneis && c < kColunas; ++c)
        texto += zv::FormatFloat("00.00", linha[c]) + " ";
      linhas.push_back(std::move(texto));
    }
  return linhas;
}

std::vector<std::string> LinhasValoresOrto(const std::array<double, 5>& sag,
                                           const std::array<double, 5>& div,
                                           const std::array<double, 5>& r0) {
  std::vector<std::string> linhas;
  for (int i = 0; i < 4; ++i) {
    linhas.push_back(zv::FloatToStr(sag[i]));
    linhas.push_back(zv::FloatToStr(div[i]));
    linhas.push_back(zv::FloatToStr(r0[i]));
    linhas.push_back("0");
  }
  return linhas;
}

}  // namespace vessik
