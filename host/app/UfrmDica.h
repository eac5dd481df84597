// Search tip "Dica de Busca": three hints about the exam browser's search, shown modally.
#pragma once
#include <QDialog>
#include <memory>

#include "FormView.h"

namespace zv {

// Model: fills the caption and the three texts, and closes on "&OK".
class TfrmDica {
 public:
  explicit TfrmDica(FormView& view) : view_(view) {}
  void FormShow();
  void btnOkClick();

  static const char* const kTextos[3];

 private:
  FormView& view_;
};

// Qt view: 540 x 168, an information picture, the three texts, a separator and btnOk.
class TfrmDicaView : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmDicaView(QWidget* parent = nullptr);
  ~TfrmDicaView() override;
  TfrmDica& Model() { return *model_; }

 private:
  std::unique_ptr<FormView> bridge_;
  std::unique_ptr<TfrmDica> model_;
};

}  // namespace zv
