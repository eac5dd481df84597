// TBIniSettings: the workstation's preferences, one INI file per device model.  It finds the
// file, reads every key into a typed value (with a fixed message and fallback for the guarded
// keys), writes single keys back at once, and gives one accessor per key.
#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "Dialogs.h"
#include "NumberFormat.h"

namespace zv {

// Where the fixed first locations of the settings files live on this platform: the four
// device models map to sub-directories ZARVIK, ZARVIKSL, OLENDRA, OLENDRASL of this directory.
inline constexpr const char* kFixedSettingsRoot = "/opt/brondell";

class TBIniSettings {
 public:
  // `programDir` is the directory of the running program (the fallback location);
  // `fixedRoot` replaces kFixedSettingsRoot (tests use a temporary directory).
  TBIniSettings(Dialogs& dialogs, std::string programDir,
                std::string fixedRoot = kFixedSettingsRoot);

  const std::string& IniFileName() const { return iniFileName_; }

  bool LocateIniFile(int model);
  bool LoadAll(int model);
  bool LoadToolsSubset(int model);
  bool LoadCalibrationSubset(int model);

  // kind "Int", "Str" or "Bool"; see the .cpp for each kind's reading rules.
  std::string ReadSetting(const std::string& fileName, const std::string& kind,
                          const std::string& section, const std::string& key) const;
  // kind "Str" writes `text`, kind "Bool" writes `flag` as "1" or "0", other kinds nothing.
  void WriteSetting(const std::string& kind, const std::string& section, const std::string& key,
                    const std::string& text, bool flag);

  // The default of a Str read of a missing key.
  static std::string MarkerText(const std::string& section, const std::string& key);

  // ---- Accessors: stored values, converted on each call (conversion errors raise
  // ConvertError); none touches the file. ----
  int Tipo() const { return IntOf("ZV", "Tipo"); }
  std::string TipoCone() const { return tipoCone_; }
  double FatorCorrecao() const { return StrToFloat(Text("ZV", "FatorCorrecao")); }
  double Z0() const { return StrToFloat(Text("ZV", "Z0")); }
  std::string DirZV() const { return Text("DIRETORIOS", "DIRZV"); }
  std::string DirExames() const { return Text("DIRETORIOS", "EXAMES"); }
  std::string DirBancoDados() const { return Text("DIRETORIOS", "BANCODADOS"); }
  std::string DirExemplos() const { return Text("DIRETORIOS", "EXEMPLOS"); }
  std::string DirLaudos() const { return Text("DIRETORIOS", "LAUDOS"); }
  std::string ModDigitalizacao() const { return Text("MODULOS", "DIGITALIZACAO"); }
  std::string ModDigitalizacaoOrto() const { return Text("MODULOS", "DIGITALIZACAO_ORTO"); }
  std::string ModProcessamento() const { return Text("MODULOS", "PROCESSAMENTO"); }
  std::string ModProcessamentoOrto() const { return Text("MODULOS", "PROCESSAMENTO_ORTO"); }
  std::string DirMapas() const { return Text("MODULOS", "DIRMAPAS"); }
  std::string UltimaCalib() const { return Text("MODULOS", "ULTIMACALIB"); }
  std::string ModBackup() const { return Text("BACKUP", "MODULO"); }
  int BackupAuto() const { return IntOf("BACKUP", "AUTO"); }
  int BackupPeriodo() const { return IntOf("BACKUP", "AUTO_OP1_1"); }
  int BackupUnidade() const { return IntOf("BACKUP", "AUTO_OP1_2"); }
  int BackupExames() const { return IntOf("BACKUP", "AUTO_OP2"); }
  bool Dicas() const { return Flag("OPCOES", "DICAS"); }
  bool SalvarImagemCaptura() const { return Flag("OPCOES", "SalvarImagemCaptura"); }
  bool SalvarImagemCentral() const { return Flag("OPCOES", "sImagemCentral"); }
  bool SalvarImagemLateral() const { return Flag("OPCOES", "sImagemLateral"); }
  int QualidadeImagem() const { return IntOf("OPCOES", "QualidadeImagem"); }
  std::string MapaPadraoNovoExame() const { return Text("OPCOES", "MapaPadraoNovoExame"); }
  bool AutoIncMap() const { return Text("OPCOES", "AUTOINCMAP") == "1"; }
  bool AutoMiniMapa() const { return Text("OPCOES", "AUTOMINIMAPA") != "0"; }
  bool AutoExame() const { return Text("OPCOES", "AUTOEXAME") != "0"; }
  double IncMap() const { return StrToFloat(Text("OPCOES", "INCMAP")); }
  bool AutoAneis() const { return Text("OPCOES", "AUTOANEIS") != "0"; }
  int IndiceConf() const { return IntOf("OPCOES", "INDICECONF"); }
  std::string ClinicaNome() const { return Text("CLINICA", "NOME"); }
  std::string ClinicaEndereco() const { return Text("CLINICA", "ENDERECO"); }
  std::string ClinicaCidadeEst() const { return Text("CLINICA", "CidadeEst"); }
  std::string ClinicaTelefone() const { return Text("CLINICA", "TELEFONE"); }
  bool MostrarDadosClinica() const { return Text("CLINICA", "OPT1") == "1"; }
  bool MostrarNomeMedico() const { return Text("CLINICA", "OPT2") == "1"; }
  bool MostrarLogoClinica() const { return Text("CLINICA", "OPT3") == "1"; }
  std::string MedicoAtivo() const { return Text("CLINICA", "MEDICOATIVO"); }
  std::string PacienteAtivo() const { return Text("CLINICA", "PACIENTEATIVO"); }
  int Brilho() const { return IntOf("CAMERA", "BRILHO"); }
  int Contraste() const { return IntOf("CAMERA", "CONTRASTE"); }
  int CameraCentral() const { return IntOf("CAMERA", "CAMERACENTRAL"); }
  int CameraLateral() const { return IntOf("CAMERA", "CAMERALATERAL"); }
  std::string ConectorCentral() const { return Text("CAMERA", "CONECTORCENTRAL"); }
  std::string ConectorLateralD() const { return Text("CAMERA", "CONECTORLATERALD"); }
  std::string ConectorLateralS() const { return Text("CAMERA", "CONECTORLATERALS"); }
  std::string TipoCeratometria() const { return Text("OPCOES", "TIPOCERATOMETRIA"); }
  std::string Idioma() const { return Text("OPCOES", "IDIOMA"); }
  int TvlCentral() const { return tvlCentral_; }
  int TIncremento() const { return tIncremento_; }
  bool AutoPCaptura() const { return Flag("OPCOES", "AUTOPCAPTURA"); }
  int DelayAutoPCaptura() const { return delayAutoPCaptura_; }
  uint8_t TipoCalibrador() const { return static_cast<uint8_t>(tipoCalibrador_); }
  bool ExibeGrade() const { return exibeGrade_; }
  bool ExibeCeratometriaPontual() const { return exibeCeratometriaPontual_; }
  std::string CorCeratometriaPontual() const { return corCeratometriaPontual_; }

  // Keys kept without an accessor of their own meaning (opaque texts).
  std::string Opaque(const std::string& section, const std::string& key) const {
    return Text(section, key);
  }

 private:
  std::string FixedLocation(int model) const;
  std::string ProgramDirLocation(int model) const;

  // Reads one key from the file into the stored values, by its kind.
  void Load(const std::string& section, const std::string& key);
  void LoadGuarded(const std::string& key);
  void Warn(const std::string& message) const;

  std::string Text(const std::string& section, const std::string& key) const;
  bool Flag(const std::string& section, const std::string& key) const;
  int IntOf(const std::string& section, const std::string& key) const;

  Dialogs& dialogs_;
  std::string programDir_, fixedRoot_;
  std::string iniFileName_;
  std::map<std::string, std::string> texts_;  // by "SECTION/KEY" in upper case
  std::map<std::string, bool> flags_;
  std::string tipoCone_;
  int tvlCentral_ = 0, tIncremento_ = 0, delayAutoPCaptura_ = 0, tipoCalibrador_ = 0;
  bool exibeGrade_ = true, exibeCeratometriaPontual_ = false;
  std::string corCeratometriaPontual_ = "Preta";
};

}  // namespace zv
