// The doctors form "Cadastro de Médicos": browse, add, edit and delete doctors.
#pragma once
#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CadastroCampos.h"
#include "Dialogs.h"
#include "FormView.h"
#include "UfrmDataModule.h"

namespace zv::exam {

// Model.  The doctors are read from the data module's doctors table into rows; the form shows
// the current one and writes only through the doctors' procedures.
class TfrmCadastroMedicos {
 public:
  enum class Estado { Navegando, Adicionando, Editando };

  TfrmCadastroMedicos(FormView& view, Dialogs& dialogs, data::TDMPrincipal& dm,
                      std::string medicoAtivo);
  // Opens the doctor search; the search moves this form with Localiza.
  std::function<void()> abreConsulta;

  void FormShow();
  void sbtAddClick();
  void sbtAlterarClick();
  void sbtAtualizarClick();
  void sbtDelClick();
  void sbtFindClick();
  void btnFecharClick();
  void FormClose();
  void nbFirstClick() { Move(0); }
  void nbPriorClick() { Move(atual_ - 1); }
  void nbNextClick() { Move(atual_ + 1); }
  void nbLastClick() { Move(static_cast<int>(medicos_.size()) - 1); }

  // Makes the doctor of `codigo` the current row (the row stays when there is none).
  void Localiza(int codigo);
  Estado EstadoAtual() const { return estado_; }
  int CodigoAtual() const;

 private:
  void Recarrega();
  void Move(int linha);
  void MostraAtual();
  void AplicaEstado(Estado estado);
  void HabilitaEdicao() { HabilitaCampos(view_, kCamposMedico, true); }
  void DesabilitaEdicao() { HabilitaCampos(view_, kCamposMedico, false); }
  void LimparCampos();
  void MostraCodigo(bool visivel, const std::string& rotulo);
  void LocalizaNome(const std::string& nome);

  FormView& view_;
  Dialogs& dialogs_;
  data::TDMPrincipal& dm_;
  data::TDMedicos medicos_db_;
  std::string medicoAtivo_;
  std::vector<Registro> medicos_;
  int atual_ = -1;
  Estado estado_ = Estado::Navegando;
  std::string modo_;
};

// Qt view: the tool bar, the two tabs of fields, the navigator, help and "Fechar".
class TfrmCadastroMedicosView : public QDialog {
  Q_OBJECT
 public:
  TfrmCadastroMedicosView(data::TDMPrincipal& dm, const std::string& medicoAtivo,
                          QWidget* parent = nullptr);
  ~TfrmCadastroMedicosView() override;
  TfrmCadastroMedicos& Model() { return *model_; }
  void done(int result) override;

 private:
  std::unique_ptr<FormView> bridge_;
  std::unique_ptr<Dialogs> dialogs_;
  std::unique_ptr<TfrmCadastroMedicos> model_;
  bool closing_ = false;
};

}  // namespace zv::exam
