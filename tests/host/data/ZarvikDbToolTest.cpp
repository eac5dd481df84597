// The command-line tool that makes a new database.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zv::data
