#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "AneisSinteticos.h"
#include "Errors.h"
#include "ProcessingSession.h"
#include "ScriptedDialogs.h"
#include "TestPaths.h"
#include "TextFile.h"

namespace vessik {
namespace {

using zv::test::ScriptedDialogs;
using zv::test::TempDir;

TEST(InicioVarredura, FromTheToleranceSettingsAndSlider) {
  struct Caso {
    int tvl, inc, posicao, esperado;
  } casos[] = {{10, 10, 2, 10},
               {10, 10, 0, 246},
               {10, 10, 4, 30},
               {250, 5, 4, 4},
               {0x10A, 0x205, 3, 15}};  // only the lowest bytes count
  for (const auto& c : casos)
    EXPECT_EQ(ProcessingSession::InicioVarredura(c.tvl, c.inc, c.posicao), c.esperado)
        << c.tvl << " " << c.inc << " " << c.posicao;
}

// "Coef.txt" with the same pair for `pares` rings.
void EscreveCoef(const std::string& dir, int pares, double a, double b) {
  std::vector<std::string> linhas;
  for (int j = 0; j < pares; ++j) {
    linhas.push_back(std::to_string(a));
    linhas.push_back(std::to_string(b));
  }
  zv::WriteTextLines(zv::JoinPath(dir, "Coef.txt"), linhas);
}

class Finalizacao : public ::testing::Test {
 protected:
  void SetUp() override {
    sessao = std::make_unique<ProcessingSession>(16, 0.024, dir.path() + "/", dialogs);
    sessao->SelecionaImagem(2);
    for (int k = 0; k < kAngulos; ++k) {
      for (int j = 1; j <= 16; ++j) sessao->trabalho[k][j] = sessao->bruta[k][j] = 15.0 * j;
      sessao->contagens[k] = 16;
    }
    sessao->MatrizesPixels[1][5][5] = 77;
    sessao->ValoresR0[1] = 7.7;
  }
  void EsperaNadaArmazenado() {
    EXPECT_EQ(sessao->MatrizesPixels[1][5][5], 77.0);
    EXPECT_EQ(sessao->MatrizesDioptrias[1][5][5], 0.0);
    EXPECT_EQ(sessao->ValoresR0[1], 7.7);
  }
  TempDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<ProcessingSession> sessao;
};

TEST_F(Finalizacao, ConvertsRoundsAndStoresTheImage) {
  EscreveCoef(dir.path(), 16, 7, 0.01);
  ASSERT_EQ(sessao->FinalizaImagem(), ResultadoFinalizacao::Armazenada);
  EXPECT_TRUE(dialogs.shown.empty());
  const auto& px = sessao->MatrizesPixels[1];
  const auto& dp = sessao->MatrizesDioptrias[1];
  for (int k = 0; k < kAngulos; ++k) {
    ASSERT_EQ(px[k][0], 0.0);
    ASSERT_EQ(dp[k][0], dp[0][0]);
    for (int j = 1; j <= 16; ++j) {
      ASSERT_EQ(px[k][j], 15.0 * j);
      ASSERT_EQ(dp[k][j], std::round(dp[k][j] * 100) / 100);
    }
    for (int j = 17; j <= 32; ++j) ASSERT_EQ(dp[k][j], 0.0);
  }
  // Ring 1 converts to 337.5 / 7.15 = 47.2028 before smoothing, the mean every row carries.
  EXPECT_EQ(dp[0][0], 47.2);
  EXPECT_EQ(sessao->ValoresR0[1], std::round(337.5 / dp[0][1] * 100) / 100);
  EXPECT_GT(sessao->ValoresSAG[1], 0.0);
  EXPECT_EQ(sessao->MatrizesPixels[0][0][1], 0.0);  // other images untouched
}

TEST_F(Finalizacao, SagOfASphereThroughTheWholeSequence) {
  // Every ring seen at radius of curvature 7.8 mm.
  EscreveCoef(dir.path(), 16, 7.8, 0);
  ASSERT_EQ(sessao->FinalizaImagem(), ResultadoFinalizacao::Armazenada);
  EXPECT_EQ(sessao->MatrizesDioptrias[1][100][7], 43.27);
  EXPECT_EQ(sessao->ValoresR0[1], 7.8);
  EXPECT_NEAR(sessao->ValoresSAG[1], 7.8 - std::sqrt(7.8 * 7.8 - 4.675 * 4.675), 1e-3);
}

TEST_F(Finalizacao, RefusedCalibrationStoresNothing) {
  EscreveCoef(dir.path(), 17, 0, 0.025);
  EXPECT_EQ(sessao->FinalizaImagem(), ResultadoFinalizacao::CoeficientesRecusados);
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EsperaNadaArmazenado();
}

TEST_F(Finalizacao, MissingOrBadCoefficientFileIsRaisedAndStoresNothing) {
  EXPECT_THROW(sessao->FinalizaImagem(), zv::IoError);
  EsperaNadaArmazenado();
  zv::WriteTextLines(dir / "Coef.txt", {"0", "x"});
  EXPECT_THROW(sessao->FinalizaImagem(), zv::ConvertError);
  EsperaNadaArmazenado();
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Finalizacao, ShortCalibrationIsReportedAndStoresNothing) {
  EscreveCoef(dir.path(), 12, 0, 0.025);
  EXPECT_EQ(sessao->FinalizaImagem(), ResultadoFinalizacao::FalhaConversao);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Erro ao processar o anél 13\rVerifique a calibração.");
  EsperaNadaArmazenado();
}

TEST_F(Finalizacao, ImageStillInEditingIsNotFinished) {
  EscreveCoef(dir.path(), 16, 0, 0.025);
  EXPECT_EQ(sessao->FinalizaImagem(true), ResultadoFinalizacao::EmEdicao);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text,
            "Imagem ainda em edição, por favor, clique no botão \"Retocar\".");
  EXPECT_EQ(dialogs.shown[0].caption, "Atenção!");
  EXPECT_EQ(dialogs.shown[0].icon, zv::MsgIcon::Information);
  EsperaNadaArmazenado();
}

TEST(ProcessaAneis, DrawnRingsAroundABrightReflex) {
  auto faixas = test::FaixasRegulares(8, 20, 8, 16);
  faixas.insert(faixas.begin(), {0, 3});  // the fixation reflex
  const auto img = test::DesenhaAneis(faixas, 322, 243);
  ScriptedDialogs dialogs;
  auto sessao = std::make_unique<ProcessingSession>(16, 0.024, "/nonexistent/", dialogs);
  sessao->SelecionaImagem(3);
  sessao->ProcessaAneis(img, 320, 240, ProcessingSession::InicioVarredura(10, 10, 2));
  EXPECT_NEAR(sessao->xc, 322, 0.5);
  EXPECT_NEAR(sessao->yc, 243, 0.5);
  EXPECT_DOUBLE_EQ(sessao->ConfImagem[2], IndiceConfianca(sessao->xc, sessao->yc, 0.024));
  for (int k = 0; k < kAngulos; ++k) {
    ASSERT_EQ(sessao->contagens[k], 16) << k;
    EXPECT_NEAR(sessao->trabalho[k][1], 20, 1.6);
    EXPECT_NEAR(sessao->trabalho[k][16], 20 + 7 * 16 + 8, 2);
  }
}

}  // namespace
}  // namespace vessik
