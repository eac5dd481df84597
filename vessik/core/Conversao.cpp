#include "Conversao.h"

#include <algorithm>
#include <cmath>

#include "Dialogs.h"
#include "Errors.h"
#include "NumberFormat.h"
#include "TextFile.h"

namespace vessik {

namespace {

double ValorCoeficiente(std::string linha, int numeroLinha) {
  if (linha.find('.') == std::string::npos) std::replace(linha.begin(), linha.end(), ',', '.');
  double valor = 0;
  if (!zv::TryStrToFloat(linha, valor))
    throw zv::ConvertError("Coef.txt, line " + std::to_string(numeroLinha) + ": '" + linha +
                           "' is not a valid number");
  if (!(std::fabs(valor) < kLimiteCoeficiente))
    throw zv::ConvertError("Coef.txt, line " + std::to_string(numeroLinha) + ": '" + linha +
                           "' is out of range for a calibration coefficient");
  return valor;
}

// Cubic spline through (x, y) with the given end slopes; second derivatives into y2.
// Returns false on an interval of zero width.
bool Spline(const std::vector<double>& x, const std::vector<double>& y, double yp1, double ypn,
            std::vector<double>& y2) {
  const size_t n = x.size();
  std::vector<double> u(n, 0.0);
  y2.assign(n, 0.0);
  for (size_t i = 1; i < n; ++i)
    if (x[i] == x[i - 1]) return false;
  y2[0] = -0.5;
  u[0] = (3.0 / (x[1] - x[0])) * ((y[1] - y[0]) / (x[1] - x[0]) - yp1);
  for (size_t i = 1; i + 1 < n; ++i) {
    if (x[i + 1] == x[i - 1]) return false;
    const double sig = (x[i] - x[i - 1]) / (x[i + 1] - x[i - 1]);
    const double p = sig * y2[i - 1] + 2.0;
    y2[i] = (sig - 1.0) / p;
    u[i] = (y[i + 1] - y[i]) / (x[i + 1] - x[i]) - (y[i] - y[i - 1]) / (x[i] - x[i - 1]);
    u[i] = (6.0 * u[i] / (x[i + 1] - x[i - 1]) - sig * u[i - 1]) / p;
  }
  const double qn = 0.5;
  const double un =
      (3.0 / (x[n - 1] - x[n - 2])) * (ypn - (y[n - 1] - y[n - 2]) / (x[n - 1] - x[n - 2]));
  y2[n - 1] = (un - qn * u[n - 2]) / (qn * y2[n - 2] + 1.0);
  for (size_t k = n - 1; k-- > 0;) y2[k] = y2[k] * y2[k + 1] + u[k];
  return true;
}

// Value of the spline at v; the bracketing interval is found by bisection, the end intervals
// extrapolate.  Returns false on an interval of zero width.
bool AvaliaSpline(const std::vector<double>& x, const std::vector<double>& y,
                  const std::vector<double>& y2, double v, double& saida) {
  size_t lo = 0, hi = x.size() - 1;
  while (hi - lo > 1) {
    const size_t k = (hi + lo) / 2;
    if (x[k] > v)
      hi = k;
    else
      lo = k;
  }
  const double h = x[hi] - x[lo];
  if (h == 0.0) return false;
  const double a = (x[hi] - v) / h, b = (v - x[lo]) / h;
  saida =
      a * y[lo] + b * y[hi] + ((a * a * a - a) * y2[lo] + (b * b * b - b) * y2[hi]) * h * h / 6.0;
  return true;
}

}  // namespace

double DuasCasas(double v) {
  // Away from a half (in hundredths) the written text rounds to the nearest hundredth, and
  // n / 100 is the double nearest to the text's number, as reading it back gives.  Halves,
  // negative and large values go through the text itself: the text rounds the value's
  // 15-digit form, which from about 10^7 on can sit on the other side of a half.
  const double x = v * 100.0;
  if (v >= 0 && x < 1e8) {
    const double inteiro = std::floor(x);
    const double fracao = x - inteiro;
    if (std::fabs(fracao - 0.5) > 1e-6) return (fracao < 0.5 ? inteiro : inteiro + 1) / 100.0;
  }
  return zv::StrToFloat(zv::FormatFloat("0.00", v));
}

std::optional<Coeficientes> LeCoeficientes(const std::string& arquivo, int numAneis,
                                           zv::Dialogs& dialogs) {
  std::string texto = zv::ReadFileBytes(arquivo);
  // The end of the file is reached when only blank space is left.
  while (!texto.empty() && std::isspace(static_cast<unsigned char>(texto.back()))) texto.pop_back();
  const std::vector<std::string> linhas =
      texto.empty() ? std::vector<std::string>{} : zv::DecodeLines(texto);
  Coeficientes coef;
  size_t i = 0;
  int anel = 0;
  while (i < linhas.size()) {
    ++anel;
    if (anel > numAneis || anel > kAneisMax) {
      dialogs.Message(
          "Não é possivel processar o exame pois o numero de anéis da     \rcalibração é maior "
          "que do exame.\r\rFavor realize uma nova calibração.",
          "Informação", zv::MsgIcon::Warning);
      return std::nullopt;
    }
    coef.a[anel] = ValorCoeficiente(linhas[i], static_cast<int>(i) + 1);
    ++i;
    coef.b[anel] =
        ValorCoeficiente(i < linhas.size() ? linhas[i] : std::string(), static_cast<int>(i) + 1);
    ++i;
    coef.pares = anel;
  }
  return coef;
}

bool ConverteAneis(const TabelaAneis& raios, const ContagemAneis& contagens,
                   const Coeficientes& coef, int numAneis, TabelaAneis& potencias,
                   zv::Dialogs& dialogs) {
  const int n = std::clamp(numAneis, 0, kAneisMax);
  for (auto& linha : potencias)
    for (int c = 0; c <= n; ++c) linha[c] = 0.0;
  for (int k = 0; k < kAngulos; ++k) {
    for (int j = 1; j <= std::min(contagens[k], kAneisMax); ++j) {
      const double g = coef.a[j] + coef.b[j] * raios[k][j];
      if (g == 0.0) {
        dialogs.Message(
            "Erro ao processar o anél " + std::to_string(j) + "\rVerifique a calibração.",
            "Informação", zv::MsgIcon::Warning);
        return false;
      }
      potencias[k][j] = kConstanteCeratometrica / g;
    }
  }
  return true;
}

void SuavizaPotencias(const TabelaAneis& raios, const ContagemAneis& contagens, int numAneis,
                      TabelaAneis& c) {
  double soma = 0;
  for (int k = 0; k < kAngulos; ++k) soma += c[k][1];
  const double m1 = soma / kAngulos;
  for (int k = 0; k < kAngulos; ++k) c[k][0] = m1;
  for (int k = 0; k < kAngulos; ++k)
    for (int vez = 0; vez < 9; ++vez)
      for (int j = 1; j <= std::min(contagens[k], kAneisMax) - 1; ++j)
        c[k][j] = 0.5 * c[k][j] + 0.25 * c[k][j - 1] + 0.25 * c[k][j + 1];
  const int n = std::clamp(numAneis, 0, kAneisMax);
  for (int j = 1; j <= n; ++j)
    for (int k = 2; k <= kAngulos - 1; ++k) {  // directions 2..359, row index k - 1
      const int i = k - 1;
      if (raios[i - 1][j] != 0 && raios[i][j] != 0 && raios[i + 1][j] != 0)
        c[i][j] = 0.5 * c[i][j] + 0.25 * c[i + 1][j] + 0.25 * c[i - 1][j];
    }
}

void ArredondaDuasCasas(TabelaAneis& t, int numAneis) {
  const int n = std::clamp(numAneis, 0, kAneisMax);
  for (auto& linha : t)
    for (int c = 0; c <= n; ++c) linha[c] = DuasCasas(linha[c]);
}

void MontaPerfil(const TabelaAneis& raios, const TabelaAneis& potencias,
                 const ContagemAneis& contagens, TabelaPerfil& perfil) {
  perfil.assign(static_cast<std::size_t>(kAngulos) * kPassosPerfil, CelulaPerfil{});
  std::vector<double> x, y, y2;
  for (int k = 1; k <= kAngulos; ++k) {
    const int n = std::min(contagens[k - 1], kAneisMax);
    if (n < 2) continue;
    // Knots: the centre point (0, mean ring-1 power) and rings 1..n-1.
    x.assign(n, 0.0), y.assign(n, 0.0);
    for (int m = 0; m < n; ++m) x[m] = raios[k - 1][m], y[m] = potencias[k - 1][m];
    if (x[1] == x[0] || x[n - 1] == x[n - 2]) return;
    const double yp1 = (y[1] - y[0]) / (x[1] - x[0]);
    const double ypn = (y[n - 1] - y[n - 2]) / (x[n - 1] - x[n - 2]);
    if (!Spline(x, y, yp1, ypn, y2)) return;
    const double fim = raios[k - 1][n];
    for (double v = x[0]; v < fim; v += 1.0) {
      const double passo = std::floor(v);
      if (passo < 0) continue;
      if (passo >= kPassosPerfil) break;  // the profile stops at 300 pixels
      double valor;
      if (!AvaliaSpline(x, y, y2, v, valor)) return;
      const double kd = DuasCasas(valor);
      if (kd == 0.0) return;
      CelulaPerfil& cel = Celula(perfil, k, static_cast<int>(passo));
      cel.k = kd;
      cel.raio = kConstanteCeratometrica / kd;
    }
  }
}

std::optional<double> CalculaSAG(const TabelaPerfil& perfil, double fatorCorrecao) {
  int z = kPassosPerfil - 1;
  if (fatorCorrecao > 0) z = static_cast<int>(std::min(std::floor(4.675 / fatorCorrecao), 300.0));
  std::array<std::optional<double>, kAngulos + 1> p;
  for (int a = 1; a <= kAngulos; ++a) {
    double soma = 0;
    int n = 0;
    for (int c = 0; c <= z; ++c) {
      const double k = perfil[static_cast<std::size_t>(a - 1) * kPassosPerfil + c].k;
      if (k > 0) soma += k, ++n;
    }
    if (n > 0) p[a] = soma / n;
  }
  std::array<std::optional<double>, 181> meridiano;
  int mMax = 0;
  for (int m = 1; m <= 180; ++m) {
    const auto& a = p[m];
    const auto& b = p[m + 180];
    if (a && b)
      meridiano[m] = (*a + *b) / 2;
    else if (a || b)
      meridiano[m] = a ? *a : *b;
    if (meridiano[m] && (mMax == 0 || *meridiano[m] >= *meridiano[mMax])) mMax = m;
  }
  if (mMax == 0) return std::nullopt;
  const int perpendicular = mMax <= 90 ? mMax + 90 : mMax - 90;
  if (!meridiano[perpendicular]) return std::nullopt;
  const double r = kConstanteCeratometrica / *meridiano[perpendicular];
  const double meiaCorda2 = kCordaSAG * kCordaSAG / 4;
  if (r * r < meiaCorda2) return std::nullopt;
  return r - std::sqrt(r * r - meiaCorda2);
}

}  // namespace vessik
