#include "UBRecords.h"

#include "TextFile.h"
#include "UBIniSettings.h"

namespace zv {
namespace {

// Every text field starts as an empty text, never a null reference.
const char kEmpty[] = "";

}  // namespace

TZVRecords::TZVRecords() {
  for (const char** f : {&Infos.TipoCone,
                         &Infos.MedicoAtivo,
                         &Infos.PacienteAtivo,
                         &Infos.ClinicaNome,
                         &Infos.ClinicaEndereco,
                         &Infos.ClinicaCidadeEst,
                         &Infos.ClinicaTelefone,
                         &Infos.ConectorCentral,
                         &Infos.ConectorLateralS,
                         &Infos.ConectorLateralD,
                         &Infos.TextoReservado1,
                         &Infos.MapaPadraoNovoExame,
                         &Infos.TipoCeratometria,
                         &Infos.Idioma,
                         &Infos.TextoReservado2,
                         &Infos.TextoReservado3,
                         &Infos.CorCeratometriaPontual,
                         &Infos.TextoReservado4,
                         &Paths.DirRaiz,
                         &Paths.DirBancoDados,
                         &Paths.DirExames,
                         &Paths.DirExemplos,
                         &Paths.DirLaudos,
                         &Paths.ModDigitalizacao,
                         &Paths.ModProcessamento,
                         &Paths.ModBackup,
                         &Paths.DirMapas,
                         &Paths.ModDigitalizacaoOrto,
                         &Paths.ModProcOrto,
                         &Paths.DirCalibracao})
    *f = kEmpty;
}

void TZVRecords::SetText(const char*& field, const std::string& value) {
  auto& owned = texts_[&field];
  owned = std::make_unique<std::string>(value);
  field = owned->c_str();
}

void CopySettingsToRecords(const TBIniSettings& s, TZVRecords& r) {
  TPathsZV& p = r.Paths;
  r.SetText(p.DirRaiz, s.DirZV());
  r.SetText(p.DirBancoDados, s.DirBancoDados());
  r.SetText(p.DirExames, s.DirExames());
  r.SetText(p.DirExemplos, s.DirExemplos());
  r.SetText(p.DirLaudos, s.DirLaudos());
  r.SetText(p.ModDigitalizacao, s.ModDigitalizacao());
  r.SetText(p.ModProcessamento, s.ModProcessamento());
  r.SetText(p.ModBackup, s.ModBackup());
  r.SetText(p.DirMapas, s.DirMapas());
  r.SetText(p.ModDigitalizacaoOrto, s.ModDigitalizacaoOrto());
  r.SetText(p.ModProcOrto, s.ModProcessamentoOrto());
  r.SetText(p.DirCalibracao, JoinPath(s.DirZV(), "Calibração") + kPathDelim);

  TInfosZV& i = r.Infos;
  r.SetText(i.TipoCone, s.TipoCone());
  i.FatorCorrecao = s.FatorCorrecao();
  i.Z0 = s.Z0();
  i.IncMap = s.IncMap();
  i.IndiceConf = s.IndiceConf();
  i.AutoAneis = s.AutoAneis();
  i.AutoIncMap = s.AutoIncMap();
  i.AutoMiniMapa = s.AutoMiniMapa();
  i.AutoExame = s.AutoExame();
  i.MostrarDadosClinica = s.MostrarDadosClinica();
  i.MostrarNomeMedico = s.MostrarNomeMedico();
  i.MostrarLogoClinica = s.MostrarLogoClinica();
  i.BackupAuto = s.BackupAuto();
  i.BackupPeriodo = s.BackupPeriodo();
  i.BackupUnidade = s.BackupUnidade();
  i.BackupExames = s.BackupExames();
  i.CameraCentral = s.CameraCentral();
  i.CameraLateral = s.CameraLateral();
  r.SetText(i.MedicoAtivo, s.MedicoAtivo());
  r.SetText(i.PacienteAtivo, s.PacienteAtivo());
  r.SetText(i.ClinicaNome, s.ClinicaNome());
  r.SetText(i.ClinicaEndereco, s.ClinicaEndereco());
  r.SetText(i.ClinicaCidadeEst, s.ClinicaCidadeEst());
  r.SetText(i.ClinicaTelefone, s.ClinicaTelefone());
  r.SetText(i.ConectorCentral, s.ConectorCentral());
  r.SetText(i.ConectorLateralS, s.ConectorLateralS());
  r.SetText(i.ConectorLateralD, s.ConectorLateralD());
  i.SalvarImagemCaptura = s.SalvarImagemCaptura();
  r.SetText(i.MapaPadraoNovoExame, s.MapaPadraoNovoExame());
  r.SetText(i.TipoCeratometria, s.TipoCeratometria());
  i.SalvarImagemCentral = s.SalvarImagemCentral();
  i.SalvarImagemLateral = s.SalvarImagemLateral();
  i.QualidadeImagem = s.QualidadeImagem();
  r.SetText(i.Idioma, s.Idioma());
  i.TvlCentral = s.TvlCentral();
  i.TIncremento = s.TIncremento();
  i.AutoPCaptura = s.AutoPCaptura();
  i.DelayAutoPCaptura = s.DelayAutoPCaptura();
  i.TipoCalibrador = s.TipoCalibrador();
  i.ExibeGrade = s.ExibeGrade();
  i.ExibeCeratometriaPontual = s.ExibeCeratometriaPontual();
  r.SetText(i.CorCeratometriaPontual, s.CorCeratometriaPontual());
}

}  // namespace zv
