// Export of one exam: the patient and exam lines, the exam's three files and the calibration
// files as one text list.  The ".exp" file scrambles each character with a one-byte key; the
// open export writes the same content as plain CSV for research use.
#pragma once
#include <string>
#include <vector>

namespace zv::browser {

// The one-byte key of the ".exp" scrambling.  Scrambling twice gives the text back.  Below
// 0x20 so that only control characters, which no exam or calibration text holds, scramble
// into CR or LF: the file's line ends stay unambiguous.
inline constexpr unsigned char kChaveExportacao = 0x1F;
// The longest line an ".exp" file holds; longer lines are cut before scrambling.
inline constexpr size_t kLinhaMaxima = 255;

struct DadosExportacao {
  std::string nomePaciente, codigoPaciente, rg, olho, data, hora, medico;
  std::string arquivoD, arquivoM, arquivoA;  // the exam's files
  std::string dirCalibracao;                 // holds 1.txt .. 4.txt and Coef.txt
};

// The seven header lines, then "#" and each source file's lines (d, m, a, 1..4, Coef).
// Throws IoError naming the first file that cannot be read.
std::vector<std::string> MontaListaExportacao(const DadosExportacao& dados);

// Each line cut to 255 bytes and each byte combined with the key; nothing else changes.
std::string EmbaralhaLinha(const std::string& linha);
// Writes the scrambled lines to `caminho` with CR LF.  Throws IoError.
void GravaExp(const std::string& caminho, const std::vector<std::string>& lista);
// Reads an ".exp" file back into its (cut) lines.
std::vector<std::string> LeExp(const std::string& caminho);

// The open export: a UTF-8 CSV whose rows are (section, line number, value columns...):
// section "cabecalho" holds the seven header lines, "d", "m", "a", "calibracao1".."4" and
// "coef" the files, one row per line with its values split at blanks.
std::string MontaCsv(const std::vector<std::string>& lista);

}  // namespace zv::browser
