#include <gtest/gtest.h>

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

TEST(TBRegConfig, ForcesThePointForTheRunAndGivesTheLocaleBack) {
  TBRegConfig reg;
  ASSERT_TRUE(reg.ReadCurrent());
  reg.SetForced(".", "dd/MM/yyyy", ",", "HH:mm:ss", "", "");
  reg.ApplyForced();
  EXPECT_EQ(reg.Forced().shortDateFormat, "dd/MM/yyyy");
  char buf[16];
  std::snprintf(buf, sizeof buf, "%.1f", 1.5);
  EXPECT_STREQ(buf, "1.5");
  reg.RestoreCurrent();
}

}  // namespace
}  // namespace zv
