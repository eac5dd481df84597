#include "UDPacientes.h"

#include "QueryHelpers.h"

namespace zv::data {
namespace {

void BindPatient(fb::Dataset& q, const DadosPaciente& p) {
  q.SetParam("Nome", p.nome);
  q.SetParam("Rg", p.rg);
  q.SetParam("CPF", p.cpf);
  q.SetParam("Sexo", p.sexo);
  q.SetParam("EstadoCivil", p.estadoCivil);
  q.SetParam("Conjuge", p.conjuge);
  q.SetParam("DataNascimento", p.dataNascimento);
  q.SetParam("Naturalidade", p.naturalidade);
  q.SetParam("NaturalidadeEstado", p.naturalidadeEstado);
  q.SetParam("Pai", p.pai);
  q.SetParam("Mae", p.mae);
  q.SetParam("Rua", p.rua);
  q.SetParam("Complemento", p.complemento);
  q.SetParam("Bairro", p.bairro);
  q.SetParam("Cidade", p.cidade);
  q.SetParam("Estado", p.estado);
  q.SetParam("Cep", p.cep);
  q.SetParam("Fone", p.fone);
  q.SetParam("Celular", p.celular);
  q.SetParam("Convenio", p.convenio);
  q.SetParam("Profissao", p.profissao);
  q.SetParam("TipoSang", p.tipoSang);
}

}  // namespace

void TDPacientes::InserePaciente(const DadosPaciente& p, const DateTime& dtCadastro,
                                 int totalExames) {
  auto& q = dm_.Operation(
      "Execute Procedure InsertPacientes :Nome,:Rg,:CPF,:Sexo,:EstadoCivil,:Conjuge,"
      ":DataNascimento,:Naturalidade,:NaturalidadeEstado,:Pai,:Mae,:Rua,:Complemento,:Bairro,"
      ":Cidade,:Estado,:Cep,:Fone,:Celular,:Convenio,:Profissao,:TipoSang,:DtCadastro,"
      ":TotalExames");
  BindPatient(q, p);
  q.SetParam("DtCadastro", fb::SqlDate{dtCadastro});
  q.SetParam("TotalExames", totalExames);
  q.ExecSQL();
  dm_.PCommitDataBase();
}

void TDPacientes::AtualizaPaciente(int codigo, const DadosPaciente& p) {
  auto& q = dm_.Operation(
      "Execute Procedure UpdatePacientesByCodigo :Codigo,:Nome,:Rg,:CPF,:Sexo,:EstadoCivil,"
      ":Conjuge,:DataNascimento,:Naturalidade,:NaturalidadeEstado,:Pai,:Mae,:Rua,:Complemento,"
      ":Bairro,:Cidade,:Estado,:Cep,:Fone,:Celular,:Convenio,:Profissao,:TipoSang");
  q.SetParam("Codigo", codigo);
  BindPatient(q, p);
  q.ExecSQL();
  dm_.PCommitDataBase();
}

void TDPacientes::ExcluiPaciente(int codigo) {
  auto& q = dm_.Operation("Execute Procedure DeletePacientesByCodigo :Codigo");
  q.SetParam("Codigo", codigo);
  q.ExecSQL();
  dm_.PCommitDataBase();
}

std::string TDPacientes::NomeDoPaciente(int codigo) {
  auto& q = dm_.Operation("SELECT Nome FROM Pacientes WHERE Pacientes.Codigo = :Codigo");
  q.SetParam("Codigo", codigo);
  return FirstRowText(q, "Nome");
}

int TDPacientes::CodigoDoPaciente(const std::string& nome) {
  auto& q = dm_.Operation("SELECT * FROM Pacientes WHERE Pacientes.Nome = :NomePac");
  q.SetParam("NomePac", nome);
  return FirstRowInt(q, "Codigo");
}

void TDPacientes::AtualizaExamesPaciente(int codigo, const std::string& ultimoExame,
                                         int totalExames) {
  auto& q = dm_.Operation(
      "Execute Procedure UpdateExamesPacientesByCodigo :Codigo,:UltimoExame,:TotalExames");
  q.SetParam("Codigo", codigo);
  q.SetParam("UltimoExame", ultimoExame);
  q.SetParam("TotalExames", totalExames);
  q.ExecSQL();
  dm_.PCommitDataBase();
}

int TDPacientes::ContaPacientes() {
  return FirstRowInt(dm_.Operation("SELECT COUNT(*) FROM Pacientes"), "COUNT");
}

int TDPacientes::IndicePacientes() {
  return FirstRowInt(dm_.Operation("SELECT FIRST(1) GEN_ID(Codigo_Pacientes, 0) FROM Pacientes"),
                     "GEN_ID");
}

int TDPacientes::ContaPacientesSemExame() {
  auto& q =
      dm_.Operation("SELECT COUNT(*) FROM Pacientes WHERE Pacientes.TotalExames=:TotalExames");
  q.SetParam("TotalExames", 0);
  return FirstRowInt(q, "COUNT");
}

int TDPacientes::TotalExamesDoPaciente(int codigo) {
  auto& q = dm_.Operation("SELECT * FROM Pacientes WHERE Pacientes.Codigo = :Codigo");
  q.SetParam("Codigo", codigo);
  return FirstRowInt(q, "TotalExames");
}

}  // namespace zv::data
