// Exam selection of the multi-map modules: the candidate lines the host lists, the rule each
// module applies (which exams, of which eye, how many), and the selection window's model, which
// addresses its controls by name.  The chosen lines go back without their type prefix, in the
// order of the window's lists, which is the order the module's maps take.
#pragma once
#include <string>
#include <vector>

#include "Dialogs.h"
#include "FormView.h"

namespace multimapas {

enum class ModuloMultiMapa { Comparativo = 0, Dual = 1, Diferencial = 2 };
enum class Olho { Direito, Esquerdo };

// One candidate line: for the differential module a one-letter exam type ("O" orthokeratology,
// "T" standard), then "Olho Direito" or "Olho Esquerdo", " - ", the date and the time.
struct Candidato {
  std::string linha;       // as received
  std::string semPrefixo;  // what the host reads back
  char tipo = 0;           // 'O', 'T', or 0 without a prefix
  Olho olho = Olho::Direito;
};

// The candidate of a line; false when the line is not in that form.
bool LeCandidato(const std::string& linha, bool comPrefixo, Candidato& candidato);

// Which exams a list of the window offers.
enum class Filtro { OlhoComExamesSuficientes, Direito, Esquerdo, MesmoOlhoDoPrimeiro };

struct Vaga {
  const char* rotulo;
  Filtro filtro;
  bool opcional;
};

struct RegraSelecao {
  const char* titulo;     // caption of the window
  const char* instrucao;  // what the operator is asked to choose
  std::vector<Vaga> vagas;
  int minimoPorOlho;  // exams of one eye needed (of each eye for the dual map)
  bool comPrefixo;    // candidate lines carry the exam-type letter
};

RegraSelecao RegraDe(ModuloMultiMapa modulo);

// Names of the controls of list i (1-based): "cmbExame<i>" and its label "lblExame<i>".
std::string NomeLista(int i);
std::string NomeRotulo(int i);
inline constexpr char kNenhum[] = "(nenhum)";
inline constexpr char kInsuficiente[] = "Número insuficiente de exames para gerar o mapa desejado.";

class TfrmSelecaoExames {
 public:
  TfrmSelecaoExames(zv::FormView& view, zv::Dialogs& dialogs, RegraSelecao regra)
      : view_(view), dialogs_(dialogs), regra_(std::move(regra)) {}

  // Input, set before FormShow.
  std::vector<std::string> Linhas;
  bool OrtoDisponivel = true;  // orthokeratology exams ("O") may be chosen

  // Fills the first lists; false (and nothing shown) when the candidates cannot satisfy the
  // rule, so the window must not open.
  bool FormShow();
  // A choice made in list i (1-based).
  void cmbExameChange(int i);
  void btnProcessarClick();
  void btnCancelarClick();

  bool Confirmado() const { return confirmado_; }
  // The chosen lines without prefix, and as they were received.
  const std::vector<std::string>& Selecionados() const { return selecionados_; }
  const std::vector<std::string>& Extra() const { return extra_; }

 private:
  // Candidates list i offers given the choices of the lists before it.
  std::vector<int> Ofertas(int i) const;
  // The candidate chosen in list i, or -1.
  int Escolhido(int i) const;
  void Preenche(int i);
  bool OlhoSuficiente(Olho olho) const;

  zv::FormView& view_;
  zv::Dialogs& dialogs_;
  RegraSelecao regra_;
  std::vector<Candidato> candidatos_;
  std::vector<std::vector<int>> ofertas_;  // per list: candidate index of each item
  std::vector<std::string> selecionados_, extra_;
  bool confirmado_ = false;
};

}  // namespace multimapas
