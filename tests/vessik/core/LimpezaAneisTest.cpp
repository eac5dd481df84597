#include <gtest/gtest.h>

#include <memory>

#include "LimpezaAneis.h"

namespace vessik {
namespace {

// A working table, its raw table and counts, with 1-based access as the passes use them.
struct Tabelas {
  TabelaAneis w{}, d{};
  ContagemAneis contagens{};
  int n;
  explicit Tabelas(int numAneis = 16) : n(numAneis) {}
  double& W(int k, int r) { return w[k - 1][r]; }
  double& D(int k, int r) { return d[k - 1][r]; }
  FiltrosAneis Filtros() { return FiltrosAneis(w, d, contagens, n); }
  // Every row: ring r at base + passo * r, in both tables, counts N.
  void Regular(double base, double passo) {
    for (int k = 1; k <= kAngulos; ++k) {
      for (int r = 1; r <= n; ++r) W(k, r) = D(k, r) = base + passo * r;
      contagens[k - 1] = n;
    }
  }
};

std::unique_ptr<Tabelas> Novas(int n = 16) {
  return std::make_unique<Tabelas>(n);
}

TEST(EstatisticaAnel, WindowStopsAtRow360AndCountsZeros) {
  auto t = Novas();
  for (int k = 1; k <= 340; ++k) t->W(k, 1) = 100;
  const auto e = t->Filtros().EstatisticaAnel(1, 341, 20);  // rows 341..360, all empty
  EXPECT_EQ(e.zeros, 20);
  EXPECT_FALSE(e.media.has_value());
  EXPECT_EQ(e.modaValor, 0);
  EXPECT_EQ(e.modaContagem, 20);
}

TEST(EstatisticaAnel, ModeIsTheLowestFullestBinUpTo240AndSmallValuesBecomeZero) {
  auto t = Novas();
  // Rows 1..11: two at 50.7, two at 40.2, three at 250, 0.5 and -3 and two zeros.
  const double valores[] = {50.7, 40.2, 50.2, 40.9, 250, 250, 250, 0.5, -3, 0, 0};
  for (int k = 1; k <= 11; ++k) t->W(k, 2) = valores[k - 1];
  const auto e = t->Filtros().EstatisticaAnel(2, 1, 10);
  EXPECT_EQ(e.modaValor, 0);  // bin 0 holds four: 0.5, -3 and the two zeros
  EXPECT_EQ(e.modaContagem, 4);
  EXPECT_EQ(e.maximo, 250);
  EXPECT_EQ(e.minimo, -3);
  EXPECT_EQ(e.zeros, 4);
  EXPECT_EQ(t->W(8, 2), 0.0);
  EXPECT_EQ(t->W(9, 2), 0.0);
  EXPECT_DOUBLE_EQ(*e.media, (50.7 + 40.2 + 50.2 + 40.9 + 750) / 7);

  t->W(8, 2) = t->W(9, 2) = t->W(10, 2) = t->W(11, 2) = 50.1;
  const auto f = t->Filtros().EstatisticaAnel(2, 1, 10);
  EXPECT_EQ(f.modaValor, 50);  // 250 has three but lies above bin 240
  EXPECT_EQ(f.modaContagem, 6);
  // The raw table's mode spans every bin and its mean is whole.
  for (int k = 1; k <= 11; ++k) t->D(k, 2) = k <= 3 ? 250.0 : 41.5;
  const auto b = t->Filtros().EstatisticaAnelBruto(2, 1, 10);
  EXPECT_EQ(b.modaValor, 41);
  EXPECT_EQ(*b.media, 98.0);  // floor((3 * 250 + 8 * 41.5) / 11)
}

TEST(SuavizaAnel, NeedsBothNeighbours) {
  auto t = Novas();
  for (int k = 1; k <= kAngulos; k += 2) t->W(k, 1) = 100 + k % 7;  // every second row missing
  const TabelaAneis antes = t->w;
  t->Filtros().SuavizaAnel(1, 1, 360);
  EXPECT_EQ(t->w, antes);

  t->W(2, 2) = 10, t->W(3, 2) = 20, t->W(4, 2) = 0, t->W(5, 2) = 40;
  t->Filtros().SuavizaAnel(2, 1, 10);
  EXPECT_EQ(t->W(3, 2), 20.0);  // a zero neighbour leaves it
}

TEST(RemoveForaDaMedia, LastWindowCoversRowsUpTo360) {
  auto t = Novas(1);
  for (int k = 1; k <= kAngulos; ++k) t->W(k, 1) = 100;
  t->W(360, 1) = 120;  // window 341..360: mean 101, 120 > 109
  t->Filtros().RemoveForaDaMedia(20, 8);
  EXPECT_EQ(t->W(360, 1), 0.0);
  EXPECT_EQ(t->W(359, 1), 100.0);
}

TEST(RemoveIsolados, RemovesAValueWithoutNeighboursEvenOnTheRing) {
  auto t = Novas(1);
  for (int k = 1; k <= kAngulos; ++k) t->W(k, 1) = 100;
  t->W(49, 1) = t->W(51, 1) = 0;
  t->W(200, 1) = 160;  // a step smaller than half the value stays
  t->Filtros().RemoveIsolados();
  EXPECT_EQ(t->W(50, 1), 0.0);
  EXPECT_EQ(t->W(200, 1), 160.0);
}

TEST(CompletaAnel1, ZerosTakeTheNextValueAndTheTailTakesRow1) {
  auto t = Novas(1);
  for (int k = 5; k <= 300; ++k) t->W(k, 1) = k;
  t->W(10, 1) = 0;
  t->Filtros().CompletaAnel1();
  EXPECT_EQ(t->W(1, 1), 5.0);
  EXPECT_EQ(t->W(10, 1), 11.0);
  EXPECT_EQ(t->W(301, 1), 5.0);
  EXPECT_EQ(t->W(360, 1), 5.0);
}

TEST(AjustaModa, FillsAndReplacesOnlyInRings1To12) {
  auto t = Novas(32);
  t->Regular(0, 5);
  for (int r : {1, 12, 13}) {
    t->W(100, r) = 0;
    t->W(150, r) = 5.0 * r * 1.3;
  }
  t->Filtros().AjustaModa(10, 12);
  EXPECT_EQ(t->W(100, 1), 5.0);
  EXPECT_EQ(t->W(150, 12), 60.0);
  EXPECT_EQ(t->W(100, 13), 0.0);
  EXPECT_DOUBLE_EQ(t->W(150, 13), 5.0 * 13 * 1.3);
}

TEST(PreencheLacunas, FillsFromTheInnerRingsSpacing) {
  auto t = Novas(2);
  for (int k = 1; k <= kAngulos; ++k) t->W(k, 1) = 100, t->W(k, 2) = 120;
  t->W(50, 2) = 0;
  t->W(51, 2) = 0;
  t->Filtros().PreencheLacunas();
  EXPECT_DOUBLE_EQ(t->W(50, 2), 120.0);  // inner ring + mean spacing of the two neighbours
  EXPECT_DOUBLE_EQ(t->W(51, 2), 120.0);
}

TEST(PreencheLacunas, RefusedNeighboursAreDroppedAndTheSearchWidens) {
  auto t = Novas(2);
  for (int k = 1; k <= kAngulos; ++k) t->W(k, 1) = 100;
  for (int k = 40; k <= 60; ++k) t->W(k, 2) = 130;
  t->W(45, 2) = 0;
  t->W(44, 2) = 170;  // more than 25 from its partner: both dropped, then 43 and 46 are used
  t->Filtros().PreencheLacunas();
  EXPECT_EQ(t->W(44, 2), 0.0);
  EXPECT_EQ(t->W(45, 2), 130.0);
  EXPECT_EQ(t->W(46, 2), 130.0);
}

TEST(CortaAposFalha, EmptiesTheRowAfterItsFirstGap) {
  auto t = Novas();
  t->Regular(10, 10);
  t->W(7, 3) = 0;
  t->Filtros().CortaAposFalha();
  for (int r = 1; r <= 16; ++r) EXPECT_EQ(t->W(7, r), r < 3 ? 10 + 10.0 * r : 0.0) << r;
  EXPECT_EQ(t->W(8, 16), 170.0);
}

TEST(CorrigeAnel1, LowValuesTakeTheMeanOfTheirNeighboursAcrossRow360) {
  auto t = Novas(1);
  for (int k = 1; k <= kAngulos; ++k) t->W(k, 1) = 100;
  t->W(1, 1) = 10;
  t->W(360, 1) = 90;
  t->Filtros().CorrigeAnel1();
  EXPECT_EQ(t->W(1, 1), 95.0);
}

TEST(CompletaAneis, ExtendsShortRowsToTheLargestRadius) {
  auto t = Novas();
  t->Regular(0, 10);
  for (int r = 1; r <= 16; ++r) t->W(100, r) = 0;  // a row with no ring at all
  t->contagens[99] = 0;
  for (int r = 9; r <= 16; ++r) t->W(200, r) = 0;  // a row with 8 rings
  t->contagens[199] = 8;
  t->Filtros().CompletaAneis();
  for (int r = 1; r <= 16; ++r) {
    EXPECT_DOUBLE_EQ(t->W(100, r), r * 160.0 / 16) << r;
    EXPECT_DOUBLE_EQ(t->W(200, r), 10.0 * r) << r;
  }
  for (int n : t->contagens) EXPECT_EQ(n, 16);
}

TEST(CompletaAneis, RingsCloserThan4PixelsMoveOut2PixelsOnce) {
  auto t = Novas();
  t->Regular(0, 10);
  for (int k = 1; k <= kAngulos; ++k) t->W(k, 2) = 11;  // 1 pixel from ring 1
  t->Filtros().CompletaAneis();
  EXPECT_EQ(t->W(5, 2), 13.0);
  EXPECT_EQ(t->W(5, 3), 30.0);
}

TEST(LimpezaAposDeteccao, KeepsACleanTableAndRepairsAStrayPoint) {
  auto t = Novas();
  t->Regular(12, 9);
  t->D(1, 1) = 0;               // replaced by row 2 before copying
  t->D(100, 5) = 12 + 45 + 30;  // an edge of the wrong ring
  t->D(250, 7) = 0;             // a missed edge
  t->Filtros().LimpezaAposDeteccao();
  EXPECT_EQ(t->D(1, 1), 21.0);
  for (int k = 1; k <= kAngulos; ++k)
    for (int r = 1; r <= 16; ++r) ASSERT_NEAR(t->W(k, r), 12 + 9.0 * r, 0.5) << k << " " << r;
}

TEST(RemoveJanelasVazias, WindowsMoreThanHalfEmptyAreCleared) {
  auto t = Novas(1);
  for (int k = 1; k <= kAngulos; ++k) t->W(k, 1) = 100;
  for (int k = 21; k <= 31; k += 2) t->W(k, 1) = 0;  // 6 zeros in window 21..31
  t->Filtros().RemoveJanelasVazias(10);
  for (int k = 21; k <= 31; ++k) EXPECT_EQ(t->W(k, 1), 0.0) << k;
  EXPECT_EQ(t->W(20, 1), 100.0);
}

}  // namespace
}  // namespace vessik
