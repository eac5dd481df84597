// Qt view of the exam-selection wizard (625 x 326, "Assistente de Kandor").
#pragma once
#include <QDialog>
#include <functional>

namespace kandor {

class TfrmWizardView : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmWizardView(QWidget* parent = nullptr);
  // Handlers of the model.
  std::function<void()> cmbPreChange, cmbPosChange, cmbAcomp1Change, Button1Click, btnCancelarClick;

 protected:
  // Esc is "&Cancelar".
  void reject() override;
};

}  // namespace kandor
