// The examples of the exam browser's "Exemplos" page: six groups of 16-ring exams of model eyes,
// each group clinically what its name says, stored under the examples directory as the three
// files of an exam (an example named X is Xd.txt, Xm.txt and Xa.txt).
#pragma once
#include <string>
#include <vector>

#include "ModeloOlho.h"

namespace zv::demo {

inline constexpr int kAneisExemplos = 16;

struct Exemplo {
  std::string nome;  // "Central01" .. "Normal06", "Orto01" .. "Orto04"
  captura::ModeloOlho olho;
};

// Every example: items 01-04 of the first five groups are right eyes, 05-06 left eyes (their
// features mirrored left to right); the orthokeratology group is one eye's follow-up series.
std::vector<Exemplo> Exemplos();

// The examples of which `dirExemplos` does not hold all three files.
std::vector<Exemplo> ExemplosFaltando(const std::string& dirExemplos);

// Writes the three files of each of `exemplos` into `dirExemplos`, processed with the 16-ring
// coefficient file `coef16`.  Throws when an example cannot be processed or written.
void GravaExemplos(const std::string& dirExemplos, const std::vector<Exemplo>& exemplos,
                   const std::string& coef16);

}  // namespace zv::demo
