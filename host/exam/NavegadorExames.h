// What the registration and new-exam windows ask of the exam browser that opened them.
#pragma once
#include <string>

namespace zv::exam {

class NavegadorExames {
 public:
  virtual ~NavegadorExames() = default;
  // Reloads the browser's doctor box.
  virtual void RecarregaMedicos() = 0;
  // Selects the patient of `nome` with the doctor filter `filtroMedico` ("*** Todos",
  // "*** Sem Exames" or a doctor's name).
  virtual void SelecionaPaciente(const std::string& nome, const std::string& filtroMedico) = 0;
  // The text of the browser's doctor box and how many entries the box holds.
  virtual std::string MedicoAtual() const = 0;
  virtual int QuantidadeMedicos() const = 0;
};

}  // namespace zv::exam
