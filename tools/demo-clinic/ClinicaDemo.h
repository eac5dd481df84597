// The demo clinic: two doctors, six patients and their exams of the past months, stored through
// the same access classes and exam save as the registration forms and the new-exam window.
#pragma once
#include <string>

#include "DateFormat.h"
#include "UfrmDataModule.h"

namespace zv::demo {

// The installation the clinic goes into.
struct DestinoClinica {
  std::string dirExames;  // the exam files' root
  std::string coef;       // the 32-ring coefficient file of the installation
  std::string tipoCone;   // the device's cone type, stored with each exam
  int qualidadeJpeg = 90;
  DateTime hoje;  // exam dates count back from this day
};

// Registers the doctors and the patients and stores every exam.  A database that already holds
// a patient is the operator's and is left alone: returns false and changes nothing.  Throws
// the error that stopped a registration or a save.
bool PreencheClinica(data::TDMPrincipal& dm, const DestinoClinica& destino);

}  // namespace zv::demo
