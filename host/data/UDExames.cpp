#include "UDExames.h"

#include "QueryHelpers.h"

namespace zv::data {

void TDExames::RunAndCommit(fb::Dataset& q) {
  q.ExecSQL();
  dm_.PCommitDataBase();
}

void TDExames::InsereExame(int codPaciente, int codResp, const DateTime& data, const DateTime& hora,
                           const std::string& olho, double indConf, const std::string& tipoExame,
                           const std::string& backup, const std::string& diag,
                           const std::string& observacao, int numAneis,
                           const std::string& tipoCone) {
  auto& q = dm_.Operation(
      "Execute Procedure InsertExames :CodPaciente,:CodResp,:Data,:Hora,:Olho,:IndConf,"
      ":TipoExame,:Backup,:Diag,:Observacao,:NumAneis,:TipoCone");
  q.SetParam("CodPaciente", codPaciente);
  q.SetParam("CodResp", codResp);
  q.SetParam("Data", fb::SqlDate{data});
  q.SetParam("Hora", fb::SqlTime{hora});
  q.SetParam("Olho", olho);
  q.SetParam("IndConf", indConf);
  q.SetParam("TipoExame", tipoExame);
  q.SetParam("Backup", backup);
  q.SetParam("Diag", diag);
  q.SetParam("Observacao", observacao);
  q.SetParam("NumAneis", numAneis);
  q.SetParam("TipoCone", tipoCone);
  RunAndCommit(q);
}

void TDExames::InsereExameOrto(int codExame, double div, double exc, double raio, double sag) {
  auto& q = dm_.Operation("Execute Procedure InsertExamesOrto :ECodExame,:EDiv,:EExc,:ERaio,:ESag");
  q.SetParam("ECodExame", codExame);
  q.SetParam("EDiv", div);
  q.SetParam("EExc", exc);
  q.SetParam("ERaio", raio);
  q.SetParam("ESag", sag);
  RunAndCommit(q);
}

void TDExames::MarcaBackupExame(int codigo, const std::string& backup) {
  auto& q = dm_.Operation("Execute Procedure UpdateBackupExameByCodigo :Codigo,:Backup");
  q.SetParam("Codigo", codigo);
  q.SetParam("Backup", backup);
  q.ExecSQL();
}

bool TDExames::ZeraBackupExames() {
  try {
    dm_.Operation("Execute Procedure ZeraBackupExames").ExecSQL();
    return true;
  } catch (const fb::DatabaseError&) {
    return false;
  }
}

void TDExames::AtualizaDiagnostico(int codigo, const std::string& diag) {
  auto& q = dm_.Operation("Execute Procedure UpdateDiagExameByCodigo :Codigo,:Diag");
  q.SetParam("Codigo", codigo);
  q.SetParam("Diag", diag);
  RunAndCommit(q);
}

void TDExames::AtualizaObservacao(int codigo, const std::string& obs) {
  auto& q = dm_.Operation("Execute Procedure UpdateObsExameByCodigo :Codigo,:Obs");
  q.SetParam("Codigo", codigo);
  q.SetParam("Obs", obs);
  RunAndCommit(q);
}

void TDExames::AtualizaTipoCone(int codigo, int cone) {
  auto& q = dm_.Operation("Execute Procedure UpdateTipoConeByCodigo :Codigo,:TipoCone");
  q.SetParam("Codigo", codigo);
  q.SetParam("TipoCone", std::to_string(cone));
  RunAndCommit(q);
}

void TDExames::ExcluiExame(int codigo) {
  auto& q = dm_.Operation("Execute Procedure DeleteExamesByCodigo :Codigo");
  q.SetParam("Codigo", codigo);
  RunAndCommit(q);
}

void TDExames::ExcluiExameOrto(int codExame) {
  auto& q = dm_.Operation("Execute Procedure DeleteExamesOrtoByCodigoExame :CodExame");
  q.SetParam("CodExame", codExame);
  RunAndCommit(q);
}

int TDExames::ResponsavelDoExame(int codigo) {
  auto& q = dm_.Operation("SELECT Exames.CodResp FROM Exames WHERE Exames.Codigo=:Codigo");
  q.SetParam("Codigo", codigo);
  return FirstRowInt(q, "CodResp");
}

int TDExames::ContaExames() {
  return FirstRowInt(dm_.Operation("SELECT COUNT(*) FROM Exames"), "COUNT");
}

int TDExames::ContaExamesDoMedico(int codMed) {
  auto& q = dm_.Operation("SELECT COUNT(*) FROM Exames WHERE Exames.CodResp=:CodMed");
  q.SetParam("CodMed", codMed);
  return FirstRowInt(q, "COUNT");
}

int TDExames::ContaExamesDoMedicoPaciente(int codMed, int codPac) {
  auto& q = dm_.Operation(
      "SELECT COUNT(*) FROM Exames WHERE Exames.CodResp=:CodMed AND Exames.CodPaciente=:CodPac");
  q.SetParam("CodMed", codMed);
  q.SetParam("CodPac", codPac);
  return FirstRowInt(q, "COUNT");
}

int TDExames::IndiceExames() {
  return FirstRowInt(dm_.Operation("SELECT FIRST(1) GEN_ID(Codigo_Exames, 0) FROM Exames"),
                     "GEN_ID");
}

int TDExames::ContaExamesSemBackup() {
  auto& q = dm_.Operation("SELECT COUNT(*) FROM Exames WHERE Exames.Backup=:Backup");
  q.SetParam("Backup", "");
  return FirstRowInt(q, "COUNT");
}

}  // namespace zv::data
