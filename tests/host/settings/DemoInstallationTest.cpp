// The demo installation laid out by tools/make-demo.sh: its settings load without a single
// message and name directories that exist.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ScriptedDialogs.h"
#include "TestPaths.h"
#include "TextFile.h"
#include "UBIniSettings.h"
#include "UBRecords.h"

namespace zv {
namespace {

TEST(DemoInstallation, SettingsLoadSilentlyAndNameExistingDirectories) {
  test::TempDir dir;
  const std::string root = dir / "demo";
  const std::string command =
      test::SourceDir() + "/tools/make-demo.sh '" + test::BinDir() + "' '" + root + "' >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  test::ScriptedDialogs dialogs;
  TBIniSettings settings(dialogs, root, dir / "no-fixed-location");
  ASSERT_TRUE(settings.LoadAll(1));
  EXPECT_TRUE(dialogs.shown.empty());
  TZVRecords records;
  CopySettingsToRecords(settings, records);
  for (const char* d :
       {records.Paths.DirExames, records.Paths.DirLaudos, records.Paths.DirBancoDados,
        records.Paths.DirExemplos, records.Paths.DirMapas, records.Paths.DirCalibracao})
    EXPECT_TRUE(DirectoryExists(d)) << d;
  // Running it again keeps the settings the operator changed.
  WriteTextLines(root + "/Zarvik.ini", {"[CLINICA]", "NOME=Minha Clínica"});
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(ReadTextLines(root + "/Zarvik.ini")[1], "NOME=Minha Clínica");
}

}  // namespace
}  // namespace zv
