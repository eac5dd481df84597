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

// The fit uses every term up to the 10th order and reports those up to the 6th: a cornea's
// shape beyond the 6th order (a cone's, a scar's) then has terms of its own instead of
// leaking into the reported ones, which stay close to the height's own decomposition.
constexpr int kOrdemAjuste = 10;
constexpr int kTermosAjuste = (kOrdemAjuste + 1) * (kOrdemAjuste + 2) / 2;  // 66
using Vetor = std::array<double, kTermosAjuste>;
using Matriz = std::array<Vetor, kTermosAjuste>;

// A term's value is its normalised radial polynomial times cos(m theta), sin(|m| theta) or 1.
double ParteRadial(int j, double rho) {
  const auto [n, m] = IndiceOSA(j);
  return std::sqrt((m == 0 ? 1.0 : 2.0) * (n + 1)) * Radial(n, std::abs(m), rho);
}
double ParteAngular(int j, double theta) {
  const int m = IndiceOSA(j).m;
  return m > 0 ? std::cos(m * theta) : m < 0 ? std::sin(-m * theta) : 1.0;
}

struct Amostra {
  int meridiano, pixel;
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
      amostras.push_back({m, p, rho, theta, z, rho});
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
bool Resolve(Matriz& A, Vetor& b) {
  for (int i = 0; i < kTermosAjuste; ++i) {
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
  for (int i = 0; i < kTermosAjuste; ++i) {
    for (int k = 0; k < i; ++k) b[i] -= A[i][k] * b[k];
    b[i] /= A[i][i];
  }
  for (int i = kTermosAjuste - 1; i >= 0; --i) {
    for (int k = i + 1; k < kTermosAjuste; ++k) b[i] -= A[k][i] * b[k];
    b[i] /= A[i][i];
  }
  return true;
}

// The terms' values at the samples, each the product of a radial part, the same on every
// meridian, and an angular part, the same at every radius: both computed once.
class ValoresDosTermos {
 public:
  explicit ValoresDosTermos(const std::vector<Amostra>& amostras) {
    for (const Amostra& s : amostras) {
      if (s.pixel < static_cast<int>(radiais_.size())) continue;
      radiais_.resize(s.pixel + 1);
      for (int j = 0; j < kTermosAjuste; ++j) radiais_[s.pixel][j] = ParteRadial(j, s.rho);
    }
  }
  void Em(const Amostra& s, Vetor& z) {
    if (s.meridiano != meridiano_) {
      meridiano_ = s.meridiano;
      for (int j = 0; j < kTermosAjuste; ++j) angulares_[j] = ParteAngular(j, s.theta);
    }
    for (int j = 0; j < kTermosAjuste; ++j) z[j] = radiais_[s.pixel][j] * angulares_[j];
  }

 private:
  std::vector<Vetor> radiais_;
  Vetor angulares_{};
  int meridiano_ = -1;
};

}  // namespace

OrdemFrequencia IndiceOSA(int j) {
  const int n = static_cast<int>(std::ceil((-3 + std::sqrt(9.0 + 8 * j)) / 2));
  return {n, 2 * j - n * (n + 2)};
}

double Zernike(int j, double rho, double theta) {
  return ParteRadial(j, rho) * ParteAngular(j, theta);
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
  ValoresDosTermos termos(amostras);
  Matriz A{};
  Vetor b{}, anterior{}, atual{};
  for (size_t i = 0; i < amostras.size(); ++i) {
    const Amostra& s = amostras[i];
    termos.Em(s, atual);
    if (i > 0 && amostras[i - 1].meridiano == s.meridiano) {
      const double peso = (amostras[i - 1].rho + s.rho) / 2;
      const double dz = altura[i] - altura[i - 1];
      for (int k = 1; k < kTermosAjuste; ++k) {
        const double sk = peso * (atual[k] - anterior[k]);
        b[k] += sk * dz;
        for (int j = 1; j <= k; ++j) A[k][j] += sk * (atual[j] - anterior[j]);
      }
    }
    anterior = atual;
  }
  A[0][0] = 1;  // piston, which no rise shows, is solved for below
  for (int i = 0; i < kTermosAjuste; ++i)
    for (int j = i + 1; j < kTermosAjuste; ++j) A[i][j] = A[j][i];
  if (!Resolve(A, b)) return r;
  // Piston: the mean of what the other terms leave of the height.
  double sp = 0, sh = 0;
  for (size_t i = 0; i < amostras.size(); ++i) {
    const Amostra& s = amostras[i];
    termos.Em(s, atual);
    double resto = altura[i];
    for (int j = 1; j < kTermosAjuste; ++j) resto -= b[j] * atual[j];
    sp += s.peso, sh += s.peso * resto;
  }
  b[0] = sh / sp;
  r.coeficientes.assign(b.begin(), b.begin() + kTermos);
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
