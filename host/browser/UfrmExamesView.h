// The Qt view of the exam browser: the widgets carry the component names the model uses, and
// each signal calls the model's handler of that name.
#pragma once
#include <QDialog>
#include <functional>
#include <memory>

#include "QtDialogs.h"
#include "UfrmExames.h"

class QListWidget;
class QLabel;

namespace zv {
class QtFormView;
class TfrmAguardeView;
}  // namespace zv

namespace zv::browser {

class TfrmExamesView : public QDialog, private AvisoEspera {
  Q_OBJECT
 public:
  // `ambiente.aviso` and `ambiente.handle` are set by the view itself; without dialogs the
  // window's own message boxes are used.
  TfrmExamesView(AmbienteNavegador ambiente, QWidget* parent = nullptr);
  ~TfrmExamesView() override;

  TfrmExames& Model() { return *model_; }
  QtFormView& Bridge() { return *bridge_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  void Mostra() override;
  void Esconde() override;
  void Monta(const std::vector<TBBotaoModulo>& botoes);
  // Runs a handler; an error it raises is shown with its text.
  void Executa(const std::function<void()>& handler);
  void AtualizaFiguras();
  void AtualizaCorResponsavel();

  std::unique_ptr<QtFormView> bridge_;
  QtDialogs proprios_;
  Dialogs* dialogs_ = nullptr;
  std::unique_ptr<TfrmExames> model_;
  std::unique_ptr<TfrmAguardeView> aviso_;
  QListWidget* exames_ = nullptr;
  QLabel* responsavel_ = nullptr;
  bool fechado_ = false;
};

// Shows the browser modally over `parent`: the window the main window's BtnImage0 opens.
int MostraNavegador(AmbienteNavegador ambiente, QWidget* parent);

}  // namespace zv::browser
