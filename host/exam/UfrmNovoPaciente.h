// The patient dialog "Cadastro de Paciente": search the patients as the name is typed, pick
// one, or register a new one; optionally go straight on to a new exam.
#pragma once
#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "FormView.h"
#include "NavegadorExames.h"
#include "UfrmDataModule.h"

namespace zv::exam {

class TfrmNovoPaciente {
 public:
  // `abreCadastro` shows the patient form in mode "Add" with the typed name and returns the
  // name it stored (empty when nothing was stored).
  TfrmNovoPaciente(FormView& view, Dialogs& dialogs, data::TDMPrincipal& dm,
                   NavegadorExames& navegador, bool autoExame,
                   std::function<std::string(const std::string&)> abreCadastro);

  void FormShow();
  void edtNomePacKeyUp();
  void DBGrid1CellClick(int linha);
  void DBGrid1DblClick(int linha);
  void Button1Click();
  void KeyPress(int key);

  // After the dialog closed: whether its opener should now open the new-exam window.
  bool AbreNovoExame() const { return abreNovoExame_; }
  // The patient picked or registered: the one the new exam is for.
  const std::string& PacienteEscolhido() const { return escolhido_; }

  static constexpr const char* kTodos = "*** Todos";
  static constexpr const char* kSemExames = "*** Sem Exames";

 private:
  void Busca(const std::string& texto);

  struct Linha {
    int codigo;
    std::string nome;
  };
  FormView& view_;
  Dialogs& dialogs_;
  data::TDMPrincipal& dm_;
  NavegadorExames& navegador_;
  bool autoExame_;
  std::function<std::string(const std::string&)> abreCadastro_;
  std::vector<Linha> linhas_;
  bool abreNovoExame_ = false;
  std::string escolhido_;
};

class TfrmNovoPacienteView : public QDialog {
  Q_OBJECT
 public:
  TfrmNovoPacienteView(data::TDMPrincipal& dm, NavegadorExames& navegador, bool autoExame,
                       QWidget* parent = nullptr);
  ~TfrmNovoPacienteView() override;
  TfrmNovoPaciente& Model() { return *model_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::unique_ptr<FormView> bridge_;
  std::unique_ptr<Dialogs> dialogs_;
  std::unique_ptr<TfrmNovoPaciente> model_;
};

}  // namespace zv::exam
