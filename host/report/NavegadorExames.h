// What the report windows need from the exam browser: its patient, the doctor of its filter,
// its exam list, and the selection of one exam.
#pragma once
#include <string>
#include <vector>

#include "UBConstantes.h"

namespace zv {

class NavegadorExames {
 public:
  virtual ~NavegadorExames() = default;
  virtual int CodigoPaciente() const = 0;
  virtual std::string NomePaciente() const = 0;
  // Text of the browser's doctor filter (a doctor's name).
  virtual std::string MedicoDoFiltro() const = 0;
  // Captions of the exam list in list order ("OD - 03/04/2025 10:20:30").
  virtual std::vector<std::string> LegendasExames() const = 0;
  // Selects the exam of that caption in the browser; its code, or -1 when it cannot.
  virtual int SelecionaLegenda(const std::string& legenda) = 0;
};

// Directories and settings the report windows read.
struct AmbienteLaudo {
  std::string dirExames, dirLaudos, dirMapas;
  std::string dirPrograma;  // where "LogoClinica.bmp" lies
  TInfosZV infos{};         // clinic texts, and what the map module is given
};

}  // namespace zv
