// The field boxes of the patient and doctor forms: which column each shows, how long it may
// be, and the fixed choice lists; plus the search patterns of the registration windows.
#pragma once
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "FbDatabase.h"
#include "FormView.h"
#include "UDMedicos.h"
#include "UDPacientes.h"

namespace zv::exam {

// One edit or drop-down box: component name, table column, column length in characters.
struct CampoCadastro {
  const char* controle;
  const char* coluna;
  int tamanho;
};

extern const std::vector<CampoCadastro> kCamposPaciente;
extern const std::vector<CampoCadastro> kCamposMedico;

// The 27 state codes of the birth-state lists (and of both patient lists).
const std::vector<std::string>& EstadosNaturalidade();
// The doctors' residence-state list: an empty entry, then the codes without "AC".
const std::vector<std::string>& EstadosResidenciaMedico();
const std::vector<std::string>& TiposSanguineos();

// The two radio groups: a radio button per choice, and the code each stores.
struct Escolha {
  const char* controle;
  const char* codigo;
};
extern const std::vector<Escolha> kSexos;         // Masculino M, Feminino F
extern const std::vector<Escolha> kEstadosCivis;  // Casado(a) C, Solteiro(a) S, Divorciado(a) D
// Checks the button whose code is `codigo` (none when no code matches).
void MarcaEscolha(FormView& view, const std::vector<Escolha>& escolhas, const std::string& codigo);
// The code of the checked button; empty when none is checked.
std::string CodigoEscolhido(const FormView& view, const std::vector<Escolha>& escolhas);

// A text cut to `tamanho` characters (UTF-8 aware), so that no box ever asks the database to
// store more than its column holds.
std::string Corta(std::string_view texto, int tamanho);

// One row of a table as texts, by upper-case column name.
using Registro = std::map<std::string, std::string>;
// Every row of a query, from its first.
std::vector<Registro> LeRegistros(fb::Dataset& q);

// Shows every box of `campos` from `linha` (all empty when there is none).
void MostraCampos(FormView& view, const std::vector<CampoCadastro>& campos, const Registro* linha);
void HabilitaCampos(FormView& view, const std::vector<CampoCadastro>& campos, bool editavel);
// The text of a box, cut to its column's length.
std::string TextoCampo(const FormView& view, const std::vector<CampoCadastro>& campos,
                       std::string_view controle);

data::DadosPaciente LePaciente(const FormView& view);
data::DadosMedico LeMedico(const FormView& view);

// LIKE pattern of a typed text with its own % _ and \ taken literally (escape character \).
std::string PadraoLike(std::string_view texto);

}  // namespace zv::exam
