#include "Deteccao.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "Dialogs.h"
#include "NumberFormat.h"

namespace vessik {

namespace {

constexpr double kCorteNucleo = 1e-100;

}  // namespace

// ---------------------------------------------------------------------------- Vetor_real

Vetor_real::Vetor_real() {
  Limpa();
  std::fill(std::begin(nucleo), std::end(nucleo), 0.0);
  std::fill(std::begin(nucleoEstendido_), std::end(nucleoEstendido_), 0.0);
}

void Vetor_real::Limpa() {
  std::fill(std::begin(perfil), std::end(perfil), 0.0);
}

bool Vetor_real::Soma(const Vetor_real& outro, zv::Dialogs& dialogs) {
  if (outro.n != n) {
    dialogs.Message("Os vetores não são do mesmo tamanho!!!");
    return false;
  }
  for (int i = 0; i < n; ++i) perfil[i] += outro.perfil[i];
  return true;
}

template <class F>
void Vetor_real::MontaNucleo(F k) {
  // Offsets 0..150 sit at their own index, offsets -1..-151 at index 300 + d.
  for (int d = 0; d <= 150; ++d) nucleo[d] = k(d);
  for (int d = -1; d >= -151; --d) nucleo[kAmostras + d] = k(d);
  for (double& v : nucleo)
    if (std::fabs(v) < kCorteNucleo) v = 0.0;
  suportePos_ = 0;
  for (int d = 0; d <= 150; ++d)
    if (nucleo[d] != 0.0) suportePos_ = d;
  suporteNeg_ = 0;
  for (int d = 1; d <= 151; ++d)
    if (nucleo[kAmostras - d] != 0.0) suporteNeg_ = d;
  for (int u = 0; u < 2 * kAmostras; ++u) nucleoEstendido_[u] = nucleo[u % kAmostras];
}

void Vetor_real::Correlaciona(const double* entrada) {
  for (int i = 0; i < kAmostras; ++i) {
    double soma = 0.0;
    for (int j = 0; j < kAmostras; ++j)
      soma += nucleo[(j - i + kAmostras) % kAmostras] * entrada[j];
    perfil[i] = soma;
  }
}

// The direct sum for output i visits j = 0..299 in order; every term outside the kernel's
// support is an exact zero and leaves the sum unchanged.  So each output is summed here over
// the support only, still in increasing j, which keeps its value; four outputs share one walk
// over j with independent accumulators, which the processor overlaps.
void Vetor_real::CorrelacionaRapida(const double* entrada) {
  for (int i0 = 0; i0 < kAmostras; i0 += 4) {
    // Union of the four outputs' windows, as circular sample range [lo, hi].
    const int lo = i0 - suporteNeg_, hi = i0 + 3 + suportePos_;
    int segmentos[2][2];
    int numSegmentos = 1;
    if (hi - lo + 1 >= kAmostras) {
      segmentos[0][0] = 0, segmentos[0][1] = kAmostras - 1;
    } else if (lo < 0) {
      segmentos[0][0] = 0, segmentos[0][1] = hi;
      segmentos[1][0] = lo + kAmostras, segmentos[1][1] = kAmostras - 1;
      numSegmentos = 2;
    } else if (hi >= kAmostras) {
      segmentos[0][0] = 0, segmentos[0][1] = hi - kAmostras;
      segmentos[1][0] = lo, segmentos[1][1] = kAmostras - 1;
      numSegmentos = 2;
    } else {
      segmentos[0][0] = lo, segmentos[0][1] = hi;
    }
    // Kernel entry for output i0 + t at sample j is nucleoEstendido_[j - i0 - t + 300].
    const double* k0 = nucleoEstendido_ + kAmostras - i0;
    const double* k1 = k0 - 1;
    const double* k2 = k0 - 2;
    const double* k3 = k0 - 3;
    double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
    for (int seg = 0; seg < numSegmentos; ++seg) {
      for (int j = segmentos[seg][0]; j <= segmentos[seg][1]; ++j) {
        const double p = entrada[j];
        s0 += k0[j] * p;
        s1 += k1[j] * p;
        s2 += k2[j] * p;
        s3 += k3[j] * p;
      }
    }
    perfil[i0] = s0, perfil[i0 + 1] = s1, perfil[i0 + 2] = s2, perfil[i0 + 3] = s3;
  }
}

void Vetor_real::MarcaCruzamentos(const Vetor_real& marr) {
  Limpa();
  for (int i = 1; i <= 297; ++i)
    if (marr.perfil[i] * marr.perfil[i + 1] < 0.0) perfil[i] = 255.0;
}

void Vetor_real::Classifica(const Vetor_real& canny, int inicio) {
  for (int i = std::max(inicio, 0); i < kAmostras; ++i) {
    if (perfil[i] == 0.0) continue;
    if (canny.perfil[i] > 0.0)
      perfil[i] = 100.0;
    else if (canny.perfil[i] < 0.0)
      perfil[i] = 150.0;
  }
}

Canny_1d::Canny_1d(double sigma) {
  const double v = sigma * sigma;
  const double q = 1.0 / (v * std::sqrt(2.0 * std::numbers::pi));
  MontaNucleo([&](int d) { return q * (-d / v) * std::exp(-(d * d) / (2.0 * v)); });
}

Marr_Hildret_1d::Marr_Hildret_1d(double sigma) {
  const double v = sigma * sigma;
  const double q = 1.0 / (v * std::sqrt(2.0 * std::numbers::pi));
  MontaNucleo([&](int d) {
    return q * (static_cast<double>(d) * d / (v * v) - 1.0 / v) * std::exp(-(d * d) / (2.0 * v));
  });
}

// ---------------------------------------------------------------------------- Vetor_aneis

void Vetor_aneis::Limpa() {
  std::fill(std::begin(raio), std::end(raio), 0.0);
}

void Vetor_aneis::AtribuiAneis(const Vetor_real& bordas, const double* raios, int inicio,
                               int numAneis, int lacuna) {
  Limpa();
  int r = 1;
  for (int c = std::max(inicio, 0); c < kAmostras; ++c) {
    if (r > numAneis || r > kAneisMax) return;
    const double b = bordas.perfil[c];
    if (b == 0.0) continue;
    const bool devida = (b == 150.0 && r % 2 == 1) || (b == 100.0 && r % 2 == 0);
    if (!devida) return;
    if (r > 1 && !(c - raio[r - 1] < lacuna)) return;
    raio[r] = raios[c];
    ++r;
  }
}

// ---------------------------------------------------------------------------- Matriz_real

Matriz_real::Matriz_real() : cinza_(static_cast<std::size_t>(kLarguraMax) * kAlturaMax, 0.0) {}

void Matriz_real::Cria(const FonteImagem& img, double centroX, double centroY) {
  largura = std::clamp(img.Largura(), 0, kLarguraMax);
  altura = std::clamp(img.Altura(), 0, kAlturaMax);
  xc = centroX, yc = centroY;
  std::fill(cinza_.begin(), cinza_.end(), 0.0);
  for (int y = 0; y < altura; ++y)
    for (int x = 0; x < largura; ++x)
      cinza_[static_cast<std::size_t>(y) * kLarguraMax + x] = NivelCinza(img.Cor(x, y));
}

void Matriz_real::AmostraRaio(int graus, double* perfil, double* raios) const {
  const double teta = graus * std::numbers::pi / 180.0;
  const double c = std::cos(teta), s = std::sin(teta);
  for (int i = 0; i < kAmostras; ++i) {
    const double fx = std::floor(std::floor(c * i) + xc);
    const double fy = std::floor(std::floor(s * i) + yc);
    if (0 < fx && fx < largura && 0 < fy && fy < altura) {
      const int x = static_cast<int>(fx), y = static_cast<int>(fy);
      perfil[i] = Cinza(x, y);
      raios[i] = std::sqrt((fx - xc) * (fx - xc) + (fy - yc) * (fy - yc));
    } else {
      perfil[i] = 0.0;
      raios[i] = 0.0;
    }
  }
}

// ---------------------------------------------------------------------------- Matriz_ang_anel

void Matriz_ang_anel::ArmazenaRaio(int linha, const Vetor_aneis& aneis) {
  double* row = m[linha - 1];
  row[0] = linha;
  for (int c = 1; c <= kAneisMax; ++c) row[c] = aneis.raio[c];
}

void Matriz_ang_anel::SuavizaAngulos() {
  // Each row becomes the mean of itself, the three rows after it as detected and the three rows
  // before it as already smoothed, plus 0.5. The rows form a circle: a single pass starting at
  // row 1 would give rows 1..3 unsmoothed rows 358..360 behind them and rows 358..360 smoothed
  // rows 1..3 ahead, a step of about 0.6 pixel at 0 degrees on every ring. So the pass goes
  // round twice, the first lap only priming the smoothed rows behind row 1, and the rows ahead
  // are always read as detected.
  auto linha = [](int a) { return ((a - 1) % kAngulos + kAngulos) % kAngulos; };
  std::vector<double> detectado(kAngulos);
  for (int c = 1; c <= kAneisMax; ++c) {
    for (int a = 0; a < kAngulos; ++a) detectado[a] = m[a][c];
    for (int volta = 0; volta < 2; ++volta)
      for (int a = 1; a <= kAngulos; ++a) {
        double v = detectado[linha(a)];
        bool todos = v != 0.0;
        double soma = v;
        int zeros = 0;
        for (int d = -3; d <= 3; ++d) {
          if (d == 0) continue;
          const double x = d < 0 ? m[linha(a + d)][c] : detectado[linha(a + d)];
          soma += x;
          if (x == 0.0) {
            todos = false;
            ++zeros;
          }
        }
        if (todos) v = soma / 7.0 + 0.5;
        if (v != 0.0 && zeros > 3) v = 0.0;
        m[linha(a)][c] = v;
      }
  }
}

void Matriz_ang_anel::CopiaPara(TabelaAneis& bruta, ContagemAneis& contagens) const {
  for (int k = 0; k < kAngulos; ++k) {
    bruta[k][0] = 0.0;
    int n = 0;
    for (int c = 1; c <= kAneisMax; ++c) {
      bruta[k][c] = m[k][c];
      if (m[k][c] > 0.0) ++n;
    }
    contagens[k] = n;
  }
}

// ---------------------------------------------------------------------------- detection

double SigmaDeteccao(int numAneis) {
  return numAneis == 16 ? 4.0 : 3.0;
}
int LacunaMaxima(int numAneis) {
  return numAneis == 16 ? 20 : 14;
}

void Detecta(const Matriz_real& img, int numAneis, int inicio, TabelaAneis& bruta,
             ContagemAneis& contagens, Correlacao modo) {
  const double sigma = SigmaDeteccao(numAneis);
  const int lacuna = LacunaMaxima(numAneis);
  Marr_Hildret_1d marr(sigma);
  Canny_1d canny(sigma / 2.0);
  Vetor_real bordas;
  Vetor_aneis aneis;
  auto raios = std::make_unique<Matriz_ang_anel>();
  raios->xc = img.xc, raios->yc = img.yc;
  double perfil[kAmostras], distancia[kAmostras];
  for (int m = 1; m <= kAngulos; ++m) {
    img.AmostraRaio(DirecaoDaLinha(m), perfil, distancia);
    if (modo == Correlacao::Rapida) {
      marr.CorrelacionaRapida(perfil);
      canny.CorrelacionaRapida(perfil);
    } else {
      marr.Correlaciona(perfil);
      canny.Correlaciona(perfil);
    }
    bordas.MarcaCruzamentos(marr);
    bordas.Classifica(canny, inicio);
    aneis.AtribuiAneis(bordas, distancia, inicio, numAneis, lacuna);
    raios->ArmazenaRaio(m, aneis);
  }
  raios->SuavizaAngulos();
  raios->CopiaPara(bruta, contagens);
}

// ---------------------------------------------------------------------------- centre, index

void RefinaCentro(const FonteImagem& img, double& x, double& y) {
  const int x0 = static_cast<int>(std::floor(x - 7)), x1 = static_cast<int>(std::floor(x + 7));
  const int y0 = static_cast<int>(std::floor(y - 7)), y1 = static_cast<int>(std::floor(y + 7));
  auto cinza = [&](int px, int py) {
    if (px < 0 || py < 0 || px >= img.Largura() || py >= img.Altura()) return 0;
    return NivelCinzaInteiro(img.Cor(px, py));
  };
  int maior = 0, menor = 0;
  bool primeiro = true;
  for (int py = y0; py <= y1; ++py)
    for (int px = x0; px <= x1; ++px) {
      const int g = cinza(px, py);
      if (primeiro || g > maior) maior = g;
      if (primeiro || g < menor) menor = g;
      primeiro = false;
    }
  const int limiar = (maior + menor) / 2;  // both non-negative: integer division is the floor
  double somaX = 0, somaY = 0;
  int n = 0;
  for (int py = y0; py <= y1; ++py)
    for (int px = x0; px <= x1; ++px)
      if (cinza(px, py) > limiar) {
        somaX += px, somaY += py;
        ++n;
      }
  if (n > 0) x = somaX / n, y = somaY / n;
}

double IndiceConfianca(double xc, double yc, double fatorCorrecao) {
  double d = std::sqrt((xc - 320) * (xc - 320) + (yc - 240) * (yc - 240));
  if (xc == 320 && yc == 240) d = 0.2;
  const double indice = 12.0 / (d * fatorCorrecao);
  return (indice > 100.0 || std::isnan(indice)) ? 100.0 : indice;
}

std::string TextoConfianca(double indice) {
  return zv::FormatFloat("0.00", indice) + "%";
}

}  // namespace vessik
