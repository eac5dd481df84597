// The review window of a processed image: the captured image with the detected rings and the
// pupil drawn over it, and the confidence index.  "OK" closes with Accepted; "Cancelar", Escape
// and the close box with Rejected.
#pragma once
#include <QDialog>
#include <QImage>
#include <array>

#include "TabelaAneis.h"

class QCheckBox;
class QLabel;

namespace processamento {

struct Revisao {
  QImage imagem;
  double xc = 0, yc = 0;
  const vessik::TabelaAneis* pixels = nullptr;
  int numAneis = 0;
  std::array<int32_t, 4> pupila{};
  double indiceConfianca = 0;
};

class TfrmRevisao : public QDialog {
 public:
  TfrmRevisao(QWidget* pai, const Revisao& revisao);

 private:
  void Redesenha();

  Revisao revisao_;
  QLabel* imgImagem_ = nullptr;
  QCheckBox* chkAneis_ = nullptr;
  QCheckBox* chkPupila_ = nullptr;
};

// The image with the rings (every ring a closed line through its 360 meridians) and the pupil.
QImage DesenhaRevisao(const Revisao& revisao, bool aneis, bool pupila);

}  // namespace processamento
