#include "LimpezaAneis.h"

#include <algorithm>
#include <cmath>

namespace vessik {

namespace {
constexpr int kBins = 301;  // histogram bins 0..300 of the window statistics
// A working value this close to the raw one is still the detector's measurement: a finishing
// rounds the working table to two decimals, which moves it by half a hundredth at most.
constexpr double kToleranciaMedida = 0.0051;
}  // namespace

FiltrosAneis::FiltrosAneis(TabelaAneis& trabalho, TabelaAneis& bruta, ContagemAneis& contagens,
                           int numAneis)
    : w_(trabalho), d_(bruta), contagens_(contagens), n_(std::clamp(numAneis, 0, kAneisMax)) {}

// ---------------------------------------------------------------------------- statistics

EstatisticaJanela FiltrosAneis::Estatistica(TabelaAneis& t, int r, int s, int L, int ultimoBinModa,
                                            bool mediaInteira) {
  EstatisticaJanela e;
  int histograma[kBins] = {};
  double soma = 0;
  int numMedia = 0;
  for (int k = s; k <= FimJanela(s, L); ++k) {
    double& v = t[k - 1][r];
    int inteiro = static_cast<int>(std::floor(v));
    e.maximo = std::max(e.maximo, inteiro);
    e.minimo = std::min(e.minimo, inteiro);
    if (inteiro <= 0) {
      ++e.zeros;
      v = 0;
      inteiro = 0;
    }
    // Radii beyond the last bin (possible after the spacing rule) count in the last bin.
    ++histograma[std::min(inteiro, kBins - 1)];
    if (v > 1) {
      soma += v;
      ++numMedia;
    }
  }
  for (int b = 0; b <= ultimoBinModa; ++b)
    if (histograma[b] > e.modaContagem) e.modaValor = b, e.modaContagem = histograma[b];
  if (numMedia > 0) e.media = mediaInteira ? std::floor(soma / numMedia) : soma / numMedia;
  return e;
}

EstatisticaJanela FiltrosAneis::EstatisticaAnel(int r, int s, int L) {
  return Estatistica(w_, r, s, L, 240, false);
}

EstatisticaJanela FiltrosAneis::EstatisticaAnelBruto(int r, int s, int L) {
  return Estatistica(d_, r, s, L, kBins - 1, true);
}

std::optional<PontoAnel> FiltrosAneis::BuscaAnterior(int k, int r) const {
  for (int j = std::min(k, kAngulos); j >= 1; --j)
    if (W(j, r) > 0) return PontoAnel{W(j, r), j};
  return std::nullopt;
}

std::optional<PontoAnel> FiltrosAneis::BuscaPosterior(int k, int r) const {
  for (int j = std::max(k, 1); j <= kAngulos; ++j)
    if (W(j, r) > 0) return PontoAnel{W(j, r), j};
  return std::nullopt;
}

// ---------------------------------------------------------------------------- passes

bool FiltrosAneis::Medido(int k, int r) const {
  return D(k, r) > 0 && std::fabs(W(k, r) - D(k, r)) <= kToleranciaMedida;
}

void FiltrosAneis::SuavizaAnel(int r, int s, int L) {
  // Only filled and estimated values move: a measurement stays where the detector put it, so
  // that the repeated smoothing of the sequences draws the values around a gap onto the ring
  // without wearing down the ring's own shape along the circle (its astigmatism, a cone).
  auto suaviza = [&](int k, int acima, int abaixo) {
    double& v = W(k, r);
    const double a = W(acima, r), b = W(abaixo, r);
    if (v > 0 && a > 0 && b > 0 && !Medido(k, r)) v = 0.5 * v + 0.25 * (a + b);
  };
  for (int vez = 0; vez < 10; ++vez) {
    for (int k = s + 1; k <= std::min(s + L - 2, kAngulos - 1); ++k) suaviza(k, k - 1, k + 1);
    if (s + L >= kAngulos) {
      suaviza(kAngulos, kAngulos - 1, 1);
      suaviza(1, 2, kAngulos);
    }
  }
}

void FiltrosAneis::SuavizaJanelas(int L, double T) {
  for (int r = 1; r <= n_; ++r)
    for (int s = 1; s <= kAngulos; s += L) {
      const auto e = EstatisticaAnel(r, s, L);
      if (!e.media) continue;
      if (e.modaContagem >= L / 4 && e.maximo - e.minimo < T) SuavizaAnel(r, s, L);
    }
}

void FiltrosAneis::RemoveForaDaMedia(int L, double T) {
  for (int r = 1; r <= n_; ++r)
    for (int s = 1; s < kAngulos; s += L) {
      const auto e = EstatisticaAnel(r, s, L);
      if (!e.media) continue;
      for (int k = s; k <= FimJanela(s, L); ++k)
        if (W(k, r) > *e.media + T || W(k, r) < *e.media - T) W(k, r) = 0;
    }
}

void FiltrosAneis::RemoveIsolados() {
  for (int r = 1; r <= n_; ++r)
    for (int k = 2; k <= kAngulos - 1; ++k) {
      const double p = W(k - 1, r), n = W(k + 1, r);
      double& v = W(k, r);
      if ((p <= 0 && n <= 0) || (std::fabs(v - n) > v / 2 && std::fabs(p - n) > v / 2)) v = 0;
    }
}

void FiltrosAneis::CompletaAnel1() {
  for (int k = 1; k <= kAngulos; ++k) {
    if (W(k, 1) > 0) continue;
    const auto seguinte = BuscaPosterior(k + 1, 1);
    W(k, 1) = seguinte && k < kAngulos ? seguinte->valor : W(1, 1);
  }
  if (W(kAngulos, 1) <= 0) W(kAngulos, 1) = W(1, 1);
}

void FiltrosAneis::Preenche(int L, bool comMedia) {
  for (int r = 1; r <= n_; ++r) {
    SuavizaAnel(r, 1, kAngulos);
    for (int s = 1; s < kAngulos; s += L) {
      const auto e = EstatisticaAnel(r, s, L);
      if (!e.media) continue;
      const bool aceita = comMedia ? e.modaValor > 1 && e.modaContagem >= L / 2 &&
                                         std::fabs(*e.media - e.modaValor) < 2
                                   : e.modaContagem >= L / 2 && e.modaValor > 5;
      if (!aceita) continue;
      for (int k = s; k <= FimJanela(s, L); ++k)
        if (W(k, r) <= 0) W(k, r) = comMedia ? *e.media : e.modaValor;
    }
    SuavizaAnel(r, 1, kAngulos);
  }
}

void FiltrosAneis::PreencheComModa(int L) {
  Preenche(L, false);
}
void FiltrosAneis::PreencheComMedia(int L) {
  Preenche(L, true);
}

void FiltrosAneis::RestauraBruto(int L) {
  SuavizaJanelas(10, 10);
  for (int r = 1; r <= n_; ++r) {
    SuavizaAnel(r, 1, kAngulos);
    for (int s = 1; s < kAngulos; s += L) {
      const auto e = EstatisticaAnel(r, s, L);
      const auto b = EstatisticaAnelBruto(r, s, L);
      if (!e.media) continue;
      int zerosAnel = 0;
      for (int k = 1; k <= kAngulos; ++k)
        if (W(k, r) <= 0) ++zerosAnel;
      if (b.maximo - b.minimo < 5 && b.zeros == 0 && zerosAnel < 300)
        for (int k = s; k <= FimJanela(s, L); ++k)
          if (W(k, r) <= 0) W(k, r) = D(k, r);
    }
    SuavizaAnel(r, 1, kAngulos);
  }
}

void FiltrosAneis::RestauraEntreVizinhos() {
  SuavizaJanelas(10, 10);
  for (int r = 1; r <= n_; ++r) {
    SuavizaAnel(r, 1, kAngulos);
    for (int k = 1; k <= kAngulos; ++k) {
      if (W(k, r) > 0) continue;
      const auto b = BuscaAnterior(k, r);
      const auto f = BuscaPosterior(k, r);
      if (!b || !f) continue;
      const double a = std::floor(std::fabs(f->valor - b->valor));
      const double x = D(k, r);
      if (std::fabs(x - b->valor) <= a && std::fabs(x - f->valor) <= a / 2) W(k, r) = x;
    }
    SuavizaAnel(r, 1, kAngulos);
  }
}

void FiltrosAneis::RemoveSaltos() {
  for (int r = 1; r <= n_; ++r) {
    for (int k = 1; k <= kAngulos - 1; ++k)
      if (D(k, r) > 0 && D(k + 1, r) > 0 && std::fabs(D(k, r) - D(k + 1, r)) > 1.5) W(k, r) = 0;
    for (int k = 1; k <= kAngulos - 1; ++k)
      if (W(k, r) > 0 && W(k + 1, r) > 0 && std::fabs(W(k, r) - W(k + 1, r)) > 2.5) W(k, r) = 0;
  }
}

void FiltrosAneis::RemoveEspacamento() {
  for (int r = 3; r <= n_; ++r)
    for (int k = 1; k <= kAngulos - 1; ++k) {
      double& v = W(k, r);
      const double u = W(k, r - 1), w = W(k, r - 2);
      if (v > 0 && u > 0 && w > 0) {
        const double g = v - u, h = u - w;
        if (std::fabs(g - h) > 0.7 * g) v = 0;
      }
    }
}

void FiltrosAneis::RemoveSemBruto() {
  for (int r = 1; r <= n_; ++r)
    for (int k = 1; k <= kAngulos - 2; ++k)
      if (D(k, r) <= 0 && D(k + 2, r) <= 0) W(k + 1, r) = 0;
}

void FiltrosAneis::RemoveJanelasVazias(int L) {
  for (int r = 1; r <= n_; ++r)
    for (int s = 1; s <= kAngulos; s += L) {
      const auto e = EstatisticaAnel(r, s, L);
      if (!e.media) continue;
      if (e.zeros > L / 2.0)
        for (int k = s; k <= FimJanela(s, L); ++k) W(k, r) = 0;
    }
}

void FiltrosAneis::AjustaModa(int L, int R) {
  for (int r = 1; r <= std::min(R, n_); ++r)
    for (int s = 1; s < kAngulos; s += L) {
      const auto e = EstatisticaAnel(r, s, L);
      if (!e.media || e.modaValor <= 1) continue;
      for (int k = s; k <= FimJanela(s, L); ++k)
        if (W(k, r) <= 0.8 * e.modaValor || W(k, r) >= 1.2 * e.modaValor) W(k, r) = e.modaValor;
    }
}

void FiltrosAneis::PreencheLacunas() {
  for (int r = 2; r <= n_; ++r) {
    SuavizaAnel(r - 1, 1, kAngulos);
    for (int k = 1; k <= kAngulos; ++k) {
      // Each refusal zeroes the two points found, so the search moves outwards and ends.
      while (W(k, r) == 0) {
        const auto b = BuscaAnterior(k, r);
        const auto f = BuscaPosterior(k, r);
        if (!b || !f || std::abs(b->linha - f->linha) >= 30) break;
        const double antes = W(b->linha, r - 1), depois = W(f->linha, r - 1);
        if (std::fabs(b->valor - f->valor) < 25 && antes > 0 && depois > 0) {
          W(k, r) = std::floor(((b->valor - antes) + (f->valor - depois)) / 2 + W(k, r - 1));
          break;
        }
        W(b->linha, r) = 0;
        W(f->linha, r) = 0;
      }
    }
  }
  if (n_ >= 1) SuavizaAnel(n_, 1, kAngulos);
}

void FiltrosAneis::CorrigeAnel1() {
  double soma = 0;
  for (int k = 1; k <= kAngulos; ++k) soma += W(k, 1);
  const double m = soma / kAngulos;
  for (int k = 1; k <= kAngulos; ++k) {
    const int anterior = k == 1 ? kAngulos : k - 1, seguinte = k == kAngulos ? 1 : k + 1;
    if (W(k, 1) < m / 2) W(k, 1) = (W(anterior, 1) + W(seguinte, 1)) / 2;
  }
}

void FiltrosAneis::CortaAposFalha() {
  for (int r = 1; r <= n_; ++r)
    for (int k = 1; k <= kAngulos; ++k)
      if (W(k, r) == 0)
        for (int j = r + 1; j <= n_; ++j) W(k, j) = 0;
}

void FiltrosAneis::CompletaAneis() {
  double maior = 0;
  for (int k = 1; k <= kAngulos; ++k)
    for (int j = 1; j <= std::min(contagens_[k - 1], n_); ++j) maior = std::max(maior, W(k, j));
  for (int k = 1; k <= kAngulos; ++k) {
    const int d = std::clamp(contagens_[k - 1], 0, n_);
    if (d < n_) {
      const double base = d == 0 ? 0.0 : W(k, d);
      const double passo = (maior - base) / (n_ - d);
      for (int j = d + 1; j <= n_; ++j) W(k, j) = base + (j - d) * passo;
    }
    contagens_[k - 1] = n_;
  }
  Retoque();
  for (int k = 1; k <= kAngulos; ++k)
    for (int j = 2; j <= n_; ++j)
      if (W(k, j) - W(k, j - 1) < 4) W(k, j) += 2;
}

// ---------------------------------------------------------------------------- sequences

void FiltrosAneis::LimpezaA() {
  for (int L : {5, 10, 12, 15}) {
    PreencheComModa(L);
    PreencheComMedia(L);
  }
  RestauraBruto(5);
  RemoveForaDaMedia(15, 5);
  RemoveForaDaMedia(30, 5);
  RemoveForaDaMedia(45, 5);
  RemoveIsolados();
}

void FiltrosAneis::LimpezaB(int L) {
  PreencheComModa(L);
  PreencheComMedia(L);
  RestauraBruto(5);
  RemoveForaDaMedia(10, 5);
  RemoveForaDaMedia(20, 5);
  RemoveForaDaMedia(60, 5);
  RemoveIsolados();
}

void FiltrosAneis::Retoque() {
  SuavizaJanelas(20, 10);
  SuavizaJanelas(10, 10);
  RemoveJanelasVazias(10);
  PreencheLacunas();
  CortaAposFalha();
}

void FiltrosAneis::LimpezaAposDeteccao() {
  d_[0][1] = d_[1][1];
  w_ = d_;
  SuavizaJanelas(20, 5);
  SuavizaJanelas(15, 5);
  SuavizaJanelas(12, 5);
  RemoveIsolados();
  RemoveForaDaMedia(20, 8);
  RemoveForaDaMedia(10, 5);
  RemoveForaDaMedia(30, 5);
  RemoveIsolados();
  RemoveForaDaMedia(60, 5);
  RemoveIsolados();
  CompletaAnel1();
  CompletaAnel1();
  LimpezaA();
  RestauraEntreVizinhos();
  for (int L : {10, 12, 15}) {
    LimpezaB(L);
    RestauraEntreVizinhos();
  }
  RemoveIsolados();
  RemoveSaltos();
  RemoveEspacamento();
  RemoveSemBruto();
  RemoveIsolados();
  LimpezaA();
  AjustaModa(10, 12);
  RestauraBruto(5);
  RemoveIsolados();
  RestauraBruto(5);
  PreencheLacunas();
  RemoveJanelasVazias(5);
  RemoveJanelasVazias(10);
  CorrigeAnel1();
  CortaAposFalha();
}

void FiltrosAneis::Interpola() {
  CompletaAneis();
  for (int i = 0; i < 5; ++i) Retoque();
}

}  // namespace vessik
