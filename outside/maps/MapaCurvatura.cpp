#include "MapaCurvatura.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace mapas {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kNiveisMaximo = 26;

bool Plausivel(double potencia) {
  return std::isfinite(potencia) && potencia > 10.0 && potencia < 120.0;
}

// The usable profile of one meridian: centre first, then the rings in order.
void Perfil(const double* linhaPixels, const double* linhaDioptrias, int aneis, double mmPorPixel,
            std::vector<double>& raios, std::vector<double>& potencias) {
  raios.clear();
  potencias.clear();
  double anterior = 0;
  for (int j = 1; j <= aneis; ++j) {
    const double r = linhaPixels[j], p = linhaDioptrias[j];
    if (!std::isfinite(r) || r <= anterior || r > kRaioMaximoPx || !Plausivel(p)) break;
    if (raios.empty()) {
      raios.push_back(0);
      potencias.push_back(Plausivel(linhaDioptrias[0]) ? linhaDioptrias[0] : p);
    }
    raios.push_back(r * mmPorPixel);
    potencias.push_back(p);
    anterior = r;
  }
}

double Interpola(const std::vector<double>& x, const std::vector<double>& y, double v) {
  if (x.size() < 2 || v < x.front() || v > x.back()) return kNaN;
  const auto it = std::upper_bound(x.begin(), x.end(), v);
  const size_t i = it == x.end() ? x.size() - 1 : static_cast<size_t>(it - x.begin());
  const double t = (v - x[i - 1]) / (x[i] - x[i - 1]);
  return y[i - 1] + t * (y[i] - y[i - 1]);
}

// Slope, per sample, at sample i of the least-squares parabola through the samples i - h .. i + h
// that are numbers (samples one unit apart).
double Inclinacao(const double* y, int n, int i, int h) {
  // Fit y = a + b u + c u^2 with u = j - i; the slope at u = 0 is b.
  double s[5] = {}, t[3] = {};
  int pontos = 0;
  for (int j = std::max(0, i - h); j <= std::min(n - 1, i + h); ++j) {
    if (!std::isfinite(y[j])) continue;
    const double u = j - i;
    double pot = 1;
    for (int e = 0; e < 5; ++e) {
      s[e] += pot;
      if (e < 3) t[e] += pot * y[j];
      pot *= u;
    }
    ++pontos;
  }
  if (pontos < 3) return 0;
  // Normal equations [s0 s1 s2; s1 s2 s3; s2 s3 s4] [a b c] = [t0 t1 t2], solved for b (Cramer).
  auto det3 = [](double a, double b, double c, double d, double e, double f, double g, double h,
                 double k) {
    return a * (e * k - f * h) - b * (d * k - f * g) + c * (d * h - e * g);
  };
  const double d = det3(s[0], s[1], s[2], s[1], s[2], s[3], s[2], s[3], s[4]);
  if (std::abs(d) < 1e-12) return 0;
  return det3(s[0], t[0], s[2], s[1], t[1], s[3], s[2], t[2], s[4]) / d;
}

// Axial power averaged over the neighbouring meridians, so that the slope of the tangential map
// does not follow the ring-to-ring scatter of single meridians.
GradePotencia MediaEntreMeridianos(const GradePotencia& grade, int vizinhos) {
  GradePotencia media;
  media.mmPorPixel = grade.mmPorPixel;
  for (int m = 1; m <= kMeridianos; ++m) {
    for (int r = 0; r <= kRaioMaximoPx; ++r) {
      if (!std::isfinite(grade.Valor(m, r))) continue;
      double soma = 0;
      int n = 0;
      for (int d = -vizinhos; d <= vizinhos; ++d) {
        const double v = grade.Valor((m - 1 + d + kMeridianos) % kMeridianos + 1, r);
        if (std::isfinite(v)) soma += v, ++n;
      }
      media.Define(m, r, soma / n);
    }
  }
  return media;
}

Cor Paleta(double t) {
  // Flat to steep: dark blue, blue, cyan, green, yellow, orange, red, dark red, magenta.
  static const Cor chaves[] = {{0, 0, 120},   {0, 40, 220},  {0, 160, 255}, {0, 200, 120},
                               {120, 220, 0}, {255, 240, 0}, {255, 150, 0}, {235, 30, 0},
                               {150, 0, 0},   {200, 0, 160}};
  constexpr int n = sizeof(chaves) / sizeof(chaves[0]);
  const double pos = std::clamp(t, 0.0, 1.0) * (n - 1);
  const int i = std::min(static_cast<int>(pos), n - 2);
  const double f = pos - i;
  auto mistura = [f](uint8_t a, uint8_t b) {
    return static_cast<uint8_t>(std::lround(a + f * (b - a)));
  };
  return {mistura(chaves[i].r, chaves[i + 1].r), mistura(chaves[i].g, chaves[i + 1].g),
          mistura(chaves[i].b, chaves[i + 1].b)};
}

Escala Monta(double inicio, double passo, int niveis) {
  Escala e;
  e.inicio = inicio;
  e.passo = passo;
  for (int i = 0; i < niveis; ++i)
    e.cores.push_back(Paleta(niveis > 1 ? double(i) / (niveis - 1) : 0.5));
  return e;
}

double PassoValido(double passo) {
  for (double p : kPassos)
    if (std::abs(p - passo) < 1e-9) return p;
  return 1.0;
}

}  // namespace

double MilimetrosPorPixel(double fatorCorrecao) {
  return std::isfinite(fatorCorrecao) && fatorCorrecao > 0.001 && fatorCorrecao < 0.2
             ? fatorCorrecao
             : kFatorPadrao;
}

double AnguloClinico(int meridiano) {
  return (vessik::kAngulos - vessik::DirecaoDaLinha(meridiano)) % vessik::kAngulos;
}

int MeridianoDoAngulo(double graus) {
  return vessik::LinhaDaDirecao(vessik::kAngulos - static_cast<int>(std::lround(graus)));
}

GradePotencia::GradePotencia()
    : valores_(static_cast<size_t>(kMeridianos) * (kRaioMaximoPx + 1), kNaN) {}

double GradePotencia::Em(int meridiano, double raioPx) const {
  if (!(raioPx >= 0) || raioPx > kRaioMaximoPx) return kNaN;
  const int r0 = static_cast<int>(raioPx);
  const double f = raioPx - r0;
  if (f == 0) return Valor(meridiano, r0);
  return Valor(meridiano, r0) * (1 - f) + Valor(meridiano, r0 + 1) * f;
}

int GradePotencia::MeridianoDaDirecao(double graus) {
  return vessik::LinhaDaDirecao(static_cast<int>(std::lround(graus)));
}

bool GradePotencia::Vazia() const {
  return std::none_of(valores_.begin(), valores_.end(), [](double v) { return std::isfinite(v); });
}

double GradePotencia::Minimo() const {
  double m = kNaN;
  for (double v : valores_)
    if (std::isfinite(v) && !(v >= m)) m = v;
  return m;
}

double GradePotencia::Maximo() const {
  double m = kNaN;
  for (double v : valores_)
    if (std::isfinite(v) && !(v <= m)) m = v;
  return m;
}

GradePotencia CalculaGrade(TipoMapa tipo, const TMatrizAngAnel& pixels, const TMatrizAng& aneis,
                           const TMatrizAngAnel& dioptrias, int numAneis, double mmPorPixel) {
  GradePotencia grade;
  grade.mmPorPixel = mmPorPixel;
  std::vector<double> raios, potencias;
  for (int m = 1; m <= kMeridianos; ++m) {
    const int n = std::clamp(std::min<int>(aneis[m - 1], numAneis), 0, 32);
    Perfil(pixels[m - 1], dioptrias[m - 1], n, mmPorPixel, raios, potencias);
    if (raios.size() < 2) continue;
    for (int r = 0; r <= kRaioMaximoPx; ++r)
      grade.Define(m, r, Interpola(raios, potencias, r * mmPorPixel));
  }
  if (tipo == TipoMapa::Axial) return grade;

  // Tangential: P + r dP/dr on the axial grid, the slope over about 0.7 mm of radius.
  const GradePotencia media = MediaEntreMeridianos(grade, 3);
  const int meiaJanela = std::max(2, static_cast<int>(std::lround(0.35 / mmPorPixel)));
  std::vector<double> perfil(kRaioMaximoPx + 1);
  for (int m = 1; m <= kMeridianos; ++m) {
    for (int r = 0; r <= kRaioMaximoPx; ++r) perfil[r] = media.Valor(m, r);
    for (int r = 0; r <= kRaioMaximoPx; ++r) {
      if (!std::isfinite(perfil[r])) continue;
      grade.Define(m, r,
                   perfil[r] + r * Inclinacao(perfil.data(), kRaioMaximoPx + 1, r, meiaJanela));
    }
  }
  return grade;
}

Ceratometria CalculaCeratometria(const GradePotencia& grade) {
  // Normal equations of p = a + b cos 2t + c sin 2t.
  double n[3][3] = {}, v[3] = {};
  int meridianos = 0;
  const int de = static_cast<int>(std::ceil(1.25 / grade.mmPorPixel));
  const int ate = static_cast<int>(std::floor(1.75 / grade.mmPorPixel));
  for (int m = 1; m <= kMeridianos; ++m) {
    double soma = 0;
    int amostras = 0;
    for (int r = de; r <= std::min(ate, kRaioMaximoPx); ++r)
      if (const double p = grade.Valor(m, r); std::isfinite(p)) soma += p, ++amostras;
    if (amostras == 0) continue;
    const double t = 2 * AnguloClinico(m) * std::numbers::pi / 180.0;
    const double f[3] = {1, std::cos(t), std::sin(t)}, p = soma / amostras;
    for (int i = 0; i < 3; ++i) {
      v[i] += f[i] * p;
      for (int j = 0; j < 3; ++j) n[i][j] += f[i] * f[j];
    }
    ++meridianos;
  }
  Ceratometria k;
  if (meridianos < kMeridianos / 2) return k;
  // Gaussian elimination of the 3 x 3 system.
  for (int i = 0; i < 3; ++i) {
    for (int j = i + 1; j < 3; ++j) {
      const double f = n[j][i] / n[i][i];
      for (int c = i; c < 3; ++c) n[j][c] -= f * n[i][c];
      v[j] -= f * v[i];
    }
  }
  double x[3];
  for (int i = 2; i >= 0; --i) {
    x[i] = v[i];
    for (int c = i + 1; c < 3; ++c) x[i] -= n[i][c] * x[c];
    x[i] /= n[i][i];
  }
  const double amplitude = std::hypot(x[1], x[2]);
  auto eixo = [](double graus) {
    const double e = std::fmod(std::fmod(std::round(graus), 180.0) + 180.0, 180.0);
    return e == 0 ? 180.0 : e;
  };
  k.valida = std::isfinite(x[0]) && std::isfinite(amplitude);
  k.kCurvo = x[0] + amplitude;
  k.kPlano = x[0] - amplitude;
  k.astigmatismo = 2 * amplitude;
  k.eixoCurvo = eixo(std::atan2(x[2], x[1]) * 90.0 / std::numbers::pi);
  k.eixoPlano = eixo(k.eixoCurvo + 90);
  return k;
}

void PreencheIndices(const Ceratometria& k, const GradePotencia& grade, TIndicesMapa& indices) {
  std::fill(std::begin(indices), std::end(indices), 0.0);
  if (!k.valida) return;
  indices[0] = k.kCurvo;
  indices[1] = k.kPlano;
  indices[4] = k.astigmatismo;
  indices[6] = k.eixoCurvo;
  indices[7] = k.eixoPlano;
  indices[8] = grade.Maximo();
}

int Escala::Nivel(double potencia) const {
  if (!std::isfinite(potencia)) return 0;
  const int i = static_cast<int>(std::floor((potencia - inicio) / passo));
  return std::clamp(i, 0, Niveis() - 1);
}

Escala EscalaAbsoluta(double passo) {
  passo = PassoValido(passo);
  return Monta(44.0 - passo * kNiveisMaximo / 2, passo, kNiveisMaximo);
}

Escala EscalaNormalizada(double minimo, double maximo, double passo) {
  passo = PassoValido(passo);
  if (!std::isfinite(minimo) || !std::isfinite(maximo) || maximo < minimo)
    return EscalaAbsoluta(passo);
  const double inicio = std::floor(minimo / passo) * passo;
  const int niveis =
      std::clamp(static_cast<int>(std::floor((maximo - inicio) / passo)) + 1, 2, kNiveisMaximo);
  return Monta(inicio, passo, niveis);
}

}  // namespace mapas
