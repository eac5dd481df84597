#include "UDMedicos.h"

#include "QueryHelpers.h"

namespace zv::data {
namespace {

void BindDoctor(fb::Dataset& q, const DadosMedico& m) {
  q.SetParam("Nome", m.nome);
  q.SetParam("Rg", m.rg);
  q.SetParam("CPF", m.cpf);
  q.SetParam("Crm", m.crm);
  q.SetParam("Sexo", m.sexo);
  q.SetParam("EstadoCivil", m.estadoCivil);
  q.SetParam("Conjuge", m.conjuge);
  q.SetParam("DataNascimento", m.dataNascimento);
  q.SetParam("Naturalidade", m.naturalidade);
  q.SetParam("NaturalidadeEstado", m.naturalidadeEstado);
  q.SetParam("Pai", m.pai);
  q.SetParam("Mae", m.mae);
  q.SetParam("Rua", m.rua);
  q.SetParam("Complemento", m.complemento);
  q.SetParam("Bairro", m.bairro);
  q.SetParam("Cidade", m.cidade);
  q.SetParam("Estado", m.estado);
  q.SetParam("Cep", m.cep);
  q.SetParam("Fone", m.fone);
  q.SetParam("Celular", m.celular);
}

}  // namespace

void TDMedicos::InsereMedico(const DadosMedico& m) {
  auto& q = dm_.Operation(
      "Execute Procedure InsertMedicos :Nome,:Rg,:CPF,:Crm,:Sexo,:EstadoCivil,:Conjuge,"
      ":DataNascimento,:Naturalidade,:NaturalidadeEstado,:Pai,:Mae,:Rua,:Complemento,:Bairro,"
      ":Cidade,:Estado,:Cep,:Fone,:Celular");
  BindDoctor(q, m);
  q.ExecSQL();
  dm_.PCommitDataBase();
}

void TDMedicos::AtualizaMedico(int codigo, const DadosMedico& m) {
  auto& q = dm_.Operation(
      "Execute Procedure UpdateMedicosByCodigo :Codigo,:Nome,:Rg,:CPF,:Crm,:Sexo,:EstadoCivil,"
      ":Conjuge,:DataNascimento,:Naturalidade,:NaturalidadeEstado,:Pai,:Mae,:Rua,:Complemento,"
      ":Bairro,:Cidade,:Estado,:Cep,:Fone,:Celular");
  q.SetParam("Codigo", codigo);
  BindDoctor(q, m);
  q.ExecSQL();
  dm_.PCommitDataBase();
}

void TDMedicos::ExcluiMedico(int codigo) {
  auto& q = dm_.Operation("Execute Procedure DeleteMedicosByCodigo :Codigo");
  q.SetParam("Codigo", codigo);
  q.ExecSQL();
  dm_.PCommitDataBase();
}

std::string TDMedicos::NomeDoMedico(int codigo) {
  auto& q = dm_.Operation("SELECT Nome FROM Medicos WHERE Medicos.Codigo=:Codigo");
  q.SetParam("Codigo", codigo);
  return FirstRowText(q, "Nome");
}

int TDMedicos::CodigoDoMedico(const std::string& nome) {
  auto& q = dm_.Operation("SELECT Codigo FROM Medicos WHERE Medicos.Nome=:NomeMedico");
  q.SetParam("NomeMedico", nome);
  return FirstRowInt(q, "Codigo");
}

int TDMedicos::ContaMedicos() {
  return FirstRowInt(dm_.Operation("SELECT COUNT(*) FROM Medicos"), "COUNT");
}

int TDMedicos::IndiceMedicos() {
  return FirstRowInt(dm_.Operation("SELECT FIRST(1) GEN_ID(Codigo_Medicos, 0) FROM Medicos"),
                     "GEN_ID");
}

void TDMedicos::AbreMedicos(bool aberto) {
  if (aberto)
    dm_.IBMedicos.Open();
  else
    dm_.IBMedicos.Close();
}

}  // namespace zv::data
