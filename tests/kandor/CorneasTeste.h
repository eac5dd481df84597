// Hand-made ring tables of test corneas.  Ring k lies at k x espacamento pixels on every
// meridian (ring 0 is the centre, radius 0); the dioptre table holds 337.5 / R for a radius
// of curvature R in millimetres, column 0 repeating ring 1.
#pragma once
#include <cmath>
#include <functional>
#include <memory>

#include "UBConstantes.h"

namespace kandor::test {

struct TabelasExame {
  TMatrizAngAnel pixels{};
  TMatrizAngAnel dioptrias{};
};

// power(meridian 1..360, radius in pixels) in dioptres.
inline std::unique_ptr<TabelasExame> Cornea(const std::function<double(int, double)>& potencia,
                                            int numAneis = 32, double espacamento = 7.5) {
  auto t = std::make_unique<TabelasExame>();
  for (int m = 1; m <= 360; ++m) {
    for (int k = 0; k <= numAneis; ++k) {
      const double r = k * espacamento;
      t->pixels[m - 1][k] = r;
      t->dioptrias[m - 1][k] = potencia(m, k == 0 ? espacamento : r);
    }
  }
  return t;
}

// A sphere of radius raioMm.
inline std::unique_ptr<TabelasExame> Esfera(double raioMm, int numAneis = 32,
                                            double espacamento = 7.5) {
  return Cornea([=](int, double) { return 337.5 / raioMm; }, numAneis, espacamento);
}

// With-the-rule toric cornea: flat radius on meridian 180, steep on 90.
inline std::unique_ptr<TabelasExame> Torica(double raioPlano, double raioCurvo) {
  return Cornea([=](int m, double) {
    const double c = std::cos(m * M_PI / 180.0);
    return 337.5 / raioCurvo + (337.5 / raioPlano - 337.5 / raioCurvo) * c * c;
  });
}

// Cornea after orthokeratology: a flattened centre (about base - achatamento) ringed by a
// steeper mid-periphery (about base + anel) near `raioAnel` pixels, back to base outside.
inline std::unique_ptr<TabelasExame> Ortoceratologia(double base, double achatamento, double anel,
                                                     double raioAnel = 110) {
  return Cornea([=](int, double r) {
    return base - achatamento * std::exp(-std::pow(r / 55.0, 2)) +
           anel * std::exp(-std::pow((r - raioAnel) / 30.0, 2));
  });
}

}  // namespace kandor::test
