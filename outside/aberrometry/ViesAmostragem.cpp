#include "ViesAmostragem.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "Deteccao.h"
#include "FonteImagem.h"
#include "TabelaAneis.h"

namespace aberrometria {
namespace {

constexpr uint8_t kEscuro = 20, kClaro = 235;
constexpr int kSubamostras = 4;  // per pixel side: the edges' partial-pixel grey

// A picture of round rings around (cx, cy), pixel centres at whole coordinates: dark inside
// the first edge, then bright and dark bands between the edges, dark beyond the last.
vessik::ImagemRGB Aneis(double cx, double cy, const std::vector<double>& bordas) {
  const int largura = vessik::kLarguraMax, altura = vessik::kAlturaMax;
  std::vector<uint8_t> cinza(static_cast<size_t>(largura) * altura, kEscuro);
  const double alcance = bordas.back() + 2;
  const int x0 = std::max(0, static_cast<int>(cx - alcance)),
            x1 = std::min(largura - 1, static_cast<int>(cx + alcance));
  const int y0 = std::max(0, static_cast<int>(cy - alcance)),
            y1 = std::min(altura - 1, static_cast<int>(cy + alcance));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      int claros = 0;
      for (int sy = 0; sy < kSubamostras; ++sy)
        for (int sx = 0; sx < kSubamostras; ++sx) {
          const double dx = x - 0.5 + (sx + 0.5) / kSubamostras - cx;
          const double dy = y - 0.5 + (sy + 0.5) / kSubamostras - cy;
          const auto fora = std::upper_bound(bordas.begin(), bordas.end(), std::hypot(dx, dy));
          const auto cruzadas = fora - bordas.begin();
          if (cruzadas % 2 == 1) ++claros;
        }
      const double f = double(claros) / (kSubamostras * kSubamostras);
      cinza[static_cast<size_t>(y) * largura + x] =
          static_cast<uint8_t>(std::lround(kEscuro + f * (kClaro - kEscuro)));
    }
  return vessik::ImagemRGB::DeCinza(largura, altura, cinza);
}

}  // namespace

std::array<double, 360> ViesMeridional(const std::vector<double>& raios) {
  std::array<double, 360> vies{};
  const int numAneis = static_cast<int>(raios.size());
  if (numAneis < 2 || !(raios[0] >= 2) || !(raios.back() < vessik::kAlturaMax / 2 - 4)) return vies;
  for (int j = 1; j < numAneis; ++j)
    if (!(raios[j] > raios[j - 1] + 2)) return vies;
  // Ring centres and edge positions spread over a pixel, so that the bias is the detector's
  // on average and not that of one placement.
  constexpr double kCentros[][2] = {{0, 0}, {0.5, 0.5}, {0.25, 0.75}, {0.75, 0.25}};
  constexpr double kDeslocamentos[] = {0, 0.5};
  std::array<double, 360> soma{};
  std::array<int, 360> n{};
  auto bruta = std::make_unique<vessik::TabelaAneis>();
  vessik::ContagemAneis contagens{};
  auto imagem = std::make_unique<vessik::Matriz_real>();
  const int inicio = std::max(1, static_cast<int>(raios[0] - (raios[1] - raios[0]) / 2));
  for (const auto& centro : kCentros)
    for (double deslocamento : kDeslocamentos) {
      std::vector<double> bordas(static_cast<size_t>(numAneis));
      for (int j = 0; j < numAneis; ++j) bordas[j] = raios[j] + deslocamento;
      const double cx = vessik::kLarguraMax / 2 + centro[0],
                   cy = vessik::kAlturaMax / 2 + centro[1];
      imagem->Cria(Aneis(cx, cy, bordas), cx, cy);
      vessik::Detecta(*imagem, numAneis, inicio, *bruta, contagens);
      for (int k = 0; k < 360; ++k) {
        if (contagens[k] != numAneis) continue;
        for (int j = 1; j <= numAneis; ++j) soma[k] += (*bruta)[k][j] - bordas[j - 1];
        n[k] += numAneis;
      }
    }
  double media = 0;
  int linhas = 0;
  for (int k = 0; k < 360; ++k)
    if (n[k] > 0) media += soma[k] / n[k], ++linhas;
  if (linhas < 300) return vies;
  media /= linhas;
  for (int k = 0; k < 360; ++k) vies[k] = n[k] > 0 ? soma[k] / n[k] - media : 0;
  return vies;
}

void CorrigeViesMeridional(const TMatrizAngAnel& pixels, const TMatrizAng& aneis, int numAneis,
                           TMatrizAngAnel& dioptrias) {
  numAneis = std::clamp(numAneis, 2, 32);
  // The exam's mean radius of every ring, over the rows that have them all.
  std::vector<double> raios(static_cast<size_t>(numAneis), 0.0);
  int linhas = 0;
  for (int k = 0; k < 360; ++k) {
    if (aneis[k] < numAneis) continue;
    bool plausivel = pixels[k][1] > 0;
    for (int j = 2; j <= numAneis; ++j)
      plausivel = plausivel && pixels[k][j] > pixels[k][j - 1] && pixels[k][j] < 1000;
    if (!plausivel) continue;
    for (int j = 1; j <= numAneis; ++j) raios[j - 1] += pixels[k][j];
    ++linhas;
  }
  if (linhas < 300) return;
  for (double& r : raios) r /= linhas;
  const auto vies = ViesMeridional(raios);
  for (int k = 0; k < 360; ++k)
    for (int j = 1; j <= std::min<int>(aneis[k], numAneis); ++j) {
      const double r = pixels[k][j], p = dioptrias[k][j];
      if (r > 1 && std::isfinite(p) && p > 0) dioptrias[k][j] = p * (1 + vies[k] / r);
    }
}

}  // namespace aberrometria
