// Reads and writes of the doctors (MEDICOS); every write commits.
#pragma once
#include <string>

#include "UfrmDataModule.h"

namespace zv::data {

// The twenty texts of a doctor, in the order of the stored procedures.
struct DadosMedico {
  std::string nome{}, rg{}, cpf{}, crm{}, sexo{}, estadoCivil{}, conjuge{}, dataNascimento{},
      naturalidade{}, naturalidadeEstado{}, pai{}, mae{}, rua{}, complemento{}, bairro{}, cidade{},
      estado{}, cep{}, fone{}, celular{};
};

class TDMedicos {
 public:
  explicit TDMedicos(TDMPrincipal& dm) : dm_(dm) {}
  void InsereMedico(const DadosMedico& m);
  void AtualizaMedico(int codigo, const DadosMedico& m);
  void ExcluiMedico(int codigo);
  std::string NomeDoMedico(int codigo);
  int CodigoDoMedico(const std::string& nome);  // 0 when none
  int ContaMedicos();
  int IndiceMedicos();  // the generator's current value; 0 while the table is empty
  void AbreMedicos(bool aberto);

 private:
  TDMPrincipal& dm_;
};

}  // namespace zv::data
