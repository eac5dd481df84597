#include "SessionRingProcessing.h"

#include "DetectorImage.h"

namespace zv {

void SessionRingProcessing::ProcessImage(int index, const QImage& image, int x, int y, int,
                                         uint8_t scanStart) {
  session_.SelecionaImagem(index);
  session_.ProcessaAneis(DetectorImage(image), x, y, scanStart);
}

double SessionRingProcessing::ConfidenceIndex() const {
  return session_.ConfImagem[session_.ImagemAtual() - 1];
}

bool SessionRingProcessing::FinishImage(int image, bool inEditing) {
  session_.SelecionaImagem(image);
  return session_.FinalizaImagem(inEditing) == vessik::ResultadoFinalizacao::Armazenada;
}

}  // namespace zv
