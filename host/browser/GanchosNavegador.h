// Where the windows the browser opens but does not own plug in: the new-exam assistant, the
// patient registration and the report wizard.  Each window's unit sets its hook once; until
// then the browser tells the operator that the window is not available.
#pragma once
#include <functional>

#include "NavegadorExames.h"

namespace zv::browser {

struct GanchosNavegador {
  // New exam for the patient; `orto` for the orthokeratology exam.  Returns after the window.
  std::function<void(int codPaciente, bool orto)> novoExame;
  // Registration of a new patient, or editing of the patient.
  std::function<void()> cadastraPaciente;
  std::function<void(int codPaciente)> alteraPaciente;
  // Report wizard for the browser's patient, doctor and exams.
  std::function<void(NavegadorExames& navegador)> laudo;
};

// The process-wide hooks, set by the units that own those windows.
GanchosNavegador& Ganchos();

}  // namespace zv::browser
