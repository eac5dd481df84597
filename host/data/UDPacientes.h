// Reads and writes of the patients (PACIENTES); every write commits.
#pragma once
#include <string>

#include "DateFormat.h"
#include "UfrmDataModule.h"

namespace zv::data {

// The twenty-two texts of a patient, in the order of the stored procedures.
struct DadosPaciente {
  std::string nome{}, rg{}, cpf{}, sexo{}, estadoCivil{}, conjuge{}, dataNascimento{},
      naturalidade{}, naturalidadeEstado{}, pai{}, mae{}, rua{}, complemento{}, bairro{}, cidade{},
      estado{}, cep{}, fone{}, celular{}, convenio{}, profissao{}, tipoSang{};
};

class TDPacientes {
 public:
  explicit TDPacientes(TDMPrincipal& dm) : dm_(dm) {}
  void InserePaciente(const DadosPaciente& p, const DateTime& dtCadastro, int totalExames);
  void AtualizaPaciente(int codigo, const DadosPaciente& p);
  void ExcluiPaciente(int codigo);
  std::string NomeDoPaciente(int codigo);
  int CodigoDoPaciente(const std::string& nome);  // 0 when none
  void AtualizaExamesPaciente(int codigo, const std::string& ultimoExame, int totalExames);
  int ContaPacientes();
  int IndicePacientes();
  int ContaPacientesSemExame();
  int TotalExamesDoPaciente(int codigo);

 private:
  TDMPrincipal& dm_;
};

}  // namespace zv::data
