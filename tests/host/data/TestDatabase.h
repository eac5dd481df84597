// A fresh database for one test.  By default the embedded engine opens it as a file; with
// ZV_FB_SERVER set (e.g. "127.0.0.1") the tests reach it through that server instead, whose
// SYSDBA password is ZV_FB_PASSWORD (default the workstation's second password); the data
// module then logs in as the server user, whose password ZARVIK_DB_PASSWORD gives.
#pragma once
#include <memory>
#include <string>

#include "ScriptedDialogs.h"
#include "TestPaths.h"
#include "UfrmDataModule.h"

namespace zv::test {

// The embedded engine keeps its lock files in FIREBIRD_LOCK, which must be writable and the
// same for every process that opens a file; unless set, one directory per user is used.
void PrepareLockDirectory();
bool ServerMode();
std::string ServerPassword();

class TestDatabase {
 public:
  TestDatabase();
  // The name the data module connects to: a path, or "host:path" in server mode.
  const std::string& Name() const { return name_; }
  std::string Dir() const { return dir_.path(); }

 private:
  TempDir dir_;
  std::string name_;
};

// A data module connected to a fresh database.
struct ConnectedModule {
  TestDatabase db;
  ScriptedDialogs dialogs;
  std::unique_ptr<data::TDMPrincipal> dm;
  ConnectedModule();
};

}  // namespace zv::test
