#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>

#include "Conversao.h"
#include "Errors.h"
#include "NumberFormat.h"
#include "ScriptedDialogs.h"
#include "TestPaths.h"
#include "TextFile.h"

namespace vessik {
namespace {

using zv::test::ScriptedDialogs;
using zv::test::TempDir;

struct CasoCoef {
  const char* nome;
  std::string conteudo;
  int numAneis;
  int pares;  // -1: refused
  double a1, b1;
};

TEST(LeCoeficientes, ReadsPairsWithPointOrComma) {
  const std::vector<CasoCoef> casos = {
      {"points", "7.5\r\n0.01\r\n8\r\n0.02\r\n", 16, 2, 7.5, 0.01},
      {"commas", "7,5\r\n0,01\r\n8\r\n0,02\r\n", 16, 2, 7.5, 0.01},
      {"trailing blank lines", "1\r\n2\r\n\r\n  \r\n", 16, 1, 1, 2},
      {"exactly N pairs", "1\r\n2\r\n3\r\n4\r\n", 2, 2, 1, 2},
      {"N + 1 pairs", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n", 2, -1, 0, 0},
      {"empty file", "", 16, 0, 0, 0},
      {"exponent", "1E-6\r\n-2.5\r\n", 16, 1, 1e-6, -2.5},
  };
  for (const auto& c : casos) {
    TempDir dir;
    zv::WriteFileAtomic(dir / "Coef.txt", c.conteudo);
    ScriptedDialogs dialogs;
    const auto coef = LeCoeficientes(dir / "Coef.txt", c.numAneis, dialogs);
    if (c.pares < 0) {
      EXPECT_FALSE(coef) << c.nome;
      ASSERT_EQ(dialogs.shown.size(), 1u) << c.nome;
      EXPECT_EQ(dialogs.shown[0].text,
                "Não é possivel processar o exame pois o numero de anéis da     \rcalibração é "
                "maior que do exame.\r\rFavor realize uma nova calibração.");
      EXPECT_EQ(dialogs.shown[0].caption, "Informação");
      EXPECT_EQ(dialogs.shown[0].icon, zv::MsgIcon::Warning);
      continue;
    }
    ASSERT_TRUE(coef) << c.nome;
    EXPECT_TRUE(dialogs.shown.empty()) << c.nome;
    EXPECT_EQ(coef->pares, c.pares) << c.nome;
    EXPECT_DOUBLE_EQ(coef->a[1], c.a1) << c.nome;
    EXPECT_DOUBLE_EQ(coef->b[1], c.b1) << c.nome;
    EXPECT_EQ(coef->a[c.pares + 1], 0.0) << c.nome;
  }
}

TEST(LeCoeficientes, UnreadableFileOrNonNumberIsRaised) {
  TempDir dir;
  ScriptedDialogs dialogs;
  EXPECT_THROW(LeCoeficientes(dir / "Coef.txt", 16, dialogs), zv::IoError);
  for (const char* ruim :
       {"7.5\r\nabc\r\n", "7.5\r\n", "1,234.5\r\n1\r\n", "7.5\r\n\r\n1\r\n2\r\n"}) {
    zv::WriteFileAtomic(dir / "Coef.txt", ruim);
    EXPECT_THROW(LeCoeficientes(dir / "Coef.txt", 16, dialogs), zv::ConvertError) << ruim;
  }
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST(LeCoeficientes, AbsurdCoefficientIsRaisedNamingTheLine) {
  TempDir dir;
  ScriptedDialogs dialogs;
  for (const char* ruim : {"7.5\r\n0.02\r\n1e300\r\n0.02\r\n", "7.5\r\n0.02\r\n7.5\r\n-1000\r\n"}) {
    zv::WriteFileAtomic(dir / "Coef.txt", ruim);
    try {
      LeCoeficientes(dir / "Coef.txt", 16, dialogs);
      ADD_FAILURE() << "accepted " << ruim;
    } catch (const zv::ConvertError& e) {
      EXPECT_NE(std::string(e.what()).find("line "), std::string::npos) << e.what();
    }
  }
  zv::WriteFileAtomic(dir / "Coef.txt", "999.9\r\n-999.9\r\n");
  EXPECT_TRUE(LeCoeficientes(dir / "Coef.txt", 16, dialogs).has_value());
}

TEST(DuasCasas, EqualsTheTextWrittenAndReadBack) {
  auto texto = [](double v) { return zv::StrToFloat(zv::FormatFloat("00.00", v)); };
  for (double v : {2.675, 4.005, 1.005, 7.856, 0.125, 0.0, 123.456, 45.0, -1.2, -0.001, 1e14,
                   40.049999999999997, 0.004999999, 99.995,
                   // large values whose 15-digit form is a half
                   1243658524.4749992, 66710535561.494972})
    EXPECT_EQ(DuasCasas(v), texto(v)) << v;
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> potencia(0, 400);
  for (int i = 0; i < 20000; ++i) {
    const double v = potencia(rng);
    ASSERT_EQ(DuasCasas(v), texto(v)) << v;
    const double meio = std::floor(v * 100) / 100 + 0.005;  // near a half
    ASSERT_EQ(DuasCasas(meio), texto(meio)) << meio;
  }
}

struct Tabelas {
  TabelaAneis raios{}, potencias{};
  ContagemAneis contagens{};
};

TEST(ConverteAneis, LinearCalibrationGivesThePower) {
  auto t = std::make_unique<Tabelas>();
  Coeficientes coef;
  for (int j = 1; j <= 16; ++j) coef.b[j] = 0.025;
  for (int k = 0; k < kAngulos; ++k) {
    for (int j = 1; j <= 16; ++j) t->raios[k][j] = 300;
    t->contagens[k] = 16;
  }
  ScriptedDialogs dialogs;
  EXPECT_TRUE(ConverteAneis(t->raios, t->contagens, coef, 16, t->potencias, dialogs));
  EXPECT_DOUBLE_EQ(t->potencias[17][16], 45.0);  // 337.5 / 7.5
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST(ConverteAneis, ACalibrationShorterThanTheExamStopsAtTheFirstMissingRing) {
  auto t = std::make_unique<Tabelas>();
  Coeficientes coef;
  coef.a[1] = coef.a[2] = 7.8;
  coef.pares = 2;
  for (int k = 0; k < kAngulos; ++k) {
    for (int j = 1; j <= 16; ++j) t->raios[k][j] = 10.0 * j, t->potencias[k][j] = 99;
    t->contagens[k] = 16;
  }
  ScriptedDialogs dialogs;
  EXPECT_FALSE(ConverteAneis(t->raios, t->contagens, coef, 16, t->potencias, dialogs));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Erro ao processar o anél 3\rVerifique a calibração.");
  EXPECT_EQ(dialogs.shown[0].caption, "Informação");
  EXPECT_DOUBLE_EQ(t->potencias[0][2], 337.5 / 7.8);
  EXPECT_EQ(t->potencias[0][3], 0.0);
  EXPECT_EQ(t->potencias[1][1], 0.0);  // cleared, never converted
}

TEST(SuavizaPotencias, Column0IsTheMeanOfRing1BeforeSmoothing) {
  auto t = std::make_unique<Tabelas>();
  for (int k = 0; k < kAngulos; ++k) {
    t->contagens[k] = 3;
    for (int j = 1; j <= 3; ++j) t->raios[k][j] = 10.0 * j;
    t->potencias[k][1] = k < 180 ? 44.0 : 46.0;
    t->potencias[k][2] = 40, t->potencias[k][3] = 42;
  }
  SuavizaPotencias(t->raios, t->contagens, 3, t->potencias);
  ArredondaDuasCasas(t->potencias, 3);
  for (int k = 0; k < kAngulos; ++k) ASSERT_EQ(t->potencias[k][0], 45.0);
  // Nine in-place passes along each row over rings 1 and 2 (column 0 = 45, ring 3 = 42 fixed),
  // worked out by hand: 44 / 40 become 43.90 / 42.92, 46 / 40 become 43.94 / 42.95.
  EXPECT_EQ(t->potencias[90][1], 43.90);
  EXPECT_EQ(t->potencias[90][2], 42.92);
  EXPECT_EQ(t->potencias[270][1], 43.94);
  EXPECT_EQ(t->potencias[270][2], 42.95);
  // Ring 3 is the last of each row: only smoothed across angles, where it is constant.
  EXPECT_EQ(t->potencias[90][3], 42.0);
}

TEST(SuavizaPotencias, OnePassAcrossAnglesWhereTheRadiiAreMeasured) {
  auto t = std::make_unique<Tabelas>();
  for (int k = 0; k < kAngulos; ++k) {
    t->contagens[k] = 3;
    for (int j = 1; j <= 3; ++j) t->raios[k][j] = 10.0 * j, t->potencias[k][j] = 42;
  }
  // Ring 3 (the last, untouched along the rows) with a bump at directions 100, 202 and 1.
  t->potencias[99][3] = 46;
  t->raios[200][3] = 0, t->potencias[201][3] = 46;  // direction 201 has no radius
  t->potencias[0][3] = 46;
  SuavizaPotencias(t->raios, t->contagens, 3, t->potencias);
  ArredondaDuasCasas(t->potencias, 3);
  // Rows in increasing order, each seeing the row before already smoothed:
  // 99: 0.5 * 42 + 0.25 * (46 + 42) = 43; 100: 0.5 * 46 + 0.25 * (42 + 43) = 44.25;
  // 101: 0.5 * 42 + 0.25 * (42 + 44.25) = 42.5625.
  EXPECT_EQ(t->potencias[98][3], 43.0);
  EXPECT_EQ(t->potencias[99][3], 44.25);
  EXPECT_EQ(t->potencias[100][3], 42.56);
  EXPECT_EQ(t->potencias[101][3], 42.14);
  EXPECT_EQ(t->potencias[201][3], 46.0);  // a neighbour without a radius: left alone
  EXPECT_EQ(t->potencias[0][3], 46.0);    // directions 1 and 360 are not smoothed
  EXPECT_EQ(t->potencias[1][3], 43.0);
}

// A profile of constant power K on every angle up to `ate` pixels.
TabelaPerfil PerfilConstante(double k, int ate = 300) {
  TabelaPerfil p(static_cast<size_t>(kAngulos) * kPassosPerfil);
  for (int a = 1; a <= kAngulos; ++a)
    for (int c = 0; c <= ate; ++c) Celula(p, a, c).k = k, Celula(p, a, c).raio = 337.5 / k;
  return p;
}

TEST(CalculaSAG, SphereOf7_8Millimetres) {
  const auto sag = CalculaSAG(PerfilConstante(337.5 / 7.8), 0.024);
  ASSERT_TRUE(sag);
  EXPECT_NEAR(*sag, 7.8 - std::sqrt(7.8 * 7.8 - 4.675 * 4.675), 1e-12);
  EXPECT_NEAR(*sag, 1.556, 5e-4);
}

TEST(CalculaSAG, ZoneEndsAtCell194ForFactor0_024) {
  auto p = PerfilConstante(337.5 / 8);
  for (int a = 1; a <= kAngulos; ++a) Celula(p, a, 195).k = 100;  // outside the zone
  EXPECT_NEAR(*CalculaSAG(p, 0.024), 8 - std::sqrt(64 - 4.675 * 4.675), 1e-12);
  for (int a = 1; a <= kAngulos; ++a) Celula(p, a, 194).k = 100;  // inside
  EXPECT_GT(*CalculaSAG(p, 0.024), 8 - std::sqrt(64 - 4.675 * 4.675));
}

TEST(CalculaSAG, UsesTheMeridianPerpendicularToTheSteepest) {
  auto p = PerfilConstante(40);
  for (int c = 0; c <= 300; ++c) Celula(p, 30, c).k = Celula(p, 210, c).k = 44;   // steepest
  for (int c = 0; c <= 300; ++c) Celula(p, 120, c).k = Celula(p, 300, c).k = 38;  // flattest
  const double r = 337.5 / 38;
  EXPECT_NEAR(*CalculaSAG(p, 0.024), r - std::sqrt(r * r - 4.675 * 4.675), 1e-12);
}

TEST(CalculaSAG, AngleWithoutPowerLeavesItsMeridianToTheOppositeAngle) {
  auto p = PerfilConstante(40);
  for (int c = 0; c <= 300; ++c) {
    Celula(p, 30, c).k = 44;  // steepest meridian 30
    Celula(p, 210, c).k = 0;  // opposite angle without any power
    Celula(p, 120, c).k = 0;  // perpendicular meridian: only angle 300 measured
    Celula(p, 300, c).k = 36;
  }
  const double r = 337.5 / 36;
  EXPECT_NEAR(*CalculaSAG(p, 0.024), r - std::sqrt(r * r - 4.675 * 4.675), 1e-12);
  for (int c = 0; c <= 300; ++c) Celula(p, 300, c).k = 0;
  EXPECT_FALSE(CalculaSAG(p, 0.024));  // the flattest meridian has nothing at all
  EXPECT_FALSE(CalculaSAG(TabelaPerfil(static_cast<size_t>(kAngulos) * kPassosPerfil), 0.024));
}

TEST(MontaPerfil, SplineThroughTheCentreAndTheRingsButTheLast) {
  auto t = std::make_unique<Tabelas>();
  for (int k = 0; k < kAngulos; ++k) {
    t->contagens[k] = 4;
    t->potencias[k][0] = 44;
    for (int j = 1; j <= 4; ++j) t->raios[k][j] = 20.0 * j, t->potencias[k][j] = 44 - j;
  }
  t->potencias[0][4] = 10;  // the last ring is not a knot
  TabelaPerfil p;
  MontaPerfil(t->raios, t->potencias, t->contagens, p);
  // Linear knots: the spline is the line 44 - v / 20; cells 0..79 are filled.
  EXPECT_EQ(Celula(p, 1, 0).k, 44.0);
  EXPECT_EQ(Celula(p, 1, 30).k, 42.5);
  EXPECT_EQ(Celula(p, 1, 79).k, 40.05);
  EXPECT_DOUBLE_EQ(Celula(p, 1, 30).raio, 337.5 / 42.5);
  EXPECT_EQ(Celula(p, 1, 80).k, 0.0);
  EXPECT_EQ(Celula(p, 360, 79).k, 40.05);
}

TEST(MontaPerfil, ZeroWidthIntervalEndsTheBuildSilently) {
  auto t = std::make_unique<Tabelas>();
  for (int k = 0; k < kAngulos; ++k) {
    t->contagens[k] = 3;
    for (int j = 1; j <= 3; ++j) t->raios[k][j] = 20.0 * j, t->potencias[k][j] = 40;
    t->potencias[k][0] = 40;
  }
  t->raios[10][2] = t->raios[10][1];  // angle 11 has two knots at the same radius
  TabelaPerfil p;
  MontaPerfil(t->raios, t->potencias, t->contagens, p);
  EXPECT_EQ(Celula(p, 10, 5).k, 40.0);
  EXPECT_EQ(Celula(p, 11, 5).k, 0.0);
  EXPECT_EQ(Celula(p, 12, 5).k, 0.0);
}

TEST(TabelaAceitavel, OnlyRadiiThatAreNumbersWithinAThousandPixelsEnterTheCore) {
  auto t = std::make_unique<Tabelas>();
  EXPECT_TRUE(TabelaAceitavel(t->raios));
  struct Caso {
    double valor;
    bool aceito;
  } casos[] = {
      {999.99, true},
      {-999.99, true},
      {1000, false},
      {-1e16, false},  // a profile walked from below -2^53 in steps of 1 would never end
      {std::nan(""), false},
      {-std::numeric_limits<double>::infinity(), false},
  };
  for (const auto& c : casos) {
    t->raios[200][0] = c.valor;
    EXPECT_EQ(TabelaAceitavel(t->raios), c.aceito) << c.valor;
  }
}

}  // namespace
}  // namespace vessik
