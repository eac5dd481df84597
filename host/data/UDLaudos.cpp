#include "UDLaudos.h"

#include <vector>

#include "NumberFormat.h"
#include "QueryHelpers.h"

namespace zv::data {
namespace {

// The statement for the eye: `select` followed by the column of that eye's exam.
std::string ForEye(const std::string& select, const std::string& olho) {
  if (olho == "OS" || olho == "Esquerdo") return select + "MedidaOS=:CodigoExame";
  if (olho == "OD" || olho == "Direito") return select + "MedidaOD=:CodigoExame";
  return {};
}

}  // namespace

int TDLaudos::InsereLaudo(int codPaciente, int medidaOD, int medidaOS, const std::string& backup,
                          const DateTime& data, const DateTime& hora) {
  auto& q = dm_.Operation(
      "Execute Procedure InsertLaudos :CodPaciente,:MedidaOD,:MedidaOS,:Backup,:Data,:Hora");
  q.SetParam("CodPaciente", codPaciente);
  q.SetParam("MedidaOD", medidaOD);
  q.SetParam("MedidaOS", medidaOS);
  q.SetParam("Backup", backup);
  q.SetParam("Data", fb::SqlDate{data});
  q.SetParam("Hora", fb::SqlTime{hora});
  q.ExecSQL();
  int codigo = 0;
  if (q.HasField("Codigo")) {
    codigo = static_cast<int>(q.FieldByName("Codigo").AsInteger());
  } else {
    // A database made before the procedure returned the code: the newest row with exactly
    // these values, looked up before the commit.
    auto& busca = dm_.Operation(
        "SELECT MAX(Codigo) AS Codigo FROM Laudos WHERE CodPaciente=:CodPaciente AND "
        "MedidaOD=:MedidaOD AND MedidaOS=:MedidaOS AND Data=:Data AND Hora=:Hora");
    busca.SetParam("CodPaciente", codPaciente);
    busca.SetParam("MedidaOD", medidaOD);
    busca.SetParam("MedidaOS", medidaOS);
    busca.SetParam("Data", fb::SqlDate{data});
    busca.SetParam("Hora", fb::SqlTime{hora});
    codigo = FirstRowInt(busca, "Codigo");
  }
  q.Close();
  dm_.PCommitDataBase();
  return codigo;
}

void TDLaudos::MarcaBackupLaudo(int codigo, const std::string& backup) {
  auto& q = dm_.Operation("Execute Procedure UpdateBackupLaudoByCodigo :Codigo,:Backup");
  q.SetParam("Codigo", codigo);
  q.SetParam("Backup", backup);
  q.ExecSQL();
}

bool TDLaudos::ZeraBackupLaudos() {
  try {
    dm_.Operation("Execute Procedure ZeraBackupLaudos").ExecSQL();
    return true;
  } catch (const fb::DatabaseError&) {
    return false;
  }
}

void TDLaudos::ExcluiLaudo(int codigo) {
  auto& q = dm_.Operation("Execute Procedure DeleteLaudosByCodigo :Codigo");
  q.SetParam("Codigo", codigo);
  q.ExecSQL();
  dm_.PCommitDataBase();
}

int TDLaudos::ContaLaudos() {
  return FirstRowInt(dm_.Operation("SELECT COUNT(*) FROM Laudos"), "COUNT");
}

int TDLaudos::IndiceLaudos() {
  return FirstRowInt(dm_.Operation("SELECT FIRST(1) GEN_ID(Codigo_Laudos, 0) FROM Laudos"),
                     "GEN_ID");
}

int TDLaudos::ContaLaudosSemBackup() {
  auto& q = dm_.Operation("SELECT COUNT(*) FROM Laudos WHERE Laudos.Backup=:Backup");
  q.SetParam("Backup", "");
  return FirstRowInt(q, "COUNT");
}

int TDLaudos::ContaLaudosDoExame(int codigoExame, const std::string& olho) {
  auto& q = dm_.Operation(ForEye("SELECT COUNT(*) FROM Laudos WHERE ", olho));
  q.SetParam("CodigoExame", codigoExame);
  return FirstRowInt(q, "COUNT");
}

void TDLaudos::ExcluiLaudosDoExame(int codigoExame, const std::string& olho) {
  auto& q = dm_.Operation(ForEye("SELECT Codigo FROM Laudos WHERE ", olho));
  q.SetParam("CodigoExame", codigoExame);
  q.Open();
  std::vector<std::string> codes;
  for (; !q.Eof(); q.Next()) codes.push_back(q.FieldByName("Codigo").AsString());
  q.Close();
  for (const std::string& code : codes) ExcluiLaudo(StrToInt(code));
}

}  // namespace zv::data
