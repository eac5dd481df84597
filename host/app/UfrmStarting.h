// The start-up window "TfrmIniciando": four steps, each marked when it begins, and a progress
// bar from 0 to 100.
#pragma once
#include <QDialog>
#include <memory>

#include "FormView.h"

namespace zv {

class TfrmIniciando {
 public:
  static const char* const kTextos[4];

  explicit TfrmIniciando(FormView& view) : view_(view) {}
  // Row 1 marked from the start, the other marks hidden, the bar at 0.
  void FormCreate();
  // Shows the mark of step 1..4 and repaints it.
  void MostraEtapa(int step);
  void Progresso(int position);
  // Advances the bar; it stops at 100.
  void AvancaProgresso(int amount);
  int Posicao() const { return view_.Value("PBProgress"); }

 private:
  FormView& view_;
};

// Qt view: borderless, 342 x 178, centred, a grey panel with the four rows and PBProgress.
class TfrmIniciandoView : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmIniciandoView(QWidget* parent = nullptr);
  ~TfrmIniciandoView() override;
  TfrmIniciando& Model() { return *model_; }

 private:
  std::unique_ptr<FormView> bridge_;
  std::unique_ptr<TfrmIniciando> model_;
};

}  // namespace zv
