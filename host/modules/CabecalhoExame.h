// The exam-header list (CabecalhoExame): the patient and exam lines handed to every map module,
// one list per exam, saved with CR LF into a memory stream.  Map modules read the lines by
// index, so each layout below keeps its lines exactly in place.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "DateFormat.h"

namespace zv {

// A stored exam as the exam browser reads it from the database.
struct ExameArmazenado {
  std::string nomePaciente;    // PACIENTES.Nome
  int codigoPaciente = 0;      // PACIENTES.Codigo
  std::string rg;              // PACIENTES.RG
  std::string olho;            // EXAMES.Olho: "OD" is the right eye
  std::string data, hora;      // EXAMES.Data and EXAMES.Hora as text
  std::string medico;          // MEDICOS.Nome of the exam
  int codigoExame = 0;         // EXAMES.Codigo
  double indiceConfianca = 0;  // EXAMES.IndConf, percent
};

// The exam being made in the new-exam window, before it has a code.
struct NovoExame {
  std::string nomePaciente;
  int codigoPaciente = 0;
  std::string rg;
  int olho = 0;  // 0 left eye, any other value right eye
  DateTime quando;
  std::string medico;         // the doctor chosen in the window
  std::string dirBancoDados;  // TPathsZV.DirBancoDados
};

// "Olho Direito" or "Olho Esquerdo".
std::string TextoOlho(bool direito);

// Single map of a stored exam (9 lines): ..., exam code "0000", confidence index rounded.
std::vector<std::string> CabecalhoMapaSimples(const ExameArmazenado& exame);
// Multi map of stored exams, one per exam (8 lines): plain patient code, confidence index as
// text in line 7.
std::vector<std::string> CabecalhoMultiMapa(const ExameArmazenado& exame);
// An example exam of the browser's examples mode (7 lines).
std::vector<std::string> CabecalhoExemplo(const std::string& nomeExemplo);
// Single map in the new-exam workflow (12 lines): "0" for the exam code, then the rounded
// confidence index, the database directory, the index again and the directory again.
std::vector<std::string> CabecalhoNovoExame(const NovoExame& exame, double indiceConfianca);
// The four orthokeratology images of a new exam (9 lines each): line 7 is the image's own
// rounded confidence index, line 8 the database directory.
std::array<std::vector<std::string>, 4> CabecalhosNovoExameOrto(
    const NovoExame& exame, const std::array<double, 4>& indicesConfianca);

}  // namespace zv
