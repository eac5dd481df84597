// The calibration's numbers and files without the window: the sphere files, the per-ring fit
// over them, the quality of a fit, and the turret animation files.
#include <gtest/gtest.h>

#include "CalibFixture.h"
#include "CalibracaoEsferas.h"
#include "DesenhoCalibrador.h"
#include "Errors.h"

namespace zv {
namespace {

using test::AneisSobreALinha;
using test::TextoEsfera;

void GravaEsferas(const std::string& dir, int aneis) {
  for (int s = 1; s <= 4; ++s)
    WriteFileAtomic(JoinPath(dir, IntToStr(s) + ".txt"),
                    TextoEsfera(TextoRaio(s, '.'), AneisSobreALinha(kRaiosEsferas[s - 1], aneis)));
}

TEST(TextoRaio, IntegerPartSeparatorAndTwoDecimals) {
  EXPECT_EQ(TextoRaio(1, '.'), "7.73");
  EXPECT_EQ(TextoRaio(1, ','), "7,73");
  EXPECT_EQ(TextoRaio(4, ','), "8,91");
}

TEST(CalibraEsferas, PointsExactlyOnALineGiveThatLineBackForEveryRing) {
  test::TempDir dir;
  GravaEsferas(dir.path(), 32);
  const Calibracao c = CalibraEsferas(dir.path(), 32);
  ASSERT_EQ(c.coeficientes.size(), 32u);
  for (int j = 1; j <= 32; ++j) {
    EXPECT_NEAR(c.coeficientes[j - 1].a, test::LinhaA(j), 1e-6) << j;
    EXPECT_NEAR(c.coeficientes[j - 1].b, test::LinhaB(j), 1e-9) << j;
  }
  EXPECT_LT(c.qualidade.piorResiduoD, 1e-4);
  EXPECT_FALSE(c.qualidade.Alerta());
}

TEST(CalibraEsferas, ReadsCommaFilesAndFitsAtMostTheDevicesRings) {
  test::TempDir dir;
  for (int s = 1; s <= 4; ++s)
    WriteFileAtomic(
        dir / (IntToStr(s) + ".txt"),
        TextoEsfera(TextoRaio(s, ','), AneisSobreALinha(kRaiosEsferas[s - 1], 20), ',') +
            "\r\n  \r\n");
  const Calibracao c = CalibraEsferas(dir.path(), 16);
  ASSERT_EQ(c.coeficientes.size(), 16u);
  EXPECT_NEAR(c.coeficientes[15].b, test::LinhaB(16), 1e-9);
  EXPECT_EQ(c.qualidade.aneisDoAparelho, 16);
}

// One ring over four spheres, worked by hand: ρ = 100..400 px, R = 7, 8, 9, 10.2 mm give
// b = 0.0106 mm/px and a = 5.9 mm, so sphere 3 comes back as 9.08 mm: +0.08 mm and
// 337.5/9.08 − 337.5/9 = −0.33040 D, the worst of the four.
TEST(CalibraEsferas, QualityGivesEachSpheresResidualAndTheWorstRing) {
  test::TempDir dir;
  const char* raios[4] = {"7", "8", "9", "10.2"};
  for (int s = 1; s <= 4; ++s)
    WriteFileAtomic(dir / (IntToStr(s) + ".txt"), TextoEsfera(raios[s - 1], {100.0 * s}));
  const Calibracao c = CalibraEsferas(dir.path(), 32);
  ASSERT_EQ(c.coeficientes.size(), 1u);
  EXPECT_NEAR(c.coeficientes[0].a, 5.9, 1e-12);
  EXPECT_NEAR(c.coeficientes[0].b, 0.0106, 1e-15);
  const QualidadeCalibracao& q = c.qualidade;
  const ResiduoEsfera& e3 = q.aneis[0].esferas[2];
  EXPECT_NEAR(e3.raioCalculado, 9.08, 1e-12);
  EXPECT_NEAR(e3.residuoMm, 0.08, 1e-12);
  EXPECT_NEAR(e3.residuoD, -0.330396, 1e-6);
  EXPECT_NEAR(q.aneis[0].esferas[0].residuoD, 337.5 / 6.96 - 337.5 / 7, 1e-12);
  EXPECT_EQ(q.piorAnel, 1);
  EXPECT_EQ(q.piorEsfera, 3);
  EXPECT_TRUE(q.Alerta());
  const std::string resumo = ResumoQualidade(q);
  EXPECT_NE(resumo.find("Pior anel: 1 (esfera 3, 0.330 D)"), std::string::npos) << resumo;
  EXPECT_NE(resumo.find("Atenção"), std::string::npos);
  EXPECT_NE(resumo.find("Anéis 2 a 32 não calibrados"), std::string::npos);

  DateTime quando;
  quando.year = 2026, quando.month = 12, quando.day = 10, quando.hour = 15;
  const auto relatorio = RelatorioQualidade(q, quando);
  EXPECT_EQ(relatorio.front(), "Qualidade da calibração - 10/12/2026 15:00:00");
  // Ring 1, sphere 3: known, calculated, mm and dioptre residuals.
  EXPECT_NE(std::find(relatorio.begin(), relatorio.end(),
                      "   1      3     9.0000          9.0800        0.0800      -0.3304"),
            relatorio.end());
}

TEST(CalibraEsferas, RefusesEveryBadSetOfSphereFiles) {
  struct Caso {
    const char* nome;
    std::function<void(const test::TempDir&)> estraga;
  };
  const std::vector<Caso> casos = {
      {"missing file", [](const auto& d) { std::remove((d / "3.txt").c_str()); }},
      {"ring line with text",
       [](const auto& d) { WriteFileAtomic(d / "2.txt", "8.05\r\n100\r\nabc\r\n"); }},
      {"fewer rings than sphere 1",
       [](const auto& d) { WriteFileAtomic(d / "4.txt", "8.91\r\n100\r\n"); }},
      {"more rings than sphere 1",
       [](const auto& d) {
         WriteFileAtomic(d / "4.txt", TextoEsfera("8.91", AneisSobreALinha(8.91, 33)));
       }},
      {"radius only", [](const auto& d) { WriteFileAtomic(d / "1.txt", "7.73\r\n"); }},
      {"empty file", [](const auto& d) { WriteFileAtomic(d / "1.txt", ""); }},
      {"four equal spheres (G = 0)",
       [](const auto& d) {
         for (int s = 1; s <= 4; ++s)
           WriteFileAtomic(d / (IntToStr(s) + ".txt"), TextoEsfera("7.73", {120, 130}));
       }},
  };
  for (const Caso& caso : casos) {
    test::TempDir dir;
    GravaEsferas(dir.path(), 32);
    caso.estraga(dir);
    EXPECT_ANY_THROW(CalibraEsferas(dir.path(), 32)) << caso.nome;
  }
}

TEST(AnimacaoTorre, FilesPlayTheTurretFromOneSphereToTheNextAndRefuseDamage) {
  test::TempDir dir;
  GravaAnimacoesTorre(dir / "imgs");
  for (const ArquivoAnimacao& f : kAnimacoesTorre) {
    const auto a = LeAnimacao(dir / ("imgs/" + std::string(f.nome)));
    ASSERT_TRUE(a) << f.nome;
    ASSERT_GT(a->quadros.size(), 10u);
    // First and last frames: the turret at rest before and after the turn.
    EXPECT_EQ(a->quadros.front(), AnimacaoTorre(f.de, f.para).quadros.front());
    EXPECT_EQ(a->quadros.back(), AnimacaoTorre(f.para, f.para).quadros.back()) << f.nome;
  }
  const std::string cheio = ReadFileBytes(dir / "imgs/cbr_mov1.dat");
  WriteFileAtomic(dir / "cortado.dat", cheio.substr(0, cheio.size() / 2));
  WriteFileAtomic(dir / "texto.dat", "not an animation");
  EXPECT_FALSE(LeAnimacao(dir / "cortado.dat"));
  EXPECT_FALSE(LeAnimacao(dir / "texto.dat"));
  EXPECT_FALSE(LeAnimacao(dir / "nenhum.dat"));
}

}  // namespace
}  // namespace zv
