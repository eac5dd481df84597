// Small synthetic Placido pictures for the detector tests: bright bands on black around a
// centre, drawn with a hard edge at the given radii.
#pragma once
#include <cmath>
#include <utility>
#include <vector>

#include "FonteImagem.h"

namespace vessik::test {

// Bright (255) where the distance to (xc, yc) lies in one of the half-open bands [inner, outer).
inline ImagemRGB DesenhaAneis(const std::vector<std::pair<double, double>>& faixas, double xc = 320,
                              double yc = 240, int largura = 640, int altura = 480) {
  ImagemRGB img(largura, altura);
  for (int y = 0; y < altura; ++y)
    for (int x = 0; x < largura; ++x) {
      const double d = std::hypot(x - xc, y - yc);
      for (const auto& [dentro, fora] : faixas)
        if (d >= dentro && d < fora) img.Argb(x, y) = 0xFFFFFFFFu;
    }
  return img;
}

// Bands of width `largura` starting at `primeiro`, one every `periodo` pixels: 2 * n edges.
inline std::vector<std::pair<double, double>> FaixasRegulares(int n, double primeiro,
                                                              double largura, double periodo) {
  std::vector<std::pair<double, double>> f;
  for (int i = 0; i < n; ++i)
    f.push_back({primeiro + i * periodo, primeiro + i * periodo + largura});
  return f;
}

}  // namespace vessik::test
