// The Qt windows of the clinical report: the wizard and the editor, thin views over their
// models (controls named as the models address them), and the entry the exam browser calls.
#pragma once
#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "NavegadorExames.h"
#include "QtDialogs.h"
#include "QtFormView.h"
#include "UfrmDataModule.h"
#include "UfrmLaudo.h"
#include "UfrmWizardLaudo.h"

class QTreeWidget;

namespace zv {

// Opens the help window at a topic ("laudo").
using AbreAjudaLaudo = std::function<void(QWidget* pai, const std::string& topico)>;

class UfrmLaudoView : public QDialog, public TelaLaudo {
 public:
  UfrmLaudoView(QWidget* pai, data::TDMPrincipal& dm, NavegadorExames& navegador,
                AmbienteLaudo ambiente, AbreAjudaLaudo ajuda);
  TfrmLaudo& Modelo() { return *modelo_; }
  QtFormView& View() { return view_; }

  void MostraArvore(const std::vector<PosicaoArvore>& arvore) override;
  void ColoreCaixa(const std::string& caixa, const QColor& fundo,
                   const std::vector<Realce>& realces) override;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;

 private:
  void Imprime(int acao);
  QtFormView view_{this};
  QtDialogs dialogs_{this};
  QTreeWidget* arvore_;
  AbreAjudaLaudo ajuda_;
  std::unique_ptr<TfrmLaudo> modelo_;
};

class UfrmWizardLaudoView : public QDialog {
 public:
  UfrmWizardLaudoView(QWidget* pai, data::TDMPrincipal& dm, NavegadorExames& navegador,
                      AmbienteLaudo ambiente, AbreAjudaLaudo ajuda);
  TfrmWizLaudo& Modelo() { return *modelo_; }
  QtFormView& View() { return view_; }

 private:
  QtFormView view_{this};
  QtDialogs dialogs_{this};
  std::unique_ptr<TfrmWizLaudo> modelo_;
};

// The browser's "Laudo" button: the wizard, modal over `pai`, for the browser's patient.
void AbreAssistenteLaudo(QWidget* pai, data::TDMPrincipal& dm, NavegadorExames& navegador,
                         const AmbienteLaudo& ambiente, AbreAjudaLaudo ajuda = {});

}  // namespace zv
