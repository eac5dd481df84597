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
  // Finishing completes and retouches the working table before it can be refused (rings still
  // being edited, a calibration that does not fit).  A refused finishing must hand the operator
  // back the table exactly as it was, or the next finishing would complete and retouch it a
  // second time.
  const vessik::TabelaAneis working = session_.trabalho, raw = session_.bruta;
  const vessik::ContagemAneis counts = session_.contagens;
  const auto restore = [&] {
    session_.trabalho = working;
    session_.bruta = raw;
    session_.contagens = counts;
  };
  session_.SelecionaImagem(image);
  try {
    if (session_.FinalizaImagem(inEditing) == vessik::ResultadoFinalizacao::Armazenada) return true;
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return false;
}

}  // namespace zv
