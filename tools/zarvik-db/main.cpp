// zarvik-db: database chores of the workstation from the command line.
//   zarvik-db create PATH/DATABASE.GDB   a new database with the schema and the phrase
//                                        catalogue; an existing file is never overwritten.
//   zarvik-db user HOST:/PATH/DATABASE.GDB [--password-file FILE]
//                                        creates the workstations' server user (or gives it a
//                                        new password) and grants it the host's rights there;
//                                        the password comes from FILE (mode 0600) or the first
//                                        line of standard input, never from the command line.
//   zarvik-db grant HOST:/PATH/DATABASE.GDB
//                                        grants the workstations' user the host's rights on
//                                        one more database of the server.
// PATH may also be "host:/path" to have a Firebird server create it.  The server's
// administrator login comes from ZV_DB_USER and ZV_DB_PASSWORD (default sysdba and the
// workstation's second password).
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>

#include "DatabaseFile.h"
#include "ServerLogin.h"
#include "ServerUsers.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "uso: zarvik-db create CAMINHO/DATABASE.GDB\n"
               "     zarvik-db user SERVIDOR:/CAMINHO/DATABASE.GDB [--password-file ARQUIVO]\n"
               "     zarvik-db grant SERVIDOR:/CAMINHO/DATABASE.GDB\n");
  return 2;
}

std::string FromEnv(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value && *value ? value : fallback;
}

zv::data::AdminLogin Admin() {
  return {FromEnv("ZV_DB_USER", "sysdba"), FromEnv("ZV_DB_PASSWORD", "lanternox")};
}

// The first line of standard input; typed at a terminal, without echo.
std::string PasswordFromStdin() {
  const bool terminal = isatty(STDIN_FILENO);
  termios saved{};
  if (terminal) {
    std::fprintf(stderr, "Senha do usuário %s: ", zv::data::kServerUser);
    tcgetattr(STDIN_FILENO, &saved);
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
  }
  std::string line;
  std::getline(std::cin, line);
  if (terminal) {
    tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    std::fprintf(stderr, "\n");
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.empty()) throw std::runtime_error("nenhuma senha na entrada padrão.");
  return line;
}

void RequireServer(const std::string& database) {
  if (zv::data::IsLocalDatabaseName(database))
    throw std::runtime_error("o banco de dados precisa estar num servidor (SERVIDOR:/caminho): " +
                             database);
}

int Run(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  const std::string database = argv[2];
  if (command == "create" && argc == 3) {
    const zv::data::AdminLogin admin = Admin();
    zv::data::CreateDatabase(database, admin.user, admin.password);
    std::printf("Banco de dados criado: %s\n", database.c_str());
  } else if (command == "user" &&
             (argc == 3 || (argc == 5 && !std::strcmp(argv[3], "--password-file")))) {
    RequireServer(database);
    const std::string password =
        argc == 5 ? zv::data::ReadPasswordFile(argv[4]) : PasswordFromStdin();
    zv::data::SetServerUser(database, Admin(), zv::data::kServerUser, password);
    zv::data::GrantHostRights(database, Admin(), zv::data::kServerUser);
    std::printf("Usuário %s pronto em %s\n", zv::data::kServerUser, database.c_str());
  } else if (command == "grant" && argc == 3) {
    RequireServer(database);
    zv::data::GrantHostRights(database, Admin(), zv::data::kServerUser);
    std::printf("Permissões de %s concedidas em %s\n", zv::data::kServerUser, database.c_str());
  } else {
    return Usage();
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zarvik-db: %s\n", e.what());
    return 1;
  }
}
