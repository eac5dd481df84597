#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>

#include "DatabaseFile.h"
#include "Text1252.h"

namespace zv::data {
namespace {

TEST(PhraseCatalogue, CoversEveryPositionOfTheThreeBoxes) {
  const std::map<std::string, int> positions = {{"CE", 3}, {"DS", 7}, {"CO", 16}};
  std::map<std::string, std::set<int>> seen;
  bool anyEmpty = false;
  for (const Phrase& p : PhraseCatalogue()) {
    ASSERT_TRUE(positions.count(p.local)) << p.local;
    EXPECT_LE(p.posCaixa, positions.at(p.local)) << p.local << " " << p.texto;
    EXPECT_LE(Utf8ToCp1252(p.texto).size(), 250u) << p.texto;
    EXPECT_EQ(p.texto.find('#'), std::string::npos) << "a # would shift the placeholders";
    EXPECT_EQ(Cp1252ToUtf8(Utf8ToCp1252(p.texto)), p.texto) << "not WIN1252: " << p.texto;
    seen[p.local].insert(p.posCaixa);
    anyEmpty = anyEmpty || p.texto.empty();
  }
  for (const auto& [local, count] : positions)
    EXPECT_EQ(seen[local].size(), static_cast<size_t>(count)) << local;
  EXPECT_TRUE(anyEmpty);
}

TEST(PhraseCatalogue, ParsesLinesAndRejectsMalformedOnes) {
  const auto phrases = ParsePhraseCatalogue("# note\r\nCE|1|a b\r\n\nCO|16|\nDS|2| x|y\n");
  ASSERT_EQ(phrases.size(), 3u);
  EXPECT_EQ(phrases[0].texto, "a b");
  EXPECT_EQ(phrases[1].local, "CO");
  EXPECT_EQ(phrases[1].posCaixa, 16);
  EXPECT_EQ(phrases[1].texto, "");
  EXPECT_EQ(phrases[2].texto, " x|y");  // text is kept as written, blanks included
  for (const char* bad : {"CE|x|texto", "CE|1", "CEX|1|a", "CE|0|a"})
    EXPECT_THROW(ParsePhraseCatalogue(bad), std::runtime_error) << bad;
}

}  // namespace
}  // namespace zv::data
