// Map computation on hand-made ring tables: axial and tangential power of a conicoid against
// the closed forms, keratometry of toric corneas, tables that hold nothing usable, and the
// colour scales.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "MapaCurvatura.h"

namespace mapas {
namespace {

constexpr double kFator = 0.024;

struct Exame {
  TMatrizAngAnel pixels{}, dioptrias{};
  TMatrizAng aneis{};
};

// Ring j at j x 7 pixels on every meridian, power(clinical angle, radius mm) rounded to 0.01 D
// as the processing writes it; column 0 holds ring 1's power.
std::unique_ptr<Exame> Tabelas(const std::function<double(double, double)>& potencia) {
  auto e = std::make_unique<Exame>();
  for (int k = 0; k < 360; ++k) {
    const double angulo = AnguloClinico(k + 1);
    e->aneis[k] = 32;
    for (int j = 1; j <= 32; ++j) {
      e->pixels[k][j] = 7.0 * j;
      e->dioptrias[k][j] = std::round(potencia(angulo, 7.0 * j * kFator) * 100) / 100;
    }
    e->dioptrias[k][0] = e->dioptrias[k][1];
  }
  return e;
}

TEST(Grade, AxialAndTangentialPowerOfAConicoidFollowTheClosedForms) {
  const double R = 7.8, Q = -0.4;
  const auto e = Tabelas([=](double, double r) { return 337.5 / std::sqrt(R * R - Q * r * r); });
  const GradePotencia axial =
      CalculaGrade(TipoMapa::Axial, e->pixels, e->aneis, e->dioptrias, 32, kFator);
  const GradePotencia tangencial =
      CalculaGrade(TipoMapa::Tangencial, e->pixels, e->aneis, e->dioptrias, 32, kFator);
  for (double r = 0.3; r <= 4.5; r += 0.3) {
    const double rax = std::sqrt(R * R - Q * r * r);
    const double px = r / kFator;
    for (int m : {1, 90, 200, 360}) {
      EXPECT_NEAR(axial.Em(m, px), 337.5 / rax, 0.02) << r;
      EXPECT_NEAR(tangencial.Em(m, px), 337.5 * R * R / (rax * rax * rax), 0.05) << r;
    }
  }
  // Beyond the outermost ring (32 x 7 pixels) there is no map.
  EXPECT_TRUE(std::isnan(axial.Em(1, 7.0 * 32 + 1)));
}

TEST(Ceratometria, PrincipalMeridiansOfTorics) {
  struct Caso {
    double raioCurvo, raioPlano, eixo;
  } casos[] = {{7.6, 8.0, 30}, {7.5, 7.9, 90}, {7.7, 8.2, 180}, {7.2, 7.4, 155}};
  for (const Caso& c : casos) {
    const double ks = 337.5 / c.raioCurvo, kp = 337.5 / c.raioPlano;
    const auto e = Tabelas([&](double angulo, double) {
      const double d = (angulo - c.eixo) * M_PI / 180;
      return kp + (ks - kp) * std::cos(d) * std::cos(d);
    });
    const GradePotencia grade =
        CalculaGrade(TipoMapa::Axial, e->pixels, e->aneis, e->dioptrias, 32, kFator);
    const Ceratometria k = CalculaCeratometria(grade);
    ASSERT_TRUE(k.valida);
    EXPECT_NEAR(k.kCurvo, ks, 0.01) << c.eixo;
    EXPECT_NEAR(k.kPlano, kp, 0.01) << c.eixo;
    EXPECT_EQ(k.eixoCurvo, c.eixo);
    EXPECT_EQ(k.eixoPlano, std::fmod(c.eixo + 90, 180) == 0 ? 180 : std::fmod(c.eixo + 90, 180));

    TIndicesMapa indices;
    std::fill(std::begin(indices), std::end(indices), 9.0);
    PreencheIndices(k, grade, indices);
    EXPECT_EQ(indices[0], k.kCurvo);
    EXPECT_EQ(indices[1], k.kPlano);
    EXPECT_NEAR(indices[4], ks - kp, 0.02);
    EXPECT_EQ(indices[6], c.eixo);
    EXPECT_NEAR(indices[8], ks, 0.01);
    for (int slot : {2, 3, 5}) EXPECT_EQ(indices[slot], 0) << slot;
  }
}

TEST(Grade, TablesWithoutUsableRingsGiveNoMapAndZeroIndices) {
  const auto esfera = [](double, double) { return 43.27; };
  struct Caso {
    const char* nome;
    std::function<void(Exame&)> estraga;
  } casos[] = {
      {"zeros", [](Exame& e) { e = Exame{}; }},
      {"not a number",
       [](Exame& e) {
         for (auto& linha : e.dioptrias)
           for (double& v : linha) v = std::nan("");
       }},
      {"ring counts below 0",
       [](Exame& e) {
         for (auto& n : e.aneis) n = -5;
       }},
      {"radii not increasing",
       [](Exame& e) {
         for (auto& linha : e.pixels) linha[1] = 0;
       }},
  };
  for (const Caso& c : casos) {
    auto e = Tabelas(esfera);
    c.estraga(*e);
    const GradePotencia grade =
        CalculaGrade(TipoMapa::Tangencial, e->pixels, e->aneis, e->dioptrias, 32, kFator);
    EXPECT_TRUE(grade.Vazia()) << c.nome;
    TIndicesMapa indices;
    std::fill(std::begin(indices), std::end(indices), 9.0);
    PreencheIndices(CalculaCeratometria(grade), grade, indices);
    for (double v : indices) EXPECT_EQ(v, 0) << c.nome;
  }
  // The map stops before a ring that does not lie outside the previous one.
  auto e = Tabelas(esfera);
  for (auto& linha : e->pixels) linha[3] = linha[2];
  const GradePotencia curta =
      CalculaGrade(TipoMapa::Axial, e->pixels, e->aneis, e->dioptrias, 32, kFator);
  EXPECT_NEAR(curta.Em(10, 14.0), 43.27, 1e-9);
  EXPECT_TRUE(std::isnan(curta.Em(10, 14.5)));

  // A ring count above 32 is read as 32, not past the table.
  e = Tabelas(esfera);
  for (auto& n : e->aneis) n = 1000;
  EXPECT_NEAR(
      CalculaGrade(TipoMapa::Axial, e->pixels, e->aneis, e->dioptrias, 32, kFator).Em(10, 7.0 * 32),
      43.27, 1e-9);
}

TEST(Escala, LevelsOfTheAbsoluteAndTheNormalisedScale) {
  // Absolute, 1.5 D: 26 levels from 44 - 13 x 1.5 = 24.5 D.
  const Escala absoluta = EscalaAbsoluta(1.5);
  EXPECT_EQ(absoluta.Niveis(), 26);
  EXPECT_EQ(absoluta.Nivel(44.0), 13);
  EXPECT_EQ(absoluta.Nivel(43.99), 12);
  EXPECT_EQ(absoluta.Nivel(10.0), 0);
  EXPECT_EQ(absoluta.Nivel(90.0), 25);
  // Normalised, 0.5 D, map from 40.1 to 45.2 D: levels from 40.0, the last holding 45.0..45.5.
  const Escala normalizada = EscalaNormalizada(40.1, 45.2, 0.5);
  EXPECT_DOUBLE_EQ(normalizada.inicio, 40.0);
  EXPECT_EQ(normalizada.Niveis(), 11);
  EXPECT_EQ(normalizada.Nivel(45.2), 10);
  // A step the window does not offer falls back to 1 D.
  EXPECT_DOUBLE_EQ(EscalaAbsoluta(0.3).passo, 1.0);
}

// The detector samples table meridian m along the ray m + 1 degrees clockwise on the screen
// from the right: meridian 359 looks to the right, 360 one degree below it, 269 straight up.
TEST(AnguloClinico, RunsCounterClockwiseFromTheRightOfTheImageOneDegreePastTheMeridian) {
  struct Caso {
    int meridiano;
    double clinico;  // counter-clockwise, up is 90
    double tela;     // clockwise on the screen, down is 90
  } casos[] = {{359, 0, 0},   {360, 359, 1},  {1, 358, 2},     {269, 90, 270},
               {89, 270, 90}, {329, 30, 330}, {179, 180, 180}, {239, 120, 240}};
  for (const auto& c : casos) {
    EXPECT_EQ(AnguloClinico(c.meridiano), c.clinico) << c.meridiano;
    EXPECT_EQ(MeridianoDoAngulo(c.clinico), c.meridiano) << c.clinico;
    EXPECT_EQ(MeridianoDoAngulo(c.clinico + 360), c.meridiano) << c.clinico;
    EXPECT_EQ(GradePotencia::MeridianoDaDirecao(c.tela), c.meridiano) << c.tela;
    EXPECT_EQ(GradePotencia::MeridianoDaDirecao(c.tela - 360), c.meridiano) << c.tela;
  }
  // A direction between two rays goes to the nearer one.
  EXPECT_EQ(GradePotencia::MeridianoDaDirecao(330.4), 329);
  EXPECT_EQ(MeridianoDoAngulo(29.6), 329);
}

}  // namespace
}  // namespace mapas
