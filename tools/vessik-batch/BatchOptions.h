// Command line of vessik-batch:
//   vessik-batch --rings N --factor MM_PER_PIXEL --tvl TVLCENTRAL --tinc TINCREMENTO
//                --coef PATH/Coef.txt --out DIR IMAGE1.bmp [IMAGE2.bmp ...]
#pragma once
#include <string>
#include <vector>

namespace vessik::batch {

struct BatchOptions {
  int rings = 0;
  double factor = 0;
  int tvl = 0, tinc = 0;
  std::string coef, out;
  std::vector<std::string> images;
};

// Parses argv[1..]; throws std::invalid_argument with a one-line reason.
BatchOptions ParseOptions(const std::vector<std::string>& args);

}  // namespace vessik::batch
