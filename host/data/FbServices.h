// Firebird's own backup and restore services, run in the engine through the services API: a
// database that is open elsewhere is copied consistently, and a restore builds a new file.
// Both work on the embedded engine and through a server ("host:/path" names).
#pragma once
#include <string>
#include <vector>

namespace zv::fb {

// A connection name split into its server ("" for the embedded engine) and its path.
struct NomeBanco {
  std::string servidor;
  std::string caminho;
};
NomeBanco DivideNome(const std::string& nome);

struct Credenciais {
  std::string usuario;
  std::string senha;
};

// Writes a backup of the database `nome` into `arquivoBackup` (a path as the engine that runs
// the service sees it).  Returns the service's report lines; raises DatabaseError with the
// engine's text when the backup fails.
std::vector<std::string> BackupBanco(const std::string& nome, const std::string& arquivoBackup,
                                     const Credenciais& login);

// Restores `arquivoBackup` into the new database `novoBanco`, which must not exist (the
// service refuses to overwrite).  Raises DatabaseError when the restore fails.
std::vector<std::string> RestauraBanco(const std::string& arquivoBackup,
                                       const std::string& novoBanco, const Credenciais& login);

}  // namespace zv::fb
