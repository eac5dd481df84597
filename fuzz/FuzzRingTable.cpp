// Ring-table text as the host reads it from the module and from exam files.  Whatever table the
// reader accepts, the writer's lines for it must read back.
#include <cmath>
#include <cstdlib>

#include "Errors.h"
#include "FuzzInput.h"
#include "UBArquivosExame.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zv;
  const std::vector<std::string> lines =
      DecodeLines(std::string_view(reinterpret_cast<const char*>(data), size));
  static TMatrizAngAnel table;
  try {
    LeTabelaAneis(lines, -1, table);
  } catch (const ConvertError&) {
    return 0;
  }
  for (const auto& row : table) {
    double back[kColunasTabela] = {};
    LeLinhaTabelaAneis(LinhaTabelaAneis(row, kColunasTabela - 1), back);
    for (int c = 0; c < kColunasTabela; ++c)
      if (!(std::fabs(back[c] - row[c]) <= 0.005 + 1e-9 * std::fabs(row[c]))) std::abort();
  }
  return 0;
}
