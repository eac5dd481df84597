// When the start-up offers the automatic backup.
#include <gtest/gtest.h>

#include "LembreteBackup.h"

namespace zv {
namespace {

std::vector<std::string> Descricao(const std::string& data) {
  return {"Backup", "Diretório do meio: /m",
          "Rótulo", "",
          "",       "Backup mais recente em:  " + data + " 10:00:00",
          ""};
}

TEST(LembreteBackup, ByPeriodCountsRealDaysAndMonthsAcrossMonthAndYearEnds) {
  struct Caso {
    int unidade, periodo;
    const char* ultimo;
    DateTime hoje;
    bool devido;
  } casos[] = {
      {0, 7, "28/01/2026", {2026, 2, 3}, false},  // six days, though 3 - 28 < 0
      {0, 7, "01/02/2026", {2026, 2, 9}, true},   // eight days
      {0, 7, "02/02/2026", {2026, 2, 9}, true},   // exactly the period
      {0, 7, "03/02/2026", {2026, 2, 9}, false},
      {0, 7, "28/01/2026", {2026, 3, 3}, true},   // a month later: the day numbers say -25
      {0, 5, "10/06/2025", {2026, 6, 10}, true},  // same day a year later: day numbers say 0
      {1, 1, "20/12/2025", {2026, 1, 5}, false},  // December to January, under a month
      {1, 1, "20/12/2025", {2026, 1, 20}, true},  // a whole month
      {1, 2, "15/11/2025", {2026, 1, 14}, false},
      {1, 2, "15/11/2025", {2026, 1, 15}, true},  // two months, across the year end
      {1, 1, "31/01/2026", {2026, 2, 28}, true},  // the end of a shorter month counts
      {2, 1, "01/01/2020", {2026, 1, 1}, false},  // unit neither days nor months: never
  };
  for (const auto& c : casos) {
    const AgendaBackup agenda{1, c.periodo, c.unidade, 0};
    EXPECT_EQ(BackupDevido(agenda, Descricao(c.ultimo), 0, c.hoje), c.devido)
        << c.ultimo << " unit " << c.unidade;
  }
}

TEST(LembreteBackup, ByCountNeverAndMissingDates) {
  const DateTime hoje{2026, 2, 9};
  const auto d = Descricao("08/02/2026");
  EXPECT_TRUE(BackupDevido({2, 0, 0, 200}, d, 200, hoje));
  EXPECT_FALSE(BackupDevido({2, 0, 0, 200}, d, 199, hoje));
  EXPECT_FALSE(BackupDevido({0, 1, 0, 1}, d, 500, hoje));
  EXPECT_FALSE(BackupDevido({-1, 1, 0, 1}, d, 500, hoje));
  // No module, no description: nothing to offer.  A description without a readable date is a
  // medium never backed up to.
  EXPECT_FALSE(BackupDevido({1, 7, 0, 0}, {}, 0, hoje));
  EXPECT_TRUE(BackupDevido({1, 7, 0, 0}, {"a", "b", "c"}, 0, hoje));
  EXPECT_TRUE(BackupDevido({1, 7, 0, 0}, Descricao("ontem"), 0, hoje));
  // The date may carry backslashes.
  DateTime data;
  ASSERT_TRUE(DataUltimoBackup(Descricao("07\\02\\2026"), data));
  EXPECT_EQ(data.day, 7);
  EXPECT_EQ(data.month, 2);
  EXPECT_EQ(data.year, 2026);
}

}  // namespace
}  // namespace zv
