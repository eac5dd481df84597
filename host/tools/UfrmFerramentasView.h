// Qt view of the tools window: a page control of tabs whose widgets carry the component names
// the model addresses.
#pragma once
#include <QDialog>
#include <memory>

#include "Dialogs.h"
#include "FormView.h"
#include "UfrmFerramentas.h"

namespace zv {

class TfrmFerramentasView : public QDialog {
  Q_OBJECT
 public:
  TfrmFerramentasView(Dialogs& dialogs, ContextoFerramentas contexto, QWidget* parent = nullptr);
  ~TfrmFerramentasView() override;
  TfrmFerramentas& Model() { return *model_; }
  // Shows one tab by its component name (screenshots and tests).
  void MostraAba(const QString& nome);

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  std::unique_ptr<FormView> bridge_;
  std::unique_ptr<TfrmFerramentas> model_;
  bool mostrado_ = false;
};

}  // namespace zv
