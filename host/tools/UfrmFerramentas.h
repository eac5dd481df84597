// TfrmFerramentas, the tools window "Ferramentas": the editor of the user preferences, the list
// of installed map modules, the desktop's configuration programs, the clinic's data and logo,
// the database statistics and the reset of the backup marks.  Preferences are shown from the
// global record at creation and written to the settings file at close.
#pragma once
#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "FormView.h"
#include "UBIniSettings.h"
#include "UBRecords.h"
#include "UfrmDataModule.h"

namespace zv {

// One desktop configuration program of the "Aplicativos" tab: its caption and the command
// lines that start it on the desktops we know, tried in order.
struct AplicativoSistema {
  std::string caption;
  std::vector<std::vector<std::string>> comandos;  // program followed by its arguments
};

// Starts a program detached from the workstation; false when it is not installed or did not
// start.  Never goes through a shell.
using IniciaPrograma = std::function<bool(const std::vector<std::string>& comando)>;
bool IniciaProgramaDoSistema(const std::vector<std::string>& comando);

struct ContextoFerramentas {
  TBIniSettings& settings;
  TZVRecords& records;
  data::TDMPrincipal& dm;
  std::string arquivoBackupIni;      // BackUp.ini beside the program
  std::vector<std::string> modulos;  // four lines per map module: description, kind, maps, version
  IniciaPrograma inicia = IniciaProgramaDoSistema;
};

class TfrmFerramentas {
 public:
  static constexpr int kLadoLogo = 100;
  static const std::vector<AplicativoSistema>& Aplicativos();

  TfrmFerramentas(FormView& view, Dialogs& dialogs, ContextoFerramentas contexto);

  void FormCreate();
  void FormShow();
  // Writes every preference, re-reads them and refreshes the global record.
  void FormClose();
  void btnFecharClick();
  void tlvAplicativosDblClick();
  void LogoClinicaDblClick();
  void rbtEnableClick();
  void rbtDisableClick();
  void btnZerarBackupClick();
  void StatusBD();
  void cbxIdiomaClick();
  void chkAutoPCapturaClick();
  void chkExibeCeratPontualClick();

  const QImage& Logo() const { return logo_; }
  static std::string CaminhoLogo(const std::string& dirRaiz);

 private:
  void MostraPreferencias();
  void MostraTamanhoBanco();
  void EscrevePreferencias();
  void AtualizaRegistro();
  void SelecionaTexto(const std::string& control, const std::string& text);
  std::string TextoSelecionado(const std::string& control, const std::string& guardado) const;
  bool SalvaLogo(const QImage& logo);

  FormView& view_;
  Dialogs& dialogs_;
  ContextoFerramentas ctx_;
  QImage logo_;
  bool fechado_ = false;
};

}  // namespace zv
