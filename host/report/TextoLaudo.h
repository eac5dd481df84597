// The text rules of a clinical report: numbered placeholders inside a box text, the
// mandatory positions, the generated eye sentence, the list item of a stored report and the
// report file read back.  No Qt, no database.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "DateFormat.h"
#include "UBConstantes.h"

namespace zv::laudo {

// Placeholder k of a box text is what lies between its (2k-1)-th and 2k-th "#": "#k#" empty,
// "#k-phrase#" filled.  Placeholders are found by counting "#", never by the number inside.
struct Marcador {
  int numero;  // k
  int abre;    // character index of the opening "#"
  int fecha;   // character index of the closing "#"
};

// Placeholders 1..maximo that have both their "#"; indices count characters (code points),
// as a text box counts them.
std::vector<Marcador> Marcadores(std::string_view texto, int maximo = 18);

// Placeholder k gets `frase` ("#k-frase#"), or becomes empty ("#k#") when the phrase is
// empty.  A text without a complete placeholder k comes back unchanged.
std::string PreencheMarcador(std::string_view texto, int k, std::string_view frase);

// Mandatory positions (2, 4, 5, 8, 10, 11) whose placeholder is empty or holds a phrase of at
// most 2 characters, each
// written as its number and a space ("4 10 "); empty when none is unfilled.  A position the
// text does not hold is not counted.
std::string ObrigatoriosVazios(std::string_view texto);

// The generated sentence of one eye from the single-map module's indices.
std::string FraseOlho(const TIndicesMapa& indices, bool tangencial);

// "Laudo 12 - 03/04/2025 10:20:30" and back to 12 (-1 when the item holds no code).
std::string ItemLaudo(int codigo, const DateTime& data, const DateTime& hora);
int CodigoDoItem(std::string_view item);

// The five boxes read from a report file: CE, OD, OS, CO and CM.  Each box is its lines
// joined, every line preceded by a space.  `completo` is false when a separator is missing
// or more sections than five are present.
struct ArquivoLaudo {
  std::array<std::string, 5> caixas;
  bool completo = true;
};
ArquivoLaudo LeArquivoLaudo(const std::vector<std::string>& linhas);

}  // namespace zv::laudo
