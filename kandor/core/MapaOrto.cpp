#include "MapaOrto.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "NumberFormat.h"

namespace kandor {
namespace {

// Whole-number rounding of the map geometry: halves go to the even neighbour.
int Arredonda(double v) {
  return static_cast<int>(std::nearbyint(v));
}

// Rounds through the text form, as the value is shown.
double ArredondaComo(const char* padrao, double v) {
  if (!std::isfinite(v)) return v;
  return zv::StrToFloat(zv::FormatFloat(padrao, v));
}

constexpr std::array<CorRGB, kNiveis> kCores = {{
    {64, 15, 137},  {55, 31, 176},  {6, 56, 183},   {0, 67, 192},  {0, 75, 201},
    {0, 99, 211},   {2, 129, 220},  {4, 159, 230},  {9, 184, 243}, {15, 199, 243},
    {17, 192, 201}, {19, 179, 138}, {19, 163, 51},  {54, 175, 13}, {116, 203, 12},
    {173, 222, 12}, {218, 237, 13}, {241, 241, 12}, {248, 235, 7}, {248, 220, 3},
    {243, 193, 8},  {235, 162, 12}, {229, 131, 10}, {238, 68, 5},  {255, 0, 0},
}};

int NumAneisDe(const TMatrizAng& aneis, int meridiano) {
  return aneis[meridiano - 1];
}

// A meridian can be interpolated when it has 2..32 rings, its radii 0..n are finite and
// strictly increasing and its node powers 0..n-1 are finite.
bool MeridianoInterpolavel(const double* x, const double* y, int n) {
  if (n < 2 || n > kMaxAneis) return false;
  for (int k = 0; k <= n; ++k) {
    if (!std::isfinite(x[k])) return false;
    if (k > 0 && !(x[k] > x[k - 1])) return false;
    if (k < n && !std::isfinite(y[k])) return false;
  }
  return true;
}

// Second derivatives of the cubic spline through (x[0..n-1], y[0..n-1]) with end slopes s1, sn.
void SegundasDerivadas(const double* x, const double* y, int n, double s1, double sn, double* y2,
                       double* u) {
  // A slope beyond 0.99e30 asks for a natural end (zero second derivative) instead.
  constexpr double kNatural = 0.99e30;
  if (s1 > kNatural) {
    y2[0] = u[0] = 0.0;
  } else {
    y2[0] = -0.5;
    u[0] = (3.0 / (x[1] - x[0])) * ((y[1] - y[0]) / (x[1] - x[0]) - s1);
  }
  for (int i = 1; i < n - 1; ++i) {
    const double sig = (x[i] - x[i - 1]) / (x[i + 1] - x[i - 1]);
    const double p = sig * y2[i - 1] + 2.0;
    y2[i] = (sig - 1.0) / p;
    u[i] = (y[i + 1] - y[i]) / (x[i + 1] - x[i]) - (y[i] - y[i - 1]) / (x[i] - x[i - 1]);
    u[i] = (6.0 * u[i] / (x[i + 1] - x[i - 1]) - sig * u[i - 1]) / p;
  }
  double qn = 0.0, un = 0.0;
  if (!(sn > kNatural)) {
    qn = 0.5;
    un = (3.0 / (x[n - 1] - x[n - 2])) * (sn - (y[n - 1] - y[n - 2]) / (x[n - 1] - x[n - 2]));
  }
  y2[n - 1] = (un - qn * u[n - 2]) / (qn * y2[n - 2] + 1.0);
  for (int k = n - 2; k >= 0; --k) y2[k] = y2[k] * y2[k + 1] + u[k];
}

// Spline value at r; the node interval is found by bisection, and beyond the last node the
// last interval's cubic goes on.
double AvaliaSpline(const double* x, const double* y, const double* y2, int n, double r) {
  int klo = 0, khi = n - 1;
  while (khi - klo > 1) {
    const int k = (khi + klo) / 2;
    if (x[k] > r) {
      khi = k;
    } else {
      klo = k;
    }
  }
  const double h = x[khi] - x[klo];
  const double a = (x[khi] - r) / h;
  const double b = (r - x[klo]) / h;
  return a * y[klo] + b * y[khi] +
         ((a * a * a - a) * y2[klo] + (b * b * b - b) * y2[khi]) * h * h / 6.0;
}

}  // namespace

EscalaCores PreparaEscala() {
  EscalaCores e;
  e.Cores = kCores;
  for (int k = 0; k < kNiveis; ++k) {
    e.LimitesDioptrias[k] = 30.0 + k;
    e.LimitesMm[k] = 337.5 / (30.0 + k);
  }
  return e;
}

int NivelDe(double p) {
  if (!(p >= 31.0)) return 1;  // also a value that is not a number
  if (p >= 54.0) return kNiveis;
  return static_cast<int>(std::floor(p)) - 29;
}

CorRGB NivelCor(const EscalaCores& escala, double p) {
  return escala.Cores[NivelDe(p) - 1];
}

GradeMapa::GradeMapa() : valores_(size_t(kMeridianos) * (kRaioMaximoGrade + 1), 0.0) {}

void GradeMapa::Limpa() {
  std::fill(valores_.begin(), valores_.end(), 0.0);
  validos_.fill(false);
}

void AneisUniformes(TMatrizAng& aneis, int numAneis) {
  std::fill(std::begin(aneis), std::end(aneis), numAneis);
}

void PreencheGrade(GradeMapa& grade, const TMatrizAngAnel& dioptrias, const TMatrizAngAnel& pixels,
                   double passo, const TMatrizAng& aneis) {
  grade.Limpa();
  if (!(passo > 0)) return;
  double x[kMaxAneis + 1], y[kMaxAneis + 1], y2[kMaxAneis], u[kMaxAneis];
  for (int m = 1; m <= kMeridianos; ++m) {
    const int n = NumAneisDe(aneis, m);
    if (n < 2 || n > kMaxAneis) continue;
    for (int k = 0; k <= n; ++k) {
      x[k] = pixels[m - 1][k];
      y[k] = dioptrias[m - 1][k];
    }
    if (!MeridianoInterpolavel(x, y, n)) continue;
    grade.DefineValido(m, true);

    // Nodes are rings 0..n-1; the outermost ring n only bounds the evaluation.
    const double s1 = (y[1] - y[0]) / (x[1] - x[0]);
    const double sn = (y[n - 1] - y[n - 2]) / (x[n - 1] - x[n - 2]);
    SegundasDerivadas(x, y, n, s1, sn, y2, u);
    for (int i = 0;; ++i) {
      const double r = x[0] + i * passo;
      if (!(r < x[n])) break;
      const int celula = Arredonda(r);
      if (celula > kRaioMaximoGrade) break;  // beyond the grid
      if (celula < 0) continue;
      const double v = AvaliaSpline(x, y, y2, n, r);
      grade.DefineValor(m, celula, std::nearbyint(v * 100.0) / 100.0);
    }
  }
}

int MeridianoDoPixel(int x, int y, int cx, int cy) {
  if (x == cx) return y > cy ? 90 : (y < cy ? 270 : 360);
  if (y == cy) return x > cx ? 360 : 180;
  const double graus =
      std::atan(double(std::abs(y - cy)) / double(std::abs(x - cx))) * 180.0 / std::numbers::pi;
  const int t = Arredonda(graus);
  int theta;
  if (x > cx) {
    theta = y > cy ? t : 360 - t;
  } else {
    theta = y > cy ? 180 - t : 180 + t;
  }
  return theta == 0 ? 360 : theta;
}

int LimiteMeridiano(const TMatrizAngAnel& pixels, const TMatrizAng& aneis, int meridiano) {
  const int n = NumAneisDe(aneis, meridiano);
  if (n < 0 || n > kMaxAneis) return 0;
  const double raio = pixels[meridiano - 1][n];
  if (!std::isfinite(raio) || raio <= 0) return 0;
  return static_cast<int>(std::min(raio, 1.0e6));  // truncation
}

void DesenhaMapa(const GradeMapa& grade, int largura, int altura, const TMatrizAng& aneis,
                 const TMatrizAngAnel& pixels, const EscalaCores& escala, QuadroPixels& figura,
                 int centroY, int centroX) {
  std::array<int, kMeridianos> limite;
  for (int m = 1; m <= kMeridianos; ++m)
    limite[m - 1] = grade.MeridianoValido(m) ? LimiteMeridiano(pixels, aneis, m) - kMargemBorda : 0;

  for (int y = 0; y <= altura; ++y) {
    const int py = y + 1;
    if (py < 0 || py >= figura.altura) continue;
    for (int x = 0; x <= largura; ++x) {
      const int px = x + 1;
      if (px < 0 || px >= figura.largura) continue;
      const double dx = x - centroX, dy = y - centroY;
      const int a = Arredonda(std::sqrt(dx * dx + dy * dy) / kEscalaMapa);
      if (a > kRaioMaximoGrade) continue;
      const int theta = MeridianoDoPixel(x, y, centroX, centroY);
      if (a < limite[theta - 1]) figura.Em(px, py) = NivelCor(escala, grade.Valor(theta, a)).Argb();
    }
  }
}

double MediaDeQuatro(const std::array<double, 5>& v) {
  return ArredondaComo("0.0000", (v[0] + v[1] + v[2] + v[3]) / 4.0);
}

void MediaValores(std::array<double, 5>& sag, std::array<double, 5>& div,
                  std::array<double, 5>& r0) {
  sag[4] = MediaDeQuatro(sag);
  div[4] = MediaDeQuatro(div);
  r0[4] = MediaDeQuatro(r0);
}

double DesvioPadrao(const std::array<double, 5>& v) {
  double soma = 0;
  for (int i = 0; i < 4; ++i) soma += (v[i] - v[4]) * (v[i] - v[4]);
  return ArredondaComo("#0.0000", std::sqrt(soma / 3.0));
}

std::optional<std::string> NomeModelo(int modelo) {
  switch (modelo) {
    case 0:
      return "Zarvik ";
    case 1:
      return "ZarvikSL ";
    case 2:
      return "Olendra ";
    case 3:
      return "OlendraSL ";
  }
  return std::nullopt;
}

}  // namespace kandor
