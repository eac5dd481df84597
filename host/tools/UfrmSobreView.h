// The Qt view of the about box: a banner across the top, the version line and the three
// sections (capture, image processing, cone) separated by rules, and "Fechar".
#pragma once
#include <QDialog>
#include <memory>

#include "FormView.h"
#include "UfrmSobre.h"

namespace zv {

// The banner picture, drawn by code.
QImage BannerSobre(int largura, int altura);

class TfrmSobreView : public QDialog {
  Q_OBJECT
 public:
  TfrmSobreView(const TInfosZV& infos, const TPathsZV& paths, VersaoPrograma versao,
                InfoModulos& modulos, QWidget* parent = nullptr);
  ~TfrmSobreView() override;
  TfrmSobre& Model() { return *model_; }

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  std::unique_ptr<FormView> bridge_;
  std::unique_ptr<TfrmSobre> model_;
  bool shown_ = false;
};

}  // namespace zv
