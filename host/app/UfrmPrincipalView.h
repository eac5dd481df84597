// The Qt side of the main window: a borderless 800 x 600 window of pictures, the seven image
// buttons forwarding to TfrmPrincipal, and the windows the main window opens.
#pragma once
#include <QWidget>
#include <functional>
#include <memory>

#include "QtDialogs.h"
#include "UfrmBackup.h"
#include "UfrmPrincipal.h"

namespace zv {

class TfrmIniciandoView;

// Runs a window's handler; an error that escapes it is shown like any unhandled error of the
// program (its text, caption "Erro") and the program goes on.
void ExecutaProtegido(QWidget* parent, const std::function<void()>& handler);

// The windows of the main window's buttons.  Windows that later versions bring are announced
// as not yet available.
class JanelasQt : public JanelasPrincipal {
 public:
  explicit JanelasQt(QWidget* parent);
  ~JanelasQt() override;

  TfrmIniciando& Iniciando() override;
  void FechaIniciando() override;
  void Navegador(const TBProcuraModulos& modulos) override;
  void Abre(Janela janela, const TBProcuraModulos& modulos) override;
  void Ajuda(const std::string& topic) override;
  void AbreEndereco(const std::string& url) override;
  void LembreteBackup(const TInfosZV& infos) override;

  TfrmIniciandoView* IniciandoView() const { return splash_.get(); }
  // The main window whose settings and records the calibration and the about box use.
  void Principal(TfrmPrincipal& principal) { principal_ = &principal; }

 private:
  void AindaNaoDisponivel(const std::string& janela);
  void CadastroMedicos();
  void InstalaGanchosNavegador();
  void Calibracao();
  void Sobre();
  void Ferramentas(const TBProcuraModulos& modulos);
  void Backup();
  // BackUp.ini beside the program.
  std::string ArquivoBackupIni() const;
  ContextoBackup ContextoDoBackup() const;

  QWidget* parent_;
  TfrmPrincipal* principal_ = nullptr;
  QtDialogs dialogs_;
  std::unique_ptr<TfrmIniciandoView> splash_;
};

class TfrmPrincipalView : public QWidget {
  Q_OBJECT
 public:
  TfrmPrincipalView(data::TDMPrincipal& dm, TZVRecords& records, ProgramaZarvik programa,
                    std::unique_ptr<JanelasPrincipal> janelas = nullptr);
  ~TfrmPrincipalView() override;
  TfrmPrincipal& Model() { return *model_; }
  JanelasPrincipal& Janelas() { return *janelas_; }
  // Brings the window to view, as a second start of the program asks.
  void TrazParaFrente();

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void Ativou();
  void Protegido(const std::function<void()>& handler) { ExecutaProtegido(this, handler); }

  QtDialogs dialogs_;
  std::unique_ptr<JanelasPrincipal> janelas_;
  std::unique_ptr<FormView> bridge_;
  std::unique_ptr<TfrmPrincipal> model_;
  bool fechado_ = false;
};

}  // namespace zv
