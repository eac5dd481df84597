// TfrmPrincipal: the workstation's main window.  On its first activation it loads the settings
// into the global records, shows the device family's pictures and runs the three start-up
// steps under the start-up window: open the database, scan the map modules, probe the
// processing and capture modules.  Its seven image buttons open the other windows.
#pragma once
#include <array>
#include <memory>
#include <string>

#include "Dialogs.h"
#include "FormView.h"
#include "UBIniSettings.h"
#include "UBMapOperation.h"
#include "UBProcuraModulos.h"
#include "UBRecords.h"
#include "UBRegConfig.h"
#include "UBScreenConfig.h"
#include "UBVersionInfo.h"
#include "UBtnImage.h"
#include "UfrmDataModule.h"
#include "UfrmStarting.h"

namespace zv {

// The windows the main window opens, provided by the application (a fake in tests).
class JanelasPrincipal {
 public:
  enum class Janela { CadastroMedicos, Calibracao, Ferramentas, Backup, Sobre };

  virtual ~JanelasPrincipal() = default;
  // Creates and shows the start-up window when none exists; the same window afterwards.
  virtual TfrmIniciando& Iniciando() = 0;
  virtual void FechaIniciando() = 0;
  // The exam browser, shown modally, with the map toolbar buttons of the last scan.
  virtual void Navegador(const TBProcuraModulos& modulos) = 0;
  virtual void Abre(Janela janela, const TBProcuraModulos& modulos) = 0;
  // The help window at one topic ("principal", "navegador", ...); empty for the contents.
  virtual void Ajuda(const std::string& topic) = 0;
  // The web address in the desktop's default browser.
  virtual void AbreEndereco(const std::string& url) = 0;
  // The reminder of a due backup, at the end of the start-up.
  virtual void LembreteBackup(const TInfosZV& infos) = 0;
};

// Where the running program lives and where its settings are looked for.
struct ProgramaZarvik {
  std::string file;  // the running program (its version is read from it)
  std::string dir;   // the program's directory: the settings file's fallback location
  std::string fixedSettingsRoot = kFixedSettingsRoot;
};

class TfrmPrincipal {
 public:
  // The maker's web address when the settings name none.
  static constexpr const char* kEnderecoPadrao = "https://www.zarvik.example/";

  TfrmPrincipal(FormView& view, Dialogs& dialogs, data::TDMPrincipal& dm, JanelasPrincipal& janelas,
                TZVRecords& records, ProgramaZarvik programa);
  ~TfrmPrincipal();

  void FormCreate();
  // The application became active: runs the start-up while it has not completed.
  void ApplicationEvents1Activate();
  void IniciaSistema();
  // Loads the family's background, banner and button pictures; false after telling the
  // operator that a picture could not be read.
  bool CarregaImagens(int modelo, int aneis);
  bool IniciaBancoDados();
  void LocalizaModulos();
  void IniciaModulos();

  void BtnImage0Click();
  void BtnImage1Click();
  void BtnImage2Click();
  void BtnImage3Click();
  void BtnImage4Click();
  void BtnImage5Click();
  void BtnImage6Click();
  void Image2Click();
  void Image3Click();
  void FormClose();

  bool Iniciado() const { return iniciado_; }
  // True once the start-up has decided that the program ends.
  bool Encerrando() const { return encerrando_; }
  TBtnImage& Botao(int i) { return botoes_[i]; }
  const TBProcuraModulos& Modulos() const { return *modulos_; }
  TBIniSettings* Settings() const { return settings_.get(); }
  TZVRecords& Records() const { return records_; }
  data::TDMPrincipal& DataModule() const { return dm_; }
  // The running program's version, read on the first activation.
  const TBVersionInfo* VersionInfo() const { return versionInfo_.get(); }
  TBMapOperation* MapOperation() const { return mapOperation_.get(); }
  const TBRegConfig& RegConfig() const { return regConfig_; }
  // The maker's web address: setting FABRICANTE/SITE, or kEnderecoPadrao.
  std::string EnderecoFabricante() const;

 private:
  void CarregaConfiguracao();
  void Encerra();
  void AoFimDaPartida();

  FormView& view_;
  Dialogs& dialogs_;
  data::TDMPrincipal& dm_;
  JanelasPrincipal& janelas_;
  TZVRecords& records_;
  ProgramaZarvik programa_;

  bool iniciado_ = false, iniciando_ = false, encerrando_ = false;
  TBRegConfig regConfig_;
  std::unique_ptr<TBScreenResolution> screen_;
  std::unique_ptr<TBMapOperation> mapOperation_;
  std::unique_ptr<TBVersionInfo> versionInfo_;
  std::unique_ptr<TBIniSettings> settings_;
  std::unique_ptr<TBProcuraModulos> modulos_;
  std::array<TBtnImage, 7> botoes_;
};

}  // namespace zv
