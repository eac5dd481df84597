// A workstation installation in a temporary directory, as the start-up meets it: the settings
// file with every path inside the installation, the main window's pictures, the directories,
// and on demand the database and the modules.
#pragma once
#include <string>
#include <vector>

#include "TestPaths.h"

namespace zv::test {

class Installation {
 public:
  Installation();
  const std::string& Root() const { return dir_.path(); }
  std::string operator/(const std::string& name) const { return dir_ / name; }
  // Where no settings file is ever looked for.
  std::string NoFixedLocation() const { return dir_ / "sem-local-fixo"; }

  // A fresh DATABASE.GDB in the database directory.
  void CreateDatabase();
  // Processamento.so and Captura.so answering their probes; in Mapas/ two map modules and a
  // file with the module suffix that is no library.
  void InstallModules();
  // Replaces one key's line of the settings file.
  void SetSetting(const std::string& key, const std::string& value);
  void AppendLines(const std::vector<std::string>& lines);

 private:
  TempDir dir_;
};

}  // namespace zv::test
