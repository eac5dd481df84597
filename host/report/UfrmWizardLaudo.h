// TfrmWizLaudo: the report wizard opened from the exam browser for its patient and doctor.
// Three choices: a new report from one exam per eye ("Nenhum" for none), opening a stored
// report, or deleting one (its row and its file).  Only the reports whose exams are the
// browser doctor's are offered.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "Dialogs.h"
#include "FormView.h"
#include "NavegadorExames.h"
#include "UfrmDataModule.h"

namespace zv {

class TfrmLaudo;

// The editor window as the wizard drives it: its model, then shown modally.
class JanelaLaudo {
 public:
  virtual ~JanelaLaudo() = default;
  virtual TfrmLaudo& Modelo() = 0;
  virtual void MostraModal() = 0;
};
using CriaJanelaLaudo = std::function<std::unique_ptr<JanelaLaudo>()>;

class TfrmWizLaudo {
 public:
  TfrmWizLaudo(FormView& view, Dialogs& dialogs, data::TDMPrincipal& dm, NavegadorExames& navegador,
               AmbienteLaudo ambiente, CriaJanelaLaudo criaEditor);

  void FormShow();
  void rgNovoLauClick();
  void rbLauExistClick();
  void rbExcLaudoClick();
  void btnOKClick();
  void btnCancelarClick() { view_.Close(0); }

 private:
  std::string Escolhido(const std::string& combo) const;
  void Exclui();

  FormView& view_;
  Dialogs& dialogs_;
  data::TDMPrincipal& dm_;
  NavegadorExames& navegador_;
  AmbienteLaudo amb_;
  CriaJanelaLaudo criaEditor_;
};

}  // namespace zv
