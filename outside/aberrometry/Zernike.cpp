#include "Zernike.h"

#include <array>
#include <cmath>
#include <numbers>

namespace aberrometria {
namespace {

double Fatorial(int k) {
  double f = 1;
  for (int i = 2; i <= k; ++i) f *= i;
  return f;
}

double Radial(int n, int m, double rho) {
  double soma = 0;
  for (int s = 0; s <= (n - m) / 2; ++s)
    soma += (s % 2 ? -1 : 1) * Fatorial(n - s) /
            (Fatorial(s) * Fatorial((n + m) / 2 - s) * Fatorial((n - m) / 2 - s)) *
            std::pow(rho, n - 2 * s);
  return soma;
}

struct Amostra {
  int meridiano;
  double rho, theta, sag, peso;
};

// Samples of the sag over the pupil: every meridian at every whole pixel of the sag's grid
// within the pupil, where the sag is exact rather than interpolated, each weighted by the area
// it stands for.  A meridian's samples stop at its first gap, so consecutive samples of one
// meridian are neighbours on its profile.
std::vector<Amostra> Amostras(const mapas::GradePotencia& sag, double raioPupila) {
  std::vector<Amostra> amostras;
  const int ultimo = static_cast<int>(std::floor(raioPupila / sag.mmPorPixel + 1e-9));
  for (int m = 1; m <= mapas::kMeridianos; ++m) {
    const double theta = mapas::AnguloClinico(m) * std::numbers::pi / 180;
    for (int p = 0; p <= std::min(ultimo, mapas::kRaioMaximoPx); ++p) {
      const double z = sag.Valor(m, p);
      if (!std::isfinite(z)) break;
      const double rho = p * sag.mmPorPixel / raioPupila;
      amostras.push_back({m, rho, theta, z, rho});
    }
  }
  return amostras;
}

double SagEsfera(double R, double r) {
  return R - std::sqrt(R * R - r * r);
}

// Weighted squared distance of the samples from the sphere of radius R, its apex height free.
double Desvio(const std::vector<Amostra>& a, double raioPupila, double R, double& z0) {
  double sp = 0, sd = 0;
  for (const auto& s : a) {
    sp += s.peso;
    sd += s.peso * (s.sag - SagEsfera(R, s.rho * raioPupila));
  }
  z0 = sd / sp;
  double soma = 0;
  for (const auto& s : a) {
    const double d = s.sag - SagEsfera(R, s.rho * raioPupila) - z0;
    soma += s.peso * d * d;
  }
  return soma;
}

// The best-fit sphere's radius: golden-section search over the curvature.
double EsferaDeMelhorAjuste(const std::vector<Amostra>& a, double raioPupila, double& z0) {
  double lo = 1.0 / 20, hi = 1.0 / std::max(4.0, raioPupila * 1.01);
  const double g = (std::sqrt(5.0) - 1) / 2;
  for (int i = 0; i < 80; ++i) {
    const double c1 = hi - g * (hi - lo), c2 = lo + g * (hi - lo);
    if (Desvio(a, raioPupila, 1 / c1, z0) < Desvio(a, raioPupila, 1 / c2, z0))
      hi = c2;
    else
      lo = c1;
  }
  const double R = 2 / (lo + hi);
  Desvio(a, raioPupila, R, z0);
  return R;
}

// Solves the symmetric positive system in place (Cholesky); false when it is singular.
bool Resolve(std::array<std::array<double, kTermos>, kTermos>& A, std::array<double, kTermos>& b) {
  for (int i = 0; i < kTermos; ++i) {
    for (int j = 0; j <= i; ++j) {
      double s = A[i][j];
      for (int k = 0; k < j; ++k) s -= A[i][k] * A[j][k];
      if (i == j) {
        if (s <= 1e-12) return false;
        A[i][i] = std::sqrt(s);
      } else {
        A[i][j] = s / A[j][j];
      }
    }
  }
  for (int i = 0; i < kTermos; ++i) {
    for (int k = 0; k < i; ++k) b[i] -= A[i][k] * b[k];
    b[i] /= A[i][i];
  }
  for (int i = kTermos - 1; i >= 0; --i) {
    for (int k = i + 1; k < kTermos; ++k) b[i] -= A[k][i] * b[k];
    b[i] /= A[i][i];
  }
  return true;
}

}  // namespace

OrdemFrequencia IndiceOSA(int j) {
  const int n = static_cast<int>(std::ceil((-3 + std::sqrt(9.0 + 8 * j)) / 2));
  return {n, 2 * j - n * (n + 2)};
}

double Zernike(int j, double rho, double theta) {
  const auto [n, m] = IndiceOSA(j);
  const double r = Radial(n, std::abs(m), rho);
  if (m == 0) return std::sqrt(n + 1.0) * r;
  const double norma = std::sqrt(2 * (n + 1.0));
  return m > 0 ? norma * r * std::cos(m * theta) : norma * r * std::sin(-m * theta);
}

std::string NomeDoTermo(int j) {
  static const char* const nomes[] = {"Pistão",
                                      "Inclinação vertical",
                                      "Inclinação horizontal",
                                      "Astigmatismo oblíquo",
                                      "Desfoco",
                                      "Astigmatismo vertical",
                                      "Trifólio vertical",
                                      "Coma vertical",
                                      "Coma horizontal",
                                      "Trifólio oblíquo",
                                      "Quadrifólio oblíquo",
                                      "Astigmatismo secundário oblíquo",
                                      "Aberração esférica",
                                      "Astigmatismo secundário vertical",
                                      "Quadrifólio vertical"};
  if (j >= 0 && j < 15) return nomes[j];
  const auto [n, m] = IndiceOSA(j);
  return "Z(" + std::to_string(n) + "," + std::to_string(m) + ")";
}

double AnaliseZernike::AltaOrdem(double rho, double theta) const {
  double soma = 0;
  for (int j = kPrimeiroAltaOrdem; j < static_cast<int>(coeficientes.size()); ++j)
    soma += coeficientes[j] * Zernike(j, rho, theta);
  return soma;
}

AnaliseZernike AnalisaSagitta(const mapas::GradePotencia& sagitta, double raioPupilaMm) {
  AnaliseZernike r;
  r.raioPupilaMm = std::min(raioPupilaMm, mapas::RaioCoberto(sagitta));
  if (!(r.raioPupilaMm >= 1.0)) return r;
  const auto amostras = Amostras(sagitta, r.raioPupilaMm);
  double z0 = 0;
  r.raioEsferaMm = EsferaDeMelhorAjuste(amostras, r.raioPupilaMm, z0);

  // The height above the sphere, in micrometres, at every sample.
  std::vector<double> altura(amostras.size());
  for (size_t i = 0; i < amostras.size(); ++i) {
    const Amostra& s = amostras[i];
    altura[i] = (SagEsfera(r.raioEsferaMm, s.rho * r.raioPupilaMm) + z0 - s.sag) * 1000;
  }

  // The axial map gives each meridian's slope, so an error of one ring moves the height of
  // everything outside it on that meridian.  The terms are therefore fitted to the height's
  // rise between neighbouring samples of a meridian, where such an error weighs once, as the
  // slope error it is, instead of as a step over the rest of the meridian.  Weighted by area:
  // near the centre the meridians' rays share the same few pixels.
  std::array<std::array<double, kTermos>, kTermos> A{};
  std::array<double, kTermos> b{};
  std::array<double, kTermos> anterior{}, atual{}, subida{};
  for (size_t i = 0; i < amostras.size(); ++i) {
    const Amostra& s = amostras[i];
    for (int j = 1; j < kTermos; ++j) atual[j] = Zernike(j, s.rho, s.theta);
    if (i > 0 && amostras[i - 1].meridiano == s.meridiano) {
      const double peso = (amostras[i - 1].rho + s.rho) / 2;
      for (int j = 1; j < kTermos; ++j) subida[j] = atual[j] - anterior[j];
      const double dz = altura[i] - altura[i - 1];
      for (int k = 1; k < kTermos; ++k) {
        b[k] += peso * subida[k] * dz;
        for (int j = 1; j <= k; ++j) A[k][j] += peso * subida[k] * subida[j];
      }
    }
    anterior = atual;
  }
  A[0][0] = 1;  // piston, which no rise shows, is solved for below
  for (int i = 0; i < kTermos; ++i)
    for (int j = i + 1; j < kTermos; ++j) A[i][j] = A[j][i];
  if (!Resolve(A, b)) return r;
  // Piston: the mean of what the other terms leave of the height.
  double sp = 0, sh = 0;
  for (size_t i = 0; i < amostras.size(); ++i) {
    const Amostra& s = amostras[i];
    double resto = altura[i];
    for (int j = 1; j < kTermos; ++j) resto -= b[j] * Zernike(j, s.rho, s.theta);
    sp += s.peso, sh += s.peso * resto;
  }
  b[0] = sh / sp;
  r.coeficientes.assign(b.begin(), b.end());
  for (int j = 1; j < kTermos; ++j) {
    r.rmsTotal += b[j] * b[j];
    if (j >= kPrimeiroAltaOrdem) r.rmsAltaOrdem += b[j] * b[j];
  }
  r.rmsTotal = std::sqrt(r.rmsTotal);
  r.rmsAltaOrdem = std::sqrt(r.rmsAltaOrdem);
  r.valida = true;
  return r;
}

}  // namespace aberrometria
