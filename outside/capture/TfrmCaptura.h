// The simulated camera's window: the operator chooses the model eye (or, for a calibration, the
// sphere of the caption is used), watches a live preview of the central image and captures it.
// "Capturar" renders the central and lateral pictures and closes with Accepted; "Cancelar",
// Escape and the close box close with Rejected and leave no picture.
#pragma once
#include <QDialog>
#include <QImage>
#include <vector>

#include "ModeloOlho.h"

class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QTimer;

namespace captura {

class TfrmCaptura : public QDialog {
 public:
  enum class Modo {
    Olho,       // one exam picture of the chosen model eye
    Esfera,     // the calibration sphere of the caption, no model to choose
    SerieOrto,  // four pictures of an orthokeratology follow-up
  };

  // `olho`: 0 left, 1 right (ignored for a sphere).  `raioEsfera` is used in Modo::Esfera only.
  TfrmCaptura(QWidget* pai, const QString& titulo, Modo modo, int olho, double raioEsfera);

  // The model as the controls describe it.
  ModeloOlho Modelo() const;
  int Aneis() const;
  // The captured pictures (one, or four for a follow-up); empty unless "Capturar" succeeded.
  const std::vector<QImage>& Centrais() const { return centrais_; }
  const std::vector<QImage>& Laterais() const { return laterais_; }

 private:
  QDoubleSpinBox* Campo(const char* nome, const QString& rotulo, double minimo, double maximo,
                        double valor, int decimais, double passo);
  void MostraCamposDoTipo();
  void AgendaPrevia();
  void AtualizaPrevia();
  void btnCapturarClick();
  // The scenes to capture: one, or the four nights of a follow-up.
  std::vector<placido::Scene> Cenas(int superamostragem) const;

  Modo modo_;
  double raioEsfera_;
  QFormLayout* campos_ = nullptr;
  QComboBox* cbxModelo_ = nullptr;
  QComboBox* cbxAneis_ = nullptr;
  QLabel* imgPrevia_ = nullptr;
  QLabel* lblAviso_ = nullptr;
  QTimer* timerPrevia_ = nullptr;
  QDoubleSpinBox *edtRaioEsfera_, *edtRaioApical_, *edtQ_, *edtRaioPlano_, *edtRaioCurvo_,
      *edtEixo_, *edtConeX_, *edtConeY_, *edtConeTamanho_, *edtConeAltura_, *edtAchatamento_,
      *edtZona_, *edtDescentroX_, *edtDescentroY_, *edtRuido_;
  std::vector<QImage> centrais_, laterais_;
};

}  // namespace captura
