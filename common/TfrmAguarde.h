// Wait notice "Aguarde...": a small borderless always-on-top window shown around long
// operations by the exam browser, the new-exam workflow and the ring review window.
#pragma once
#include <QDialog>
#include <memory>

#include "FormView.h"

namespace zv {

// Model: fills the panel text when the notice is shown.
class TfrmAguarde {
 public:
  explicit TfrmAguarde(FormView& view) : view_(view) {}
  void FormShow();

 private:
  FormView& view_;
};

// Qt view: 191 x 62, one panel pnlAguarde with the text and a 30 x 30 picture at 16, 16.
class TfrmAguardeView : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmAguardeView(QWidget* parent = nullptr);
  ~TfrmAguardeView() override;
  // Shows the notice without blocking and paints it at once.
  void ShowNotice();

 private:
  std::unique_ptr<FormView> bridge_;
  std::unique_ptr<TfrmAguarde> model_;
};

}  // namespace zv
