#include "TestDatabase.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "DatabaseFile.h"
#include "ServerLogin.h"
#include "ServerUsers.h"

namespace zv::test {
void PrepareLockDirectory() {
  if (std::getenv("FIREBIRD_LOCK")) return;
  const auto dir =
      std::filesystem::temp_directory_path() / ("zarvik-fb-lock-" + std::to_string(getuid()));
  std::filesystem::create_directories(dir);
  setenv("FIREBIRD_LOCK", dir.c_str(), 1);
}

bool ServerMode() {
  const char* server = std::getenv("ZV_FB_SERVER");
  return server && *server;
}

std::string ServerPassword() {
  const char* password = std::getenv("ZV_FB_PASSWORD");
  return password && *password ? password : "lanternox";
}

TestDatabase::TestDatabase() {
  PrepareLockDirectory();
  const std::string file = dir_ / "DATABASE.GDB";
  if (ServerMode()) {
    // The server runs as its own user: it must be able to write here.
    std::filesystem::permissions(dir_.path(), std::filesystem::perms::all);
    name_ = std::string(std::getenv("ZV_FB_SERVER")) + ":" + file;
  } else {
    name_ = file;
  }
  data::CreateDatabase(name_, "sysdba", ServerPassword());
  // The host logs in to a server as its own user, which needs its rights on each new database.
  if (ServerMode()) data::GrantHostRights(name_, {"sysdba", ServerPassword()}, data::kServerUser);
}

ConnectedModule::ConnectedModule() : dm(std::make_unique<data::TDMPrincipal>(dialogs)) {
  if (!dm->PSetDataBaseName(db.Name())) throw std::runtime_error("cannot connect to " + db.Name());
}

}  // namespace zv::test
