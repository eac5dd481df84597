#include <gtest/gtest.h>

#include <filesystem>

#include "Errors.h"
#include "ScriptedDialogs.h"
#include "TestPaths.h"
#include "TextFile.h"
#include "UBArquivosExame.h"
#include "UBMapOperation.h"

namespace zv {
namespace {

using test::TempDir;

std::vector<std::string> Lines(int count, const std::string& line) {
  return std::vector<std::string>(static_cast<size_t>(count), line);
}

// Header lines in the current form: centre, "@", pupil, 360 ring counts.
std::vector<std::string> Header(const std::vector<std::string>& pupil, int rings) {
  std::vector<std::string> lines = {"320", "240", "@"};
  lines.insert(lines.end(), pupil.begin(), pupil.end());
  for (int i = 0; i < 360; ++i) lines.push_back(std::to_string(rings));
  return lines;
}

class MapOperation : public ::testing::Test {
 protected:
  std::string Prefix(const std::string& exam) const { return dir / exam; }
  void WriteExam(const std::string& exam, const std::vector<std::string>& m,
                 const std::vector<std::string>& d, const std::vector<std::string>& a) {
    WriteTextLines(Prefix(exam) + "m.txt", m);
    WriteTextLines(Prefix(exam) + "d.txt", d);
    WriteTextLines(Prefix(exam) + "a.txt", a);
  }

  TempDir dir;
  test::ScriptedDialogs dialogs;
  TBMapOperation operation{dialogs};
  TMatrizAngAnel pixels, dioptres;
  TMatrizAng counts;
  TPupila pupil;
};

TEST_F(MapOperation, LoadsWhatTheWritersStored) {
  static TMatrizAngAnel d = {}, m = {};
  TMatrizAng rings;
  for (int r = 0; r < 360; ++r) {
    rings[r] = 32 - r % 3;
    for (int c = 0; c <= 32; ++c) {
      d[r][c] = 40 + c * 0.25 + r * 0.01;
      m[r][c] = c * 7.5;
    }
  }
  const TPupila stored = {101, 102, -3, 104};
  ForceDirectories(dir / "12");
  GravaTabelaD(dir.path(), 12, 345, d, 32);
  GravaTabelaM(dir.path(), 12, 345, m, 32);
  GravaCabecalho(dir.path(), 12, 345, rings, 321.4, 238.6, stored);

  const std::string prefix = JoinPath(dir / "12", "345");
  ASSERT_TRUE(operation.LoadExam(prefix));
  EXPECT_EQ(operation.FileM(), prefix + "m.txt");
  EXPECT_EQ(operation.FileD(), prefix + "d.txt");
  EXPECT_EQ(operation.FileA(), prefix + "a.txt");
  operation.GetDioptreTable(dioptres);
  operation.GetPixelTable(pixels);
  operation.GetRingCounts(counts);
  operation.GetPupil(pupil);
  EXPECT_DOUBLE_EQ(dioptres[359][32], 40 + 8 + 3.59);
  EXPECT_DOUBLE_EQ(pixels[10][32], 240);
  EXPECT_EQ(counts[0], 32);
  EXPECT_EQ(counts[359], 30);
  EXPECT_EQ(std::vector<int>(pupil, pupil + 4), (std::vector<int>{101, 102, -3, 104}));
  EXPECT_EQ(operation.GetCenterX(), 321);
  EXPECT_EQ(operation.GetCenterY(), 239);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MapOperation, ReadsTheOlderHeaderAndEitherDecimalSeparator) {
  std::vector<std::string> old = {"300", "250"};
  for (int i = 0; i < 360; ++i) old.push_back(std::to_string(i % 7 + 1));
  WriteExam("old", Lines(360, "01,50 02,25 "), Lines(360, "43.25 44.5"), old);
  ASSERT_TRUE(operation.LoadExam(Prefix("old")));
  operation.GetRingCounts(counts);
  operation.GetPupil(pupil);
  operation.GetPixelTable(pixels);
  operation.GetDioptreTable(dioptres);
  EXPECT_EQ(counts[0], 1);  // from line 3
  EXPECT_EQ(counts[359], 359 % 7 + 1);
  EXPECT_EQ(std::vector<int>(pupil, pupil + 4), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_DOUBLE_EQ(pixels[100][1], 2.25);
  EXPECT_DOUBLE_EQ(dioptres[100][1], 44.5);
  EXPECT_EQ(operation.GetCenterX(), 300);
}

TEST_F(MapOperation, TheOrthokeratologyHeaderGivesItsFixedValues) {
  WriteExam("orto", Lines(360, "00.00 "), Lines(360, "00.00 "), Header({"0", "0", "0", "0"}, 32));
  ASSERT_TRUE(operation.LoadExam(Prefix("orto")));
  operation.GetRingCounts(counts);
  EXPECT_EQ(std::count(counts, counts + 360, 32), 360);
  EXPECT_EQ(operation.GetCenterX(), 320);
  EXPECT_EQ(operation.GetCenterY(), 240);
}

TEST_F(MapOperation, OnlyTheFirstMissingFileIsReportedAndNothingAfterItIsOpened) {
  // "d.txt" and "a.txt" would raise conversion errors if they were read.
  WriteTextLines(Prefix("x") + "d.txt", Lines(360, "lixo "));
  WriteTextLines(Prefix("x") + "a.txt", {"lixo"});
  EXPECT_FALSE(operation.LoadExam(Prefix("x")));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Arquivo m.txt não encontrado!");
  EXPECT_EQ(dialogs.shown[0].caption, "Erro");
  EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Error);

  WriteTextLines(Prefix("y") + "m.txt", Lines(360, "01.00 "));
  WriteTextLines(Prefix("y") + "a.txt", {"lixo"});
  EXPECT_FALSE(operation.LoadExam(Prefix("y")));
  WriteTextLines(Prefix("y") + "d.txt", Lines(360, "01.00 "));
  std::filesystem::remove(Prefix("y") + "a.txt");
  EXPECT_FALSE(operation.LoadExam(Prefix("y")));
  EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{"Arquivo m.txt não encontrado!",
                                                       "Arquivo d.txt não encontrado!",
                                                       "Arquivo a.txt não encontrado!"}));
}

TEST_F(MapOperation, AShortTableLoadsAndLeavesNoCellOfTheExamBefore) {
  WriteExam("full", Lines(360, "09.00 09.00 09.00 "), Lines(360, "09.00 "),
            Header({"1", "2", "3", "4"}, 9));
  ASSERT_TRUE(operation.LoadExam(Prefix("full")));
  WriteExam("short", Lines(10, "01.00 "), {}, Header({"5", "6", "7", "8"}, 16));
  ASSERT_TRUE(operation.LoadExam(Prefix("short")));
  operation.GetPixelTable(pixels);
  operation.GetDioptreTable(dioptres);
  EXPECT_EQ(pixels[9][0], 1.0);
  EXPECT_EQ(pixels[9][1], 0.0);
  EXPECT_EQ(pixels[10][0], 0.0);
  EXPECT_EQ(dioptres[0][0], 0.0);
}

TEST_F(MapOperation, BadValuesAreConversionErrorsNamingFileAndLine) {
  std::vector<std::string> m = Lines(360, "01.00 ");
  m[4] = "01.00 x1 ";
  WriteExam("bad", m, Lines(360, "01.00 "), Header({"0", "0", "0", "0"}, 32));
  try {
    operation.LoadExam(Prefix("bad"));
    FAIL() << "no error";
  } catch (const ConvertError& e) {
    const std::string what = e.what();
    EXPECT_NE(what.find(Prefix("bad") + "m.txt"), std::string::npos) << what;
    EXPECT_NE(what.find("linha 5:"), std::string::npos) << what;
  }

  // A header that ends before line 367, and one with a count that is no decimal integer.
  auto header = Header({"0", "0", "0", "0"}, 32);
  header.resize(366);
  WriteExam("early", Lines(360, "01.00 "), Lines(360, "01.00 "), header);
  EXPECT_THROW(operation.LoadExam(Prefix("early")), ConvertError);
  header = Header({"0", "0", "0", "0"}, 32);
  header[100] = "0x10";
  WriteExam("hex", Lines(360, "01.00 "), Lines(360, "01.00 "), header);
  EXPECT_THROW(operation.LoadExam(Prefix("hex")), ConvertError);
  // A damaged count beyond the tables' 33 columns is never handed to a map module.
  for (const char* count : {"33", "-1"}) {
    header = Header({"0", "0", "0", "0"}, 32);
    header[200] = count;
    WriteExam("range", Lines(360, "01.00 "), Lines(360, "01.00 "), header);
    try {
      operation.LoadExam(Prefix("range"));
      FAIL() << count;
    } catch (const ConvertError& e) {
      EXPECT_NE(std::string(e.what()).find("linha 201:"), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace zv
