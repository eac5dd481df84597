// Qt view of the backup window.
#pragma once
#include <QDialog>
#include <functional>
#include <memory>

#include "Dialogs.h"
#include "FormView.h"
#include "UfrmBackup.h"

namespace zv {

class TfrmBackupView : public QDialog {
  Q_OBJECT
 public:
  // `ajuda` opens the window's help topic (the help button and F1).
  TfrmBackupView(Dialogs& dialogs, ContextoBackup contexto, std::function<void()> ajuda,
                 QWidget* parent = nullptr);
  ~TfrmBackupView() override;
  TfrmBackup& Model() { return *model_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::unique_ptr<FormView> bridge_;
  std::unique_ptr<TfrmBackup> model_;
  std::function<void()> ajuda_;
  bool mostrado_ = false;
};

}  // namespace zv
