// The window of a single map: the coloured map of the exam with its legend, the exam's header
// lines, the captured pictures when given, the simulated keratometry, the reading under the
// pointer and, for an orthokeratology exam, its SAG, DIV and R0.  The operator switches between
// the absolute and the normalised scale and chooses the step.
#pragma once
#include <QDialog>
#include <QImage>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "MapaCurvatura.h"
#include "PinturaMapa.h"

class QComboBox;
class QLabel;
class QRadioButton;

namespace mapas {

struct DadosMapa {
  QString titulo;
  TipoMapa tipo = TipoMapa::Axial;
  bool escalaNormalizada = false;  // the scale the window opens with
  GradePotencia grade;
  Ceratometria ceratometria;
  std::vector<std::string> cabecalho;  // the exam-header lines
  QImage central, lateral;             // null when not given
  std::array<int32_t, 4> pupila{};
  double cx = 0, cy = 0;
  std::optional<std::array<double, 3>> valoresOrto;  // SAG, DIV, R0
};

class TfrmMapaSimples : public QDialog {
 public:
  TfrmMapaSimples(QWidget* pai, DadosMapa dados);

  // The reading shown for a point of the map picture (also what the pointer shows).
  void MostraLeitura(QPointF ponto);

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void Redesenha();

  DadosMapa dados_;
  Enquadramento enquadramento_;
  QLabel* imgMapa_ = nullptr;
  QLabel* imgEscala_ = nullptr;
  QLabel* lblCursor_ = nullptr;
  QRadioButton* rbtAbsoluta_ = nullptr;
  QRadioButton* rbtNormalizada_ = nullptr;
  QComboBox* cbxPasso_ = nullptr;
};

}  // namespace mapas
