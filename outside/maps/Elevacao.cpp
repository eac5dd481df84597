#include "Elevacao.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace mapas {

namespace {

// The axial power of each meridian replaced by the median of it and its two neighbours on each
// side: a single meridian the detection got wrong would otherwise tilt the whole profile
// integrated along it, while every shape of the cornea wider than a few degrees stays.
GradePotencia MedianaEntreMeridianos(const GradePotencia& grade) {
  constexpr int kVizinhos = 2;
  GradePotencia mediana;
  mediana.mmPorPixel = grade.mmPorPixel;
  std::vector<double> v;
  for (int m = 1; m <= kMeridianos; ++m) {
    for (int p = 0; p <= kRaioMaximoPx; ++p) {
      if (!std::isfinite(grade.Valor(m, p))) continue;
      v.clear();
      for (int d = -kVizinhos; d <= kVizinhos; ++d) {
        const double x = grade.Valor((m - 1 + d + kMeridianos) % kMeridianos + 1, p);
        if (std::isfinite(x)) v.push_back(x);
      }
      std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
      mediana.Define(m, p, v[v.size() / 2]);
    }
  }
  return mediana;
}

}  // namespace

GradePotencia CalculaSagitta(const GradePotencia& grade) {
  const GradePotencia axial = MedianaEntreMeridianos(grade);
  GradePotencia sag;
  sag.mmPorPixel = axial.mmPorPixel;
  const double h = axial.mmPorPixel;
  for (int m = 1; m <= kMeridianos; ++m) {
    double z = 0;
    double raioAnterior = std::nan("");
    for (int p = 0; p <= kRaioMaximoPx; ++p) {
      const double potencia = axial.Valor(m, p);
      if (!std::isfinite(potencia) || potencia <= 0) break;
      const double raio = kConstanteCeratometrica / potencia;
      if (p > 0) {
        // The step from r0 to r1 along the sphere of radius R: sqrt(R^2 - r0^2) - sqrt(R^2 - r1^2).
        const double R = (raio + raioAnterior) / 2, r0 = (p - 1) * h, r1 = p * h;
        if (r1 >= R) break;
        z += std::sqrt(R * R - r0 * r0) - std::sqrt(R * R - r1 * r1);
      }
      sag.Define(m, p, z);
      raioAnterior = raio;
    }
  }
  return sag;
}

double RaioCoberto(const GradePotencia& sagitta) {
  std::vector<double> alcance;
  for (int m = 1; m <= kMeridianos; ++m) {
    int ultimo = -1;
    for (int p = 0; p <= kRaioMaximoPx && std::isfinite(sagitta.Valor(m, p)); ++p) ultimo = p;
    alcance.push_back(ultimo > 0 ? ultimo * sagitta.mmPorPixel : 0);
  }
  std::sort(alcance.begin(), alcance.end());
  return alcance[kMeridianos / 10];
}

}  // namespace mapas
