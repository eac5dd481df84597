// zarvik-db: database chores of the workstation from the command line.
//   zarvik-db create PATH/DATABASE.GDB   a new database with the schema and the phrase
//                                        catalogue; an existing file is never overwritten.
// PATH may also be "host:/path" to have a Firebird server create it (user and password from
// ZV_DB_USER and ZV_DB_PASSWORD, default sysdba and the workstation's second password).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "DatabaseFile.h"

namespace {

int Usage() {
  std::fprintf(stderr, "uso: zarvik-db create CAMINHO/DATABASE.GDB\n");
  return 2;
}

std::string FromEnv(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value && *value ? value : fallback;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || std::strcmp(argv[1], "create") != 0) return Usage();
  const std::string path = argv[2];
  try {
    zv::data::CreateDatabase(path, FromEnv("ZV_DB_USER", "sysdba"),
                             FromEnv("ZV_DB_PASSWORD", "lanternox"));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zarvik-db: %s\n", e.what());
    return 1;
  }
  std::printf("Banco de dados criado: %s\n", path.c_str());
  return 0;
}
