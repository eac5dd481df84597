// The exam-selection wizard: the user picks images 1..4 in four drop-down lists, each offering
// what the previous choices leave.  Per-eye mode (device models 0..2) keeps the four exams of
// one eye; free mode (model 3) takes any four different exams.
#pragma once
#include <string>
#include <vector>

#include "Dialogs.h"
#include "FormView.h"
#include "UBConstantes.h"

namespace kandor {

class TfrmWizard {
 public:
  TfrmWizard(zv::FormView& view, zv::Dialogs& dialogs) : view_(view), dialogs_(dialogs) {}

  // Input, filled by the entry point before the window is shown.
  std::vector<std::string> ListaCandidatos;
  TInfosZV Infos{};

  void FormShow();
  void cmbPreChange();
  void cmbPosChange();
  void cmbAcomp1Change();
  void Button1Click();
  void btnCancelarClick();
  void FormClose();

  const std::vector<std::string>& ListaSelecionados() const { return listaSelecionados_; }
  const std::vector<std::string>& ListaExtra() const { return listaExtra_; }
  bool Confirmado() const { return confirmado_; }

 private:
  bool ModoLivre() const { return Infos.Modelo == 3; }
  void gerastrings();
  void AssociaStrings(const std::string& escolhida);
  // Fills a list with new lines and leaves it without a choice.
  void Preenche(const char* lista, const std::vector<std::string>& linhas);
  void Habilita(const char* lista, const char* rotulo, bool habilitado);
  // The list's lines without the chosen one.
  std::vector<std::string> SemEscolhida(const char* lista) const;

  zv::FormView& view_;
  zv::Dialogs& dialogs_;
  std::vector<std::string> listaDireito_, listaEsquerdo_;
  int contaDireito_ = 0, contaEsquerdo_ = 0;
  std::vector<std::string> listaSelecionados_, listaExtra_;
  bool confirmado_ = false;
  bool primeiraMudanca_ = false;
};

}  // namespace kandor
