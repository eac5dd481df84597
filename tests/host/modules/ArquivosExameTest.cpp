#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <limits>

#include "Errors.h"
#include "ScriptedDialogs.h"
#include "TestPaths.h"
#include "TextFile.h"
#include "UBArquivosExame.h"

namespace zv {
namespace {

using test::TempDir;

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

// Runs `write` with a file-size limit that makes any write of more than a few bytes fail, as a
// full disk would (also for root).
template <class Write>
void WithFullDisk(Write write) {
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 10;
  ::setrlimit(RLIMIT_FSIZE, &small);
  write();
  ::setrlimit(RLIMIT_FSIZE, &saved);
}

TEST(ExamFiles, RingTablesAreWrittenByteExact) {
  TempDir dir;
  ForceDirectories(dir / "12");
  static TMatrizAngAnel table = {};
  table[0][0] = 7.856;
  table[0][1] = 123.4;
  table[0][2] = -0.5;
  table[359][32] = 5.5;
  GravaTabelaD(dir.path(), 12, 345, table, 32);
  const std::string zeros = Repeat("00.00 ", 33) + "\r\n";
  const std::string first = "07.86 123.40 -00.50 " + Repeat("00.00 ", 30) + "\r\n";
  const std::string last = Repeat("00.00 ", 32) + "05.50 \r\n";
  EXPECT_EQ(ReadFileBytes(dir / "12/345d.txt"), first + Repeat(zeros, 358) + last);

  // Sixteen rings give 17 values; a ring count beyond the table's width stops at 33 values.
  GravaTabelaM(dir.path(), 12, 345, table, 16);
  const auto lines = ReadTextLines(dir / "12/345m.txt");
  ASSERT_EQ(lines.size(), 360u);
  EXPECT_EQ(lines[1], Repeat("00.00 ", 17));
  GravaTabelaM(dir.path(), 12, 345, table, 200);
  EXPECT_EQ(ReadTextLines(dir / "12/345m.txt")[1], Repeat("00.00 ", 33));
}

TEST(ExamFiles, ATableWithAValueThatIsNoNumberIsRefusedAndTheOldFileKept) {
  TempDir dir;
  ForceDirectories(dir / "12");
  static TMatrizAngAnel table = {};
  GravaTabelaD(dir.path(), 12, 345, table, 32);
  const std::string before = ReadFileBytes(dir / "12/345d.txt");
  table[90][5] = std::nan("");
  EXPECT_THROW(GravaTabelaD(dir.path(), 12, 345, table, 32), ConvertError);
  table[90][5] = std::numeric_limits<double>::infinity();
  EXPECT_THROW(GravaTabelaM(dir.path(), 12, 345, table, 32), ConvertError);
  EXPECT_EQ(ReadFileBytes(dir / "12/345d.txt"), before);
  EXPECT_FALSE(FileExists(dir / "12/345m.txt"));
  table[90][5] = 0;
  table[90][20] = std::nan("");  // beyond a 16-ring exam's columns: never written, not checked
  EXPECT_NO_THROW(GravaTabelaD(dir.path(), 12, 345, table, 16));
}

TEST(ExamFiles, TableWritersAcceptExactlyWhatTheReaderReadsBack) {
  TempDir dir;
  ForceDirectories(dir / "12");
  static TMatrizAngAnel table = {};
  GravaTabelaD(dir.path(), 12, 345, table, 32);
  const std::string before = ReadFileBytes(dir / "12/345d.txt");
  struct Case {
    double value;
    bool accepted;
  } cases[] = {
      {-1.797693134862315e308, false},          {1e300, false},    {10000, false},
      {9999.996, false /* written 10000.00 */}, {-9999.994, true}, {43.6, true},
  };
  for (const auto& c : cases) {
    table[90][5] = c.value;
    if (!c.accepted) {
      EXPECT_THROW(GravaTabelaD(dir.path(), 12, 345, table, 32), ConvertError) << c.value;
      EXPECT_EQ(ReadFileBytes(dir / "12/345d.txt"), before) << c.value;
      continue;
    }
    GravaTabelaD(dir.path(), 12, 345, table, 32);
    static TMatrizAngAnel back;
    LeTabelaAneis(ReadTextLines(dir / "12/345d.txt"), -1, back);
    EXPECT_NEAR(back[90][5], c.value, 0.005) << c.value;
    WriteFileAtomic(dir / "12/345d.txt", before);
  }
}

TEST(ExamFiles, HeaderHoldsCentrePupilAndRingCounts) {
  TempDir dir;
  ForceDirectories(dir / "7");
  TMatrizAng counts;
  for (int i = 0; i < 360; ++i) counts[i] = i % 33;
  const TPupila pupil = {11, -2, 30, 44};
  GravaCabecalho(dir.path(), 7, 8, counts, 319.6, 240.4, pupil);
  std::string expected = "320\r\n240\r\n@\r\n11\r\n-2\r\n30\r\n44\r\n";
  for (int i = 0; i < 360; ++i) expected += std::to_string(i % 33) + "\r\n";
  EXPECT_EQ(ReadFileBytes(dir / "7/8a.txt"), expected);
}

// The exam loader refuses a centre that is no number and ring counts outside 0..32: a header
// holding one could never be opened again, so it is refused before anything is written.
TEST(ExamFiles, AHeaderTheLoaderWouldRefuseIsNotWritten) {
  TempDir dir;
  ForceDirectories(dir / "7");
  TMatrizAng counts;
  std::fill(std::begin(counts), std::end(counts), 32);
  const TPupila pupil = {0, 0, 0, 0};
  GravaCabecalho(dir.path(), 7, 8, counts, 320, 240, pupil);
  const std::string before = ReadFileBytes(dir / "7/8a.txt");
  const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
  struct Case {
    double x, y;
    int meridian, count;
  };
  for (const Case& c :
       {Case{nan, 240, 0, 32}, Case{320, inf, 0, 32}, Case{-inf, 240, 0, 32}, Case{320, 240, 0, -7},
        Case{320, 240, 359, 1000}, Case{320, 240, 90, 33}, Case{320, 240, 90, -1}}) {
    TMatrizAng bad;
    std::copy(std::begin(counts), std::end(counts), bad);
    bad[c.meridian] = c.count;
    EXPECT_THROW(GravaCabecalho(dir.path(), 7, 8, bad, c.x, c.y, pupil), ConvertError)
        << c.x << " " << c.y << " " << c.count;
  }
  EXPECT_EQ(ReadFileBytes(dir / "7/8a.txt"), before);
  counts[90] = 0;  // both ends of the range are ring counts
  EXPECT_NO_THROW(GravaCabecalho(dir.path(), 7, 8, counts, -1e6, 1e6, pupil));

  // An orthokeratology save with such a ring count writes none of its three files.
  const std::vector<std::string> table(1440, "00.00 ");
  EXPECT_THROW(GravaExameOrto(dir.path(), 7, 9, 1, table, table, 33), ConvertError);
  EXPECT_FALSE(FileExists(dir / "7/9d.txt"));
}

TEST(ExamFiles, AMissingPatientDirectoryIsAnErrorNamingTheFile) {
  TempDir dir;
  static const TMatrizAngAnel table = {};
  try {
    GravaTabelaD(dir.path(), 12, 345, table, 32);
    FAIL() << "no error";
  } catch (const IoError& e) {
    EXPECT_NE(std::string(e.what()).find("345d.txt"), std::string::npos) << e.what();
  }
}

TEST(ExamFiles, OrthokeratologySaveStoresTheImagesBlockUnchanged) {
  TempDir dir;
  ForceDirectories(dir / "3");
  std::vector<std::string> pixels, dioptres;
  for (int i = 0; i < 1440; ++i) {
    pixels.push_back("p" + std::to_string(i) + " ");
    dioptres.push_back("d" + std::to_string(i) + " ");
  }
  GravaExameOrto(dir.path(), 3, 50, 2, pixels, dioptres, 32);
  EXPECT_EQ(ReadFileBytes(dir / "3/50d.txt").substr(0, 18), "d360 \r\nd361 \r\nd362");
  const auto m = ReadTextLines(dir / "3/50m.txt");
  ASSERT_EQ(m.size(), 360u);
  EXPECT_EQ(m.front(), "p360 ");
  EXPECT_EQ(m.back(), "p719 ");
  const auto a = ReadTextLines(dir / "3/50a.txt");
  ASSERT_EQ(a.size(), 367u);
  EXPECT_EQ(std::vector<std::string>(a.begin(), a.begin() + 7),
            (std::vector<std::string>{"320", "240", "@", "0", "0", "0", "0"}));
  EXPECT_EQ(std::count(a.begin() + 7, a.end(), "32"), 360);

  // A table too short for the image writes nothing.
  pixels.resize(1439);
  EXPECT_THROW(GravaExameOrto(dir.path(), 3, 51, 4, pixels, dioptres, 32), IoError);
  EXPECT_FALSE(FileExists(dir / "3/51d.txt"));
}

TEST(ReportFile, FiveEmptySectionsGiveThe23ByteFile) {
  TempDir dir;
  ForceDirectories(dir / "12");
  test::ScriptedDialogs dialogs;
  EXPECT_TRUE(GravaLaudo(dir.path(), "12", "9", "", "", "", "", "", dialogs));
  EXPECT_EQ(ReadFileBytes(dir / "12/9l.txt"), "\r\n@\r\n\r\n@\r\n\r\n@\r\n\r\n@\r\n\r\n*");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Laudo gravado com sucesso.");
  EXPECT_EQ(dialogs.shown[0].caption, "Informação");
  EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Information);
}

TEST(ReportFile, SectionsArePreparedAndWrittenInWindows1252) {
  TempDir dir;
  ForceDirectories(dir / "12");
  test::ScriptedDialogs dialogs;
  ASSERT_TRUE(GravaLaudo(dir.path(), "12", "9", "Olho #3-direito# normal", "linha 1\nlinha 2",
                         "Sem lentes #1# hoje", "ação", "fim", dialogs));
  EXPECT_EQ(ReadFileBytes(dir / "12/9l.txt"),
            "Olho direito normal\r\n@\r\nlinha 1\r\nlinha 2\r\n@\r\nSem lentes  hoje\r\n@\r\n"
            "a\xE7\xE3o\r\n@\r\nfim\r\n*");
}

TEST(ReportFile, AFailedWriteIsReportedEvenOverAnOlderFile) {
  TempDir dir;
  test::ScriptedDialogs dialogs;
  EXPECT_FALSE(GravaLaudo(dir.path(), "99", "1", "", "", "", "", "", dialogs));

  ForceDirectories(dir / "12");
  WriteFileAtomic(dir / "12/9l.txt", "old");
  bool saved = true;
  WithFullDisk([&] {
    saved = GravaLaudo(dir.path(), "12", "9", Repeat("texto ", 20), "", "", "", "", dialogs);
  });
  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadFileBytes(dir / "12/9l.txt"), "old");
  ASSERT_EQ(dialogs.shown.size(), 2u);
  for (const auto& shown : dialogs.shown) {
    EXPECT_EQ(shown.text, "Não foi possível gravar o arquivo de laudo.");
    EXPECT_EQ(shown.caption, "Informação");
  }
}

TEST(RingTableReader, ReadsValuesWithOrWithoutTrailingSpaceAndEitherSeparator) {
  const char* const lines[] = {"07.45 07.50", "07.45 07.50 ", "07,45 07,50 ", "7.45  7.5"};
  for (const char* line : lines) {
    double row[kColunasTabela] = {};
    row[2] = 99;
    LeLinhaTabelaAneis(line, row);
    EXPECT_DOUBLE_EQ(row[0], 7.45) << line;
    EXPECT_DOUBLE_EQ(row[1], 7.50) << line;
    EXPECT_EQ(row[2], 99) << line;  // cells past the last value are left as they are
  }
  double row[kColunasTabela] = {};
  LeLinhaTabelaAneis(Repeat("01.00 ", 33) + "02.00 xx ", row);  // values past the 33rd ignored
  EXPECT_EQ(row[32], 1.0);
}

TEST(RingTableReader, FillsAZeroedTableFromTheLinesAfterTheStartIndex) {
  std::vector<std::string> lines(1440, "01.00 ");
  for (int i = 360; i < 720; ++i) lines[i] = "02.00 03.50 ";
  static TMatrizAngAnel table;
  table[0][5] = 42;
  LeTabelaAneis(lines, -1, table);  // image 1
  EXPECT_EQ(table[359][0], 1.0);
  EXPECT_EQ(table[0][5], 0.0);
  LeTabelaAneis(lines, 359, table);  // image 2
  EXPECT_EQ(table[0][1], 3.5);
  EXPECT_EQ(table[359][0], 2.0);
}

TEST(RingTableReader, ABadTokenOrAMissingLineIsAnErrorNamingTheLine) {
  std::vector<std::string> lines(360, "01.00 ");
  lines[4] = "01.00 abc ";
  static TMatrizAngAnel table;
  table[0][0] = 42;
  try {
    LeTabelaAneis(lines, -1, table);
    FAIL() << "no error";
  } catch (const ConvertError& e) {
    EXPECT_NE(std::string(e.what()).find("Linha 5 "), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("abc"), std::string::npos) << e.what();
  }
  EXPECT_EQ(table[0][0], 42);  // unchanged
  lines[4] = "01.00";
  EXPECT_THROW(LeTabelaAneis(lines, 0, table), ConvertError);  // only 359 lines after index 0
}

TEST(RingTableReader, ValuesBeyondAnyRadiusOrPowerAreRefused) {
  double line[kColunasTabela] = {};
  for (const char* token : {"1e300", "10000.00", "-10000", "1E5", "179769313486232000000"})
    EXPECT_THROW(LeLinhaTabelaAneis(std::string("01.00 ") + token + " ", line), ConvertError)
        << token;
  LeLinhaTabelaAneis("9999.99 -9999,99 ", line);
  EXPECT_EQ(line[0], 9999.99);
  EXPECT_EQ(line[1], -9999.99);
}

TEST(TextHelpers, AjustaDecimal) {
  struct Case {
    const char* text;
    char separator;
    const char* expected;
  } cases[] = {{"7,45", '.', "7.45"}, {"7.45", '.', "7.45"}, {"1,2,3", '.', "1.2,3"},
               {"7.45", ',', "7,45"}, {"7,45", ',', "7,45"}, {"12", '.', "12"}};
  for (const auto& c : cases) EXPECT_EQ(AjustaDecimal(c.text, c.separator), c.expected) << c.text;
  EXPECT_EQ(ToFloat("-01,20"), -1.2);
  EXPECT_THROW(ToFloat("1,2.3"), ConvertError);
}

TEST(TextHelpers, MaiusculaAcentosKeepsTheLength) {
  EXPECT_EQ(MaiusculaAcentos("áàãâäéèêëíìîïóòõôöúùüûç"), "ÁÀÃÂÄÉÈÊËÍÌÎÏÓÒÕÔÖÚÙÜÛÇ");
  EXPECT_EQ(MaiusculaAcentos("joão da conceição, 3ª ñ ÿ"), "JOÃO DA CONCEIÇÃO, 3ª ñ ÿ");
  EXPECT_EQ(MaiusculaAcentos(""), "");
}

TEST(TextHelpers, PreparaTextoLaudo) {
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"Olho #3-direito# normal", "Olho direito normal"},
      {"Sem lentes #1# hoje", "Sem lentes  hoje"},
      {"#12##4-a-b#", "a-b"},                             // two markers; text after the first "-"
      {"#1-#x", "x"},                                     // two characters: dropped
      {"placeholder #105# vazio", "placeholder  vazio"},  // an empty placeholder of any number
      {"nota #ab c# fim", "nota #ab c# fim"},             // no "-": kept as typed
      {"lente #2 sem fim", "lente #2 sem fim"},           // no closing "#": kept as typed
      {"##", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(PreparaTextoLaudo(c.text), c.expected) << c.text;
}

}  // namespace
}  // namespace zv
