// Storing new exams: the exam rows, their orthokeratology values, images and three files, and
// the patient's latest exam and count, each exam whole or not at all.
#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "DateFormat.h"
#include "UfrmDataModule.h"

namespace zv::exam {

// What every exam of one save shares.
struct DadosGravacao {
  int codPaciente = 0;
  std::string medico;  // the doctor's name as chosen in the window
  std::string olho;    // "OD" or "OS"
  std::string diagnostico, observacoes;
  int numAneis = 16;
  std::string tipoCone;
  std::string tipoExame = "T";  // "T" standard, "O" orthokeratology
  std::string dirExames;        // where gravaArquivos writes; cleaned up after a failure
  std::function<DateTime()> agora = DateTime::Now;  // the moment stored with each exam
};

// One exam of the save.
struct ExameGravar {
  double indiceConfianca = 0;
  // Writes the exam's three files for its new code; throws when they cannot be written.
  std::function<void(int codigoExame)> gravaArquivos;
  // Orthokeratology values (DIV, R0, SAG), stored rounded to four decimals.
  std::optional<std::array<double, 3>> valoresOrto;
  // Central and lateral JPEG images, when the exam keeps its images.
  std::optional<std::pair<std::string, std::string>> imagens;
};

struct ResultadoGravacao {
  std::vector<int> codigos;     // the new exams' codes, in order
  bool imagensGravadas = true;  // false when the images could not be stored
  DateTime ultimo;              // moment of the last exam
};

// What the orthokeratology processing module hands back as text: the pixel and dioptre tables
// of the four images (360 lines each, images in order), four value lines per image (SAG, DIV,
// R0, spare) and the four confidence indices.
struct ResultadoOrto {
  std::vector<std::string> pixels, dioptrias, valores;
  std::array<double, 4> indices{};
};

// The four exams of an orthokeratology save: each image's DIV, R0 and SAG, its confidence index
// and its own 360-line blocks as files.  `resultado` must outlive the save.  Throws IoError when
// the values are incomplete.
std::vector<ExameGravar> ExamesOrto(const DadosGravacao& dados, const ResultadoOrto& resultado);

// Stores the exams of `exames` in one transaction: each row with its own three files (found by
// its own code, never by another workstation's row of the same second), the patient's count
// raised by the number of exams under a row lock, so two workstations never lose a count.
// Anything that fails leaves no row and no file of this save; a lock held by another
// workstation is waited for and the save repeated.  `pausa` runs between two exams.
// Throws the error that stopped the save.
ResultadoGravacao GravaExames(data::TDMPrincipal& dm, const DadosGravacao& dados,
                              const std::vector<ExameGravar>& exames,
                              const std::function<void()>& pausa = {});

// The files of the exam `codigo` of `paciente` under `dirExames`, for clean-up after a failure.
void RemoveArquivosExame(const std::string& dirExames, int paciente, int codigo);

// "OD 05/03/2024 10:20:30": the patient's latest-exam text.
std::string TextoUltimoExame(const std::string& olho, const DateTime& quando);

}  // namespace zv::exam
