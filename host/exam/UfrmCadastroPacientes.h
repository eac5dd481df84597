// The patient form "Cadastro de Pacientes": personal and residential data of one patient,
// in mode "Add" (a new patient) or "Atualiza" (editing the patient of a code).
#pragma once
#include <QDialog>
#include <memory>
#include <string>

#include "CadastroCampos.h"
#include "Dialogs.h"
#include "FormView.h"
#include "UfrmDataModule.h"

namespace zv::exam {

class TfrmCadastroPacientes {
 public:
  TfrmCadastroPacientes(FormView& view, Dialogs& dialogs, data::TDMPrincipal& dm, std::string modo);

  // Mode "Add": empty boxes, "Masculino" and "Solteiro(a)", the name typed by the opener.
  void PreparaInclusao(const std::string& nome);
  // Mode "Atualiza": the boxes of the patient of `codigo`.
  void PreparaEdicao(int codigo);

  void FormShow();
  void sbtOkClick();
  void sbtCancelarClick();
  void SpeedButton3Click() {}  // the view opens the help

  // The name stored by "OK" in mode "Add"; empty when nothing was added.
  const std::string& NomeGravado() const { return nomeGravado_; }
  const std::string& Modo() const { return modo_; }

 private:
  void HabilitaEdicao() { HabilitaCampos(view_, kCamposPaciente, true); }
  void DesabilitaEdicao() { HabilitaCampos(view_, kCamposPaciente, false); }

  FormView& view_;
  Dialogs& dialogs_;
  data::TDMPrincipal& dm_;
  std::string modo_;
  int codigo_ = 0;
  std::string nomeArmazenado_;
  std::string nomeGravado_;
};

class TfrmCadastroPacientesView : public QDialog {
  Q_OBJECT
 public:
  TfrmCadastroPacientesView(data::TDMPrincipal& dm, const std::string& modo,
                            QWidget* parent = nullptr);
  ~TfrmCadastroPacientesView() override;
  TfrmCadastroPacientes& Model() { return *model_; }

 private:
  std::unique_ptr<FormView> bridge_;
  std::unique_ptr<Dialogs> dialogs_;
  std::unique_ptr<TfrmCadastroPacientes> model_;
};

}  // namespace zv::exam
