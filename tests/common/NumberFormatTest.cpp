#include <gtest/gtest.h>

#include <clocale>

#include "DateFormat.h"
#include "Errors.h"
#include "NumberFormat.h"

namespace zv {
namespace {

struct FormatCase {
  const char* pattern;
  double value;
  const char* expected;
};

class FormatFloatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatFloatTest, WritesThePattern) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(FormatFloat(c.pattern, c.value), c.expected) << c.pattern << " " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FormatFloatTest,
    ::testing::Values(FormatCase{"00.00", 7.856, "07.86"}, FormatCase{"00.00", -1.2, "-01.20"},
                      FormatCase{"00.00", 123.456, "123.46"}, FormatCase{"00.00", 0, "00.00"},
                      FormatCase{"00.00", 5.5, "05.50"}, FormatCase{"00.00", 123.4, "123.40"},
                      FormatCase{"00.00", -0.5, "-00.50"}, FormatCase{"00.00", -0.001, "00.00"},
                      FormatCase{"00.00", 99.999, "100.00"}, FormatCase{"0.00", 2.675, "2.68"},
                      FormatCase{"#0.00", 0.125, "0.13"}, FormatCase{"#0.0000", 0.12345, "0.1235"},
                      FormatCase{"0.0000", 42.5, "42.5000"}, FormatCase{"0", 319.5, "320"},
                      FormatCase{"0", 240.49, "240"}, FormatCase{"0", -2.5, "-3"},
                      FormatCase{"0000", 7, "0007"}, FormatCase{"0000", 12345, "12345"},
                      FormatCase{"0.000", 1.0005, "1.001"},
                      FormatCase{"#,##0.00;(#,##0.00)", 1234567.891, "1,234,567.89"},
                      FormatCase{"#,##0.00;(#,##0.00)", -1234.5, "(1,234.50)"},
                      FormatCase{"#,##0.00;(#,##0.00)", 0, "0.00"}),
    [](const ::testing::TestParamInfo<FormatCase>& info) {
      return "Case" + std::to_string(info.index);
    });

TEST(FloatToStr, ShortestGeneralForm) {
  EXPECT_EQ(FloatToStr(0.0734), "0.0734");
  EXPECT_EQ(FloatToStr(7.85), "7.85");
  EXPECT_EQ(FloatToStr(0), "0");
  EXPECT_EQ(FloatToStr(-12.5), "-12.5");
  EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
  EXPECT_EQ(FloatToStr(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(FloatToStr(1e-6), "1E-6");
  EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
}

TEST(Parsing, AcceptsPointOrCommaWhateverTheLocale) {
  std::setlocale(LC_NUMERIC, "pt_BR.UTF-8");  // may not exist; the result must not depend on it
  EXPECT_DOUBLE_EQ(StrToFloat("7,73"), 7.73);
  EXPECT_DOUBLE_EQ(StrToFloat("7.73"), 7.73);
  EXPECT_DOUBLE_EQ(StrToFloat(" -0,5 "), -0.5);
  EXPECT_DOUBLE_EQ(StrToFloat("1e3"), 1000);
  EXPECT_EQ(FormatFloat("00.00", 7.5), "07.50");
  std::setlocale(LC_NUMERIC, "C");
  for (const char* bad : {"", "abc", "1.2.3", "7,7,3", "1x", "nan", "inf"}) {
    double v = 0;
    EXPECT_FALSE(TryStrToFloat(bad, v)) << bad;
    EXPECT_THROW(StrToFloat(bad), ConvertError) << bad;
  }
}

TEST(Parsing, IntegersDecimalAndHexadecimal) {
  EXPECT_EQ(StrToInt("42"), 42);
  EXPECT_EQ(StrToInt(" -7"), -7);
  EXPECT_EQ(StrToInt("0x1F"), 31);
  EXPECT_EQ(StrToInt("$10"), 16);
  for (const char* bad : {"", "x", "1.5", "99999999999", "0x"})
    EXPECT_THROW(StrToInt(bad), ConvertError) << bad;
}

// A number holds one sign at most, in front: doubled signs and a sign after a hexadecimal
// prefix are no number (settings keys read through these show their message).
TEST(Parsing, RefusesDoubledSigns) {
  EXPECT_EQ(StrToInt("-0x5"), -5);
  EXPECT_EQ(StrToInt("+5"), 5);
  EXPECT_DOUBLE_EQ(StrToFloat("+5"), 5);
  EXPECT_DOUBLE_EQ(StrToFloat("+,5"), 0.5);
  for (const char* bad : {"--5", "+-5", "-+5", "++5", "-0x-5", "0x-5", "0x+5", "$-5", "-$-5"}) {
    int i = 0;
    EXPECT_FALSE(TryStrToInt(bad, i)) << bad;
    double d = 0;
    EXPECT_FALSE(TryStrToFloat(bad, d)) << bad;
  }
}

TEST(DateFormat, TheSystemsPatterns) {
  DateTime w;
  w.year = 2026;
  w.month = 3;
  w.day = 7;
  w.hour = 9;
  w.minute = 5;
  w.second = 4;
  EXPECT_EQ(FormatDateTime("dd/MM/yyyy", w), "07/03/2026");
  EXPECT_EQ(FormatDateTime("HH:mm:ss", w), "09:05:04");
  EXPECT_EQ(FormatDateTime("dd/mm/yy", w), "07/03/26");
  EXPECT_EQ(FormatDateTime("hh:nn:ss", w), "09:05:04");
  // Bytes of the high half (a Windows-1252 "ç" or "º") are copied like any other text.
  EXPECT_EQ(FormatDateTime("dd \xE7\xE7 MM\xBA", w), "07 \xE7\xE7 03\xBA");
  EXPECT_EQ(FormatDateTime("\xFF", w), "\xFF");
  DateTime parsed;
  EXPECT_TRUE(ParseDate("29/02/2024", parsed));
  EXPECT_EQ(parsed.day, 29);
  EXPECT_FALSE(ParseDate("29/02/2023", parsed));
  EXPECT_FALSE(ParseDate("31/04/2024", parsed));
  EXPECT_FALSE(ParseDate("hoje", parsed));
}

}  // namespace
}  // namespace zv
