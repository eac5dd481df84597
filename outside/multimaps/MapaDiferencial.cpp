#include "MapaDiferencial.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace multimapas {

using mapas::GradePotencia;
using mapas::kMeridianos;
using mapas::kRaioMaximoPx;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kNiveisDiferenca = 21;
constexpr int kVizinhos = 2;  // meridians on each side averaged for the treatment zone

// Mean of the difference over meridians m - 2 .. m + 2 at one radius; NaN when none has a value.
double MediaVizinha(const GradePotencia& g, int m, int r) {
  double soma = 0;
  int n = 0;
  for (int d = -kVizinhos; d <= kVizinhos; ++d) {
    const int mm = (m - 1 + d + kMeridianos) % kMeridianos + 1;
    if (const double v = g.Valor(mm, r); std::isfinite(v)) soma += v, ++n;
  }
  return n ? soma / n : kNaN;
}

// Radius (pixels) where the flattening of meridian m reaches 0 D; negative when it does not.
double Cruzamento(const GradePotencia& g, int m, int raioCentralPx) {
  double centro = 0;
  int n = 0;
  for (int r = 0; r <= raioCentralPx; ++r)
    if (const double v = MediaVizinha(g, m, r); std::isfinite(v)) centro += v, ++n;
  if (n == 0 || centro / n >= 0) return -1;
  double anterior = kNaN;
  for (int r = raioCentralPx; r <= kRaioMaximoPx; ++r) {
    const double v = MediaVizinha(g, m, r);
    if (!std::isfinite(v)) {
      if (std::isfinite(anterior)) return -1;  // the map ends before the flattening does
      continue;
    }
    if (v >= 0) {
      if (!std::isfinite(anterior)) return r;
      return r - 1 + (-anterior) / (v - anterior);
    }
    anterior = v;
  }
  return -1;
}

mapas::Cor Mistura(mapas::Cor a, mapas::Cor b, double t) {
  auto m = [t](uint8_t x, uint8_t y) { return static_cast<uint8_t>(std::lround(x + t * (y - x))); };
  return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

}  // namespace

GradePotencia Diferenca(const GradePotencia& antes, const GradePotencia& depois) {
  GradePotencia d;
  d.mmPorPixel = antes.mmPorPixel;
  for (int m = 1; m <= kMeridianos; ++m)
    for (int r = 0; r <= kRaioMaximoPx; ++r) {
      const double a = antes.Valor(m, r), b = depois.Valor(m, r);
      if (std::isfinite(a) && std::isfinite(b)) d.Define(m, r, b - a);
    }
  return d;
}

double VariacaoCentral(const GradePotencia& diferenca, double raioMm) {
  const int ate = std::min(kRaioMaximoPx, static_cast<int>(raioMm / diferenca.mmPorPixel));
  double soma = 0;
  int n = 0;
  for (int m = 1; m <= kMeridianos; ++m)
    for (int r = 0; r <= ate; ++r)
      if (const double v = diferenca.Valor(m, r); std::isfinite(v)) soma += v, ++n;
  return n ? soma / n : kNaN;
}

ZonaTratamento CalculaZonaTratamento(const GradePotencia& dif) {
  const int central = std::max(1, static_cast<int>(0.5 / dif.mmPorPixel));
  double soma = 0;
  ZonaTratamento zona;
  for (int m = 1; m <= kMeridianos / 2; ++m) {
    const double a = Cruzamento(dif, m, central), b = Cruzamento(dif, m + kMeridianos / 2, central);
    if (a < 0 || b < 0) continue;
    soma += a + b;
    ++zona.pares;
  }
  zona.valida = zona.pares >= kMeridianos / 4;
  if (zona.valida) zona.diametroMm = soma / zona.pares * dif.mmPorPixel;
  return zona;
}

mapas::Escala EscalaDiferenca(double passo) {
  if (std::find(mapas::kPassos.begin(), mapas::kPassos.end(), passo) == mapas::kPassos.end())
    passo = 0.5;
  constexpr mapas::Cor azul{0, 30, 160}, neutro{235, 235, 225}, vermelho{170, 0, 0};
  mapas::Escala e;
  e.passo = passo;
  e.inicio = -(kNiveisDiferenca / 2 + 0.5) * passo;
  for (int i = 0; i < kNiveisDiferenca; ++i) {
    const double t = double(i - kNiveisDiferenca / 2) / (kNiveisDiferenca / 2);  // -1 .. 1
    e.cores.push_back(t < 0 ? Mistura(neutro, azul, -t) : Mistura(neutro, vermelho, t));
  }
  return e;
}

}  // namespace multimapas
