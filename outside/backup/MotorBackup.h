// The backup engine: copies exam and report files to the backup medium and back.
//
// The medium is a directory standing for the removable disk.  Its layout:
//   Exames/<patient>/<exam>a.txt ...   the exam files, relative names as the host lists them
//   Laudos/<patient>/<report>l.txt     the report files
//   Backups.txt                        one line per backup made on this medium:
//                                      "number;dd/MM/yyyy HH:mm:ss;exams;reports;files"
// Every copy goes through a temporary file and a rename, keeps the source's modification time
// and is read back and compared before its item is marked.  The medium accumulates the
// increments, so restoring brings back every file it holds.
//
// The engine's settings and counters live in section BACKUP of "BackUp.ini" beside the module:
//   DirMidia      the medium directory (default "Backup" beside the module; relative to it)
//   CapacidadeKB  the medium's capacity in kilobytes (0: only the file system's free space)
//   DiscoAtual    the medium's number (kept by the host), used in the marks and the label
// and the counters it maintains: UltBkp, UltDsk, ArquivoAtual, NumArquivos, NumArquivosLau,
// NumExamDisco, NumLauDisco, ArquivosGeral, NumExamGeral.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "DateFormat.h"

namespace backup {

// The medium's drive letter reported to the host: always "Z".
inline constexpr char kLetraMidia = 'Z';
// The date the reset of the backup writes as the last backup, also used when none was made.
inline constexpr char kSemBackup[] = "01/01/2007 00:00:00";

struct Configuracao {
  std::string arquivoIni;  // BackUp.ini beside the module
  std::string dirMidia;
  uint64_t capacidadeBytes = 0;  // 0: no limit of its own
  int disco = 0;                 // DiscoAtual, 0..9999
};

// Reads the settings of BackUp.ini in `dirModulo`; missing keys take their defaults.
Configuracao LeConfiguracao(const std::string& dirModulo);

// The mark of the items of a backup: the medium's number, "/" and the backup's number,
// "0001/00012", ten characters.
std::string Marca(int disco, int numeroBackup);

struct ResultadoBackup {
  int numero = 0;  // the backup's number on the medium, 0 when nothing copied
  std::vector<std::string> marcasExames;  // one per exam of the list, empty when not copied
  std::vector<std::string> marcasLaudos;  // one per report
  int itensCopiados = 0;
  int itensFalhos = 0;
  std::string primeiraFalha;  // what went wrong first, for the operator
};

// Copies the listed files (names relative to their directories, "\" or "/" between parts) to
// the medium.  The exam list holds the files of each exam on consecutive lines (the names that
// differ only in the letter before ".txt"); each report has one line.  An item is marked when
// at least one of its files exists and every existing file was copied and checked.  Throws
// zv::IoError when the medium is not there.
ResultadoBackup CriaBackup(const Configuracao& config, const std::vector<std::string>& exames,
                           const std::vector<std::string>& laudos, const std::string& dirExames,
                           const std::string& dirLaudos, const zv::DateTime& agora);

// The exam list grouped into items: consecutive names with the same stem form one exam.
std::vector<std::vector<std::string>> AgrupaExames(const std::vector<std::string>& nomes);

struct ResultadoRestauracao {
  int restaurados = 0;  // files copied back
  int mantidos = 0;     // files left as they were: same content or newer on the workstation
  int falhas = 0;
  std::string primeiraFalha;
};

// Copies every exam and report file of the medium back, never over a file of the workstation
// that is newer than the medium's copy.  Throws zv::IoError when the medium is not there or
// holds no backup.
ResultadoRestauracao RestauraBackup(const Configuracao& config, const std::string& dirExames,
                                    const std::string& dirLaudos);

// The description of the medium and of its last backup, seven lines.  Line 2 names the medium
// directory after "Diretório do meio: "; line 6 holds the date and time of the last backup
// from character 26 ("dd/MM/yyyy HH:mm:ss"), which the workstation's reminder reads.
std::vector<std::string> Descricao(const Configuracao& config);

}  // namespace backup
