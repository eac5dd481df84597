// Rules of map launching from the exam browser that need no window: which exams a multi-map
// module is offered, how many of each eye it needs, and how a chosen line finds its exam again.
#pragma once
#include <optional>
#include <string>

namespace zv::browser {

// The multi-map modules the browser treats apart; any other file is Outro.
enum class ModuloMultiplo { Sennet, Quillon, Horvat, Kandor, Outro };
ModuloMultiplo ClassificaModulo(const std::string& arquivo);

// The wizard line of one exam for a module, from the exam type ("O" orthokeratology), the
// eye ("OD" right) and the caption from its 3rd character (" - dd/mm/yyyy HH:mm:ss").
struct Candidato {
  std::optional<std::string> linha;  // no line: the module is not offered this exam
  bool tipoIncorreto = false;        // "Outro" modules accept only types "O" and "T"
};
Candidato LinhaCandidata(ModuloMultiplo modulo, const std::string& tipoExame,
                         const std::string& olho, const std::string& resto);

// Whether r right-eye and l left-eye candidates are enough for the module.
bool MinimoAtendido(ModuloMultiplo modulo, int direitos, int esquerdos);

// A line the wizard chose, turned back into an exam caption: "Olho Direito - " becomes
// "OD - ", "Olho Esquerdo - " becomes "OS - " (a one-letter type prefix is dropped first);
// anything else gives the empty text.
std::string LegendaDaLinha(const std::string& linha);

}  // namespace zv::browser
