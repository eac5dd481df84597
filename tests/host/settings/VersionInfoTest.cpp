#include <gtest/gtest.h>

#include <QProcess>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "TestPaths.h"
#include "TextFile.h"
#include "UBRegConfig.h"
#include "UBVersionInfo.h"

namespace zv {
namespace {

TEST(TBVersionInfo, ReadsTheStampedVersionWithoutLoadingTheFile) {
  // This test program is stamped like every deliverable.
  TBVersionInfo info;
  info.LoadFrom("/proc/self/exe");
  EXPECT_EQ(info.FileVersion(), ZV_EXPECTED_VERSION);
  EXPECT_EQ(TBVersionInfo::FileVersionOf("/proc/self/exe"), ZV_EXPECTED_VERSION);
  EXPECT_EQ(info.Parts()[0], "1");
  EXPECT_EQ(info.BuildNumber(), 0);
}

TEST(TBVersionInfo, FilesWithoutAVersionGiveEmptyText) {
  test::TempDir dir;
  WriteFileAtomic(dir / "not-elf.so", "MZ this is no library");
  WriteFileAtomic(dir / "short.so",
                  "\x7F"
                  "ELF");
  for (const std::string& f :
       {dir / "not-elf.so", dir / "short.so", dir / "missing.so", std::string("/bin/sh")}) {
    TBVersionInfo info;
    info.LoadFrom(f);
    EXPECT_EQ(info.FileVersion(), "") << f;
    EXPECT_EQ(info.BuildNumber(), 0);
  }
}

// A numeric locale that writes a comma as decimal separator, as a Portuguese user's would,
// compiled into `dir` (found through LOCPATH) so that the test needs no installed locale.
// False when it could not be built.
bool CompilaLocaleComVirgula(const test::TempDir& dir) {
  WriteFileAtomic(dir / "virgula.def",
                  "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\ngrouping 3\n"
                  "END LC_NUMERIC\n");
  QProcess localedef;
  // -c: the categories other than LC_NUMERIC are left undefined on purpose.
  localedef.start("localedef", {"-c", "-i", QString::fromStdString(dir / "virgula.def"),
                                QString::fromStdString(dir / "virgula")});
  localedef.waitForFinished(60000);
  return FileExists(dir / "virgula/LC_NUMERIC");
}

std::string UmEMeio() {
  char texto[16];
  std::snprintf(texto, sizeof texto, "%.1f", 1.5);
  return texto;
}

TEST(TBRegConfig, ForcesThePointForTheRunAndGivesTheUsersLocaleBack) {
  test::TempDir dir;
  ASSERT_TRUE(CompilaLocaleComVirgula(dir)) << "needs localedef and the locales package";
  // The test program's own locale comes back however the test ends.
  struct LocaleDoPrograma {
    std::string nome = std::setlocale(LC_NUMERIC, nullptr);
    ~LocaleDoPrograma() {
      std::setlocale(LC_NUMERIC, nome.c_str());
      unsetenv("LOCPATH");
    }
  } original;
  setenv("LOCPATH", dir.path().c_str(), 1);
  ASSERT_NE(std::setlocale(LC_NUMERIC, "virgula"), nullptr);
  ASSERT_EQ(UmEMeio(), "1,5");

  TBRegConfig reg;
  ASSERT_TRUE(reg.ReadCurrent());
  EXPECT_EQ(reg.Saved().decimalSeparator, ",");
  reg.SetForced(".", "dd/MM/yyyy", ",", "HH:mm:ss", "", "");
  reg.ApplyForced();
  EXPECT_EQ(reg.Forced().shortDateFormat, "dd/MM/yyyy");
  EXPECT_EQ(UmEMeio(), "1.5");
  EXPECT_EQ(std::strtod("2.25", nullptr), 2.25);
  reg.RestoreCurrent();
  EXPECT_EQ(UmEMeio(), "1,5");
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "virgula");
}

}  // namespace
}  // namespace zv
