// Where the windows the browser opens but does not own plug in: the new-exam assistant, the
// patient registration and the report wizard.  Each window's unit sets its hook once; until
// then the browser tells the operator that the window is not available.
#pragma once
#include <functional>

#include "NavegadorExames.h"

namespace zv::browser {

class TfrmExames;

// Each hook gets the browser that opened the window, to read its doctor filter and to select
// the patient the window saved.
struct GanchosNavegador {
  // New exam for the patient; `orto` for the orthokeratology exam.  Returns after the window.
  std::function<void(TfrmExames& navegador, int codPaciente, bool orto)> novoExame;
  // Registration of a new patient, or editing of the patient.
  std::function<void(TfrmExames& navegador)> cadastraPaciente;
  std::function<void(int codPaciente)> alteraPaciente;
  // Report wizard for the browser's patient, doctor and exams.
  std::function<void(NavegadorExames& navegador)> laudo;
};

// The process-wide hooks, set by the units that own those windows.
GanchosNavegador& Ganchos();

}  // namespace zv::browser
