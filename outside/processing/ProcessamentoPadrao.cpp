#include "ProcessamentoPadrao.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "NumberFormat.h"

namespace processamento {

uint32_t FonteQImage::Cor(int x, int y) const {
  const QRgb p = reinterpret_cast<const QRgb*>(imagem_.constScanLine(y))[x];
  return static_cast<uint32_t>(qRed(p)) | static_cast<uint32_t>(qGreen(p)) << 8 |
         static_cast<uint32_t>(qBlue(p)) << 16;
}

int NumeroDeAneis(const TInfosZV& infos) {
  return infos.NumAneis == 16 ? 16 : 32;
}

void DetectaAneis(vessik::ProcessingSession& sessao, const vessik::FonteImagem& imagem,
                  const TInfosZV& infos) {
  const int inicio =
      vessik::ProcessingSession::InicioVarredura(infos.TvlCentral, infos.TIncremento, 2);
  sessao.ProcessaAneis(imagem, imagem.Largura() / 2.0, imagem.Altura() / 2.0, inicio);
}

std::array<int32_t, 4> EncontraPupila(const vessik::FonteImagem& imagem, double xc, double yc) {
  constexpr int kRaios = 72, kAlcance = 120;
  // Grey threshold halfway between the darkest and the brightest sample near the centre.
  auto cinza = [&](double x, double y) {
    const int px = static_cast<int>(std::lround(x)), py = static_cast<int>(std::lround(y));
    if (px < 0 || py < 0 || px >= imagem.Largura() || py >= imagem.Altura()) return -1;
    return vessik::NivelCinzaInteiro(imagem.Cor(px, py));
  };
  int minimo = 255, maximo = 0;
  for (int dy = -kAlcance / 2; dy <= kAlcance / 2; dy += 2)
    for (int dx = -kAlcance / 2; dx <= kAlcance / 2; dx += 2)
      if (const int g = cinza(xc + dx, yc + dy); g >= 0) {
        minimo = std::min(minimo, g);
        maximo = std::max(maximo, g);
      }
  if (maximo - minimo < 40) return {0, 0, 0, 0};
  const int limiar = (minimo + maximo) / 2;

  std::vector<double> bordas;
  for (int i = 0; i < kRaios; ++i) {
    const double a = 2 * std::numbers::pi * i / kRaios, c = std::cos(a), s = std::sin(a);
    int r = 0;
    while (r < kAlcance && cinza(xc + r * c, yc + r * s) > limiar) ++r;  // the fixation reflex
    const int inicioEscuro = r;
    while (r < kAlcance && cinza(xc + r * c, yc + r * s) >= 0 &&
           cinza(xc + r * c, yc + r * s) <= limiar)
      ++r;
    if (r > inicioEscuro && r < kAlcance && cinza(xc + r * c, yc + r * s) > limiar)
      bordas.push_back(r);
  }
  if (bordas.size() < kRaios / 2) return {0, 0, 0, 0};
  std::nth_element(bordas.begin(), bordas.begin() + bordas.size() / 2, bordas.end());
  const double raio = bordas[bordas.size() / 2];
  return {
      static_cast<int32_t>(std::lround(xc - raio)), static_cast<int32_t>(std::lround(yc - raio)),
      static_cast<int32_t>(std::lround(xc + raio)), static_cast<int32_t>(std::lround(yc + raio))};
}

bool TodosAneisEncontrados(const vessik::ProcessingSession& sessao) {
  for (int j = 1; j <= sessao.NumAneis(); ++j) {
    int meridianos = 0;
    for (const auto& linha : sessao.trabalho)
      if (linha[j] > 0) ++meridianos;
    if (meridianos * 10 < vessik::kAngulos * 9) return false;
  }
  return true;
}

std::vector<std::string> LinhasEsfera(const std::string& raioTexto,
                                      const std::vector<double>& raiosMedios) {
  std::vector<std::string> linhas{raioTexto};
  for (double r : raiosMedios) linhas.push_back(zv::FormatFloat("0.000", r));
  return linhas;
}

}  // namespace processamento
