#include "SessionRingProcessing.h"

#include <algorithm>

namespace zv {

vessik::ImagemRGB SessionRingProcessing::ToDetectorImage(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  const int width = std::min(rgb.width(), vessik::kLarguraMax);
  const int height = std::min(rgb.height(), vessik::kAlturaMax);
  vessik::ImagemRGB out(width, height);
  for (int y = 0; y < height; ++y) {
    const auto* line = reinterpret_cast<const uint32_t*>(rgb.constScanLine(y));
    std::copy(line, line + width, out.Linha(y));
  }
  return out;
}

void SessionRingProcessing::ProcessImage(int index, const QImage& image, int x, int y, int,
                                         uint8_t scanStart) {
  session_.SelecionaImagem(index);
  session_.ProcessaAneis(ToDetectorImage(image), x, y, scanStart);
}

double SessionRingProcessing::ConfidenceIndex() const {
  return session_.ConfImagem[session_.ImagemAtual() - 1];
}

bool SessionRingProcessing::FinishImage(int image, bool inEditing) {
  session_.SelecionaImagem(image);
  return session_.FinalizaImagem(inEditing) != vessik::ResultadoFinalizacao::FalhaConversao;
}

}  // namespace zv
