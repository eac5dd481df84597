// The command-line tool that makes a new database.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "DatabaseFile.h"
#include "TestDatabase.h"
#include "UDMedicos.h"

namespace zv::data {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(ZarvikDb, CreatesADatabaseOnceAndNeverOverwrites) {
  test::TempDir dir;
  test::PrepareLockDirectory();  // inherited by the tool
  const std::string file = dir / "DATABASE.GDB";
  const std::string tool = test::BinDir() + "/zarvik-db";
  ASSERT_EQ(std::system((tool + " create '" + file + "' >/dev/null").c_str()), 0);
  ASSERT_TRUE(std::filesystem::exists(file));

  const std::string before = ReadFile(file);
  EXPECT_NE(std::system((tool + " create '" + file + "' 2>/dev/null").c_str()), 0);
  EXPECT_THROW(CreateDatabase(file), std::runtime_error);
  EXPECT_EQ(ReadFile(file), before);
  EXPECT_NE(std::system((tool + " 2>/dev/null").c_str()), 0);  // usage

  // The new file holds the catalogue and works with the access classes.
  test::ScriptedDialogs dialogs;
  TDMPrincipal dm(dialogs);
  ASSERT_TRUE(dm.PSetDataBaseName(file));
  dm.IBLaudosTexto.Open();
  EXPECT_EQ(dm.IBLaudosTexto.RecordCount(), static_cast<int>(PhraseCatalogue().size()));
  TDMedicos(dm).InsereMedico({.nome = "Dr. Teste"});
  EXPECT_EQ(TDMedicos(dm).IndiceMedicos(), 1);
}

// Refusals that come before any server is reached (nothing answers on port 1).
TEST(ZarvikDb, UserPasswordNeverFromTheCommandLineNorFromAnExposedFile) {
  test::TempDir dir;
  const std::string tool = test::BinDir() + "/zarvik-db";
  const std::string server = "127.0.0.1/1:" + dir / "DATABASE.GDB";
  const std::string loose = dir / "solta";
  std::ofstream(loose) << "segredo\n";
  std::filesystem::permissions(
      loose, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  const struct {
    std::string arguments;
    int status;
    const char* says;
  } cases[] = {
      {"user '" + server + "' segredo", 2, "uso:"},
      {"user '" + server + "' --password segredo", 2, "uso:"},
      {"user '" + server + "' --password-file '" + loose + "'", 1, "pode ser lido por outros"},
      {"user '" + server + "' </dev/null", 1, "nenhuma senha"},
      {"user '" + dir / "DATABASE.GDB" + "' </dev/null", 1, "precisa estar num servidor"},
      {"grant '" + dir / "DATABASE.GDB" + "'", 1, "precisa estar num servidor"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const int status =
        std::system((tool + " " + c.arguments + " 2>'" + dir / "erro" + "'").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), c.status);
    EXPECT_NE(ReadFile(dir / "erro").find(c.says), std::string::npos) << ReadFile(dir / "erro");
  }
}

}  // namespace
}  // namespace zv::data
