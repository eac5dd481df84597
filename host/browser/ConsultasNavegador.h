// The exam browser's reads and writes: patient lists by doctor filter and order, the exams of
// a patient, an exam found again from its caption, patient searches and the deletion of an
// exam or a patient.  Every typed text reaches the engine as a bound parameter, never as part
// of the statement.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "DateFormat.h"
#include "UfrmDataModule.h"

namespace zv::browser {

inline const std::string kFiltroSemExames = "*** Sem Exames";
inline const std::string kFiltroTodos = "*** Todos";

// One row of the patient grid.
struct PacienteLinha {
  int codigo = 0;
  std::string nome, rg, convenio, dtCadastro, ultimoExame;
  int totalExames = 0;
};

// One exam of the selected patient.
struct ExameLinha {
  int codigo = 0, codPaciente = 0, codResp = 0;
  DateTime data, hora;
  std::string olho, tipoExame, diag, observacao, tipoCone;
  double indConf = 0;
  int numAnel = 0;
  bool Orto() const { return tipoExame == "O"; }
};

// SAG, DIV and R0 of an orthokeratology exam.
struct ValoresOrtoExame {
  double sag = 0, div = 0, r0 = 0;
};

// eye + " - " + "dd/mm/yyyy" + " " + "HH:mm:ss", e.g. "OD - 10/01/2005 14:32:10".
std::string LegendaExame(const ExameLinha& exame);
// The eye, date and time of a caption; nothing when the caption does not hold them.
struct ChaveExame {
  std::string olho;
  DateTime data, hora;
};
std::optional<ChaveExame> LeLegendaExame(const std::string& legenda);

// Which patients the grid lists.
struct FiltroPacientes {
  enum class Tipo { Todos, SemExames, Medico } tipo = Tipo::Todos;
  int codigoMedico = 0;  // with Tipo::Medico
};

// The "Consultar por" choices of the search panel, in their radio-group order.
enum class TipoBusca {
  PrimeiroNome,
  ParteNome,
  CodigoPaciente,
  RgPaciente,
  CodigoExame,
  Diagnostico,
  Observacao
};

class ConsultasNavegador {
 public:
  explicit ConsultasNavegador(data::TDMPrincipal& dm) : dm_(dm) {}

  std::vector<std::string> NomesMedicos();
  bool HaPacientesSemExames();
  std::vector<PacienteLinha> Pacientes(const FiltroPacientes& filtro, bool porNome);
  std::optional<PacienteLinha> Paciente(int codigo);
  // Every exam of the patient, or only those of one doctor (codigoMedico > 0), in the
  // engine's order for the patient.
  std::vector<ExameLinha> Exames(int codPaciente, int codigoMedico);
  // The patient's exam with that caption's eye, date and time.
  std::optional<ExameLinha> SelecionaExame(int codPaciente, const std::string& legenda);
  ValoresOrtoExame ValoresOrto(int codExame);
  std::string NomeMedico(int codigo);
  int CodigoMedico(const std::string& nome);

  // Patients matching the typed text (code, name, identity document), by name.  "%" and "_"
  // typed by the operator match themselves, and quotes are plain characters.
  std::vector<PacienteLinha> Busca(TipoBusca tipo, const std::string& texto);

  // Deletes the exam with its images, orthokeratology row and the given reports in one
  // transaction, then brings the patient's last-exam text and count up to date.  On an engine
  // error nothing of it is committed and the error is raised again.
  void ExcluiExame(const ExameLinha& exame, const std::vector<int>& laudos);
  // The codes of the reports that quote the exam for its eye.
  std::vector<int> LaudosDoExame(const ExameLinha& exame);
  bool PacienteTemExames(int codPaciente);
  void ExcluiPaciente(int codPaciente);

 private:
  data::TDMPrincipal& dm_;
};

// Escapes "%", "_" and the escape character itself so a LIKE pattern built around the text
// matches it literally (escape character "\").
std::string EscapaLike(const std::string& texto);

}  // namespace zv::browser
