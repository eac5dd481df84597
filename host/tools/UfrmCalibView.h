// The Qt view of the calibration window: the calibrator picture, the turret animation, the
// calibrator choice, the sphere buttons and, after a save, the quality table.
#pragma once
#include <QDialog>
#include <functional>
#include <memory>

#include "FormView.h"
#include "ModulosCalibracao.h"
#include "UfrmCalib.h"

namespace zv {

class TfrmCalibView : public QDialog {
  Q_OBJECT
 public:
  // `ajuda` opens the help at a topic (the application's help window).
  TfrmCalibView(TBIniSettings& settings, TZVRecords& records, ModulosCalibracao& modulos,
                std::function<void(const std::string&)> ajuda, QWidget* parent = nullptr);
  ~TfrmCalibView() override;
  TfrmCalib& Model() { return *model_; }
  Dialogs& MessageDialogs() { return *dialogs_; }

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void Centra();
  std::unique_ptr<FormView> bridge_;
  std::unique_ptr<Dialogs> dialogs_;
  std::unique_ptr<TfrmCalib> model_;
  bool shown_ = false, closed_ = false;
};

}  // namespace zv
