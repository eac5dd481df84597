// Qt view of the multi-map modules' exam selection: the operator's instruction, one labelled
// drop-down list per exam the module asks for, "&Processar" and "&Cancelar" (also Esc).
#pragma once
#include <QDialog>
#include <functional>

#include "SelecaoExames.h"

namespace multimapas {

class TfrmSelecaoExamesView : public QDialog {
 public:
  TfrmSelecaoExamesView(QWidget* parent, const RegraSelecao& regra);
  // Handlers of the model; the list's number (1-based) for a change.
  std::function<void(int)> cmbExameChange;
  std::function<void()> btnProcessarClick, btnCancelarClick;

 protected:
  void reject() override;
};

}  // namespace multimapas
