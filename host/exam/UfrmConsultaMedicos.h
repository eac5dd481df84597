// The doctor search "Assistente de Consulta": finds doctors by name, identity card, taxpayer
// number or licence, and moves the doctors form to the one double-clicked.
#pragma once
#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include "FormView.h"
#include "UfrmDataModule.h"

namespace zv::exam {

class TfrmConsultaMedicos {
 public:
  TfrmConsultaMedicos(FormView& view, data::TDMPrincipal& dm, std::function<void(int)> localiza)
      : view_(view), dm_(dm), localiza_(std::move(localiza)) {}

  void FormShow();
  void edtPesquisaChange();
  void btnConsultarClick();
  void lswResultadoDblClick(int linha);  // linha: the selected row, -1 when none
  void btnFecharClick();

  const std::vector<int>& Codigos() const { return codigos_; }

 private:
  FormView& view_;
  data::TDMPrincipal& dm_;
  std::function<void(int)> localiza_;
  std::vector<int> codigos_;
};

class TfrmConsultaMedicosView : public QDialog {
  Q_OBJECT
 public:
  TfrmConsultaMedicosView(data::TDMPrincipal& dm, std::function<void(int)> localiza,
                          QWidget* parent = nullptr);
  ~TfrmConsultaMedicosView() override;
  TfrmConsultaMedicos& Model() { return *model_; }

 private:
  std::unique_ptr<FormView> bridge_;
  std::unique_ptr<TfrmConsultaMedicos> model_;
};

}  // namespace zv::exam
