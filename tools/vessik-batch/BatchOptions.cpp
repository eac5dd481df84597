#include "BatchOptions.h"

#include <stdexcept>

#include "NumberFormat.h"

namespace vessik::batch {

BatchOptions ParseOptions(const std::vector<std::string>& args) {
  BatchOptions o;
  bool seen[6] = {};
  const char* names[6] = {"--rings", "--factor", "--tvl", "--tinc", "--coef", "--out"};
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.rfind("--", 0) != 0) {
      o.images.push_back(a);
      continue;
    }
    int which = -1;
    for (int n = 0; n < 6; ++n)
      if (a == names[n]) which = n;
    if (which < 0) throw std::invalid_argument("unknown option " + a);
    if (i + 1 >= args.size()) throw std::invalid_argument("missing value after " + a);
    const std::string& v = args[++i];
    int inteiro = 0;
    double real = 0;
    switch (which) {
      case 0:
        if (!zv::TryStrToInt(v, inteiro) || (inteiro != 16 && inteiro != 32))
          throw std::invalid_argument("--rings must be 16 or 32, not '" + v + "'");
        o.rings = inteiro;
        break;
      case 1:
        if (!zv::TryStrToFloat(v, real) || !(real > 0))
          throw std::invalid_argument("--factor must be a positive number, not '" + v + "'");
        o.factor = real;
        break;
      case 2:
      case 3:
        if (!zv::TryStrToInt(v, inteiro))
          throw std::invalid_argument(a + " must be an integer, not '" + v + "'");
        (which == 2 ? o.tvl : o.tinc) = inteiro;
        break;
      case 4:
        o.coef = v;
        break;
      case 5:
        o.out = v;
        break;
    }
    seen[which] = true;
  }
  for (int n = 0; n < 6; ++n)
    if (!seen[n]) throw std::invalid_argument(std::string("missing option ") + names[n]);
  if (o.images.empty()) throw std::invalid_argument("no image given");
  if (o.images.size() > 4) throw std::invalid_argument("at most four images");
  return o;
}

}  // namespace vessik::batch
