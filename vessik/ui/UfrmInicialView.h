// The ring review window on screen: the Qt widgets named after the form's components, their
// signals forwarded to the TfrmInicial model, and the wait notice and summary window it opens.
#pragma once
#include <QDialog>
#include <memory>

#include "UfrmInicial.h"

namespace zv {

class QtDialogs;
class TfrmAguardeView;

class TfrmInicialView : public QDialog {
  Q_OBJECT
 public:
  TfrmInicialView(RingProcessing& processing, const TInfosZV& infos, std::array<QImage, 4> images,
                  QWidget* parent = nullptr);
  ~TfrmInicialView() override;
  TfrmInicial& Model() { return *model_; }

 protected:
  void showEvent(QShowEvent* event) override;
  // Escape and the title bar's close box act as "Cancelar": an image already finished with
  // "Próxima" has set the OK state, and only "OK" may return it to the host.
  void reject() override;

 private:
  class QtWaitNotice;
  // Runs a model handler; an error it raises is reported and the window stays usable.
  template <typename Handler>
  void Run(Handler handler);
  void BuildControls(QWidget* area);

  RingProcessing& processing_;
  std::unique_ptr<FormView> bridge_;
  std::unique_ptr<QtDialogs> dialogs_;
  std::unique_ptr<QtWaitNotice> wait_;
  std::unique_ptr<TfrmInicial> model_;
  bool shown_ = false;
};

}  // namespace zv
