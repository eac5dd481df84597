#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>

#include "AneisSinteticos.h"
#include "Deteccao.h"
#include "ScriptedDialogs.h"

namespace vessik {
namespace {

using test::DesenhaAneis;
using test::FaixasRegulares;

TEST(NivelCinza, AddsTheThreeBytesWithRealDivisions) {
  // R = 3, G = 6, B = 9: w = 3 + 256 * 6 + 65536 * 9.
  const uint32_t w = 3 + 256 * 6 + 65536 * 9;
  EXPECT_DOUBLE_EQ(NivelCinza(w), (3.0 + (w % 65536) / 256.0 + w / 65536.0) / 3.0);
  EXPECT_EQ(NivelCinzaInteiro(w), 6);
  EXPECT_EQ(NivelCinzaInteiro(0xFFFFFF), 255);  // 255.99... rounds down
  ImagemRGB img(2, 1);
  img.Argb(1, 0) = 0xFF010203;  // R = 1, G = 2, B = 3
  EXPECT_EQ(img.Cor(1, 0), 1u + 256u * 2 + 65536u * 3);
}

TEST(Vetor_real, AddsOnlyProfilesOfTheSameLength) {
  zv::test::ScriptedDialogs dialogs;
  Vetor_real a, b;
  b.perfil[3] = 2;
  EXPECT_TRUE(a.Soma(b, dialogs));
  EXPECT_TRUE(a.Soma(b, dialogs));
  EXPECT_EQ(a.perfil[3], 4.0);
  b.n = 299;
  EXPECT_FALSE(a.Soma(b, dialogs));
  EXPECT_EQ(a.perfil[3], 4.0);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Os vetores não são do mesmo tamanho!!!");
}

TEST(Nucleos, OffsetsAndSignsFollowTheDerivatives) {
  Canny_1d canny(2);
  Marr_Hildret_1d marr(4);
  const double v = 4.0, q = 1 / (v * std::sqrt(2 * M_PI));
  EXPECT_DOUBLE_EQ(canny.nucleo[1], q * (-1 / v) * std::exp(-1 / (2 * v)));
  EXPECT_DOUBLE_EQ(canny.nucleo[299], -canny.nucleo[1]);  // offset -1 at index 299
  EXPECT_EQ(canny.nucleo[0], 0.0);
  EXPECT_EQ(canny.nucleo[150], 0.0);  // below the cut-off
  EXPECT_LT(marr.nucleo[0], 0.0);
  EXPECT_EQ(marr.nucleo[149], 0.0);  // offset -151
}

TEST(Correlacao, IsCircularAndSignsTheEdgeDirection) {
  Canny_1d canny(2);
  double impulso[kAmostras] = {};
  impulso[0] = 1;
  canny.Correlaciona(impulso);
  // response[i] = kernel[(0 - i) mod 300]: the kernel at offset -i.
  EXPECT_EQ(canny.perfil[5], canny.nucleo[295]);
  EXPECT_EQ(canny.perfil[295], canny.nucleo[5]);

  double degrau[kAmostras] = {};
  for (int i = 100; i < 200; ++i) degrau[i] = 200;
  canny.Correlaciona(degrau);
  EXPECT_LT(canny.perfil[100], 0.0);  // brightening outwards
  EXPECT_GT(canny.perfil[200], 0.0);  // darkening outwards
}

TEST(Correlacao, FastSumsEqualTheDirectSumsBitForBit) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> grey(0, 255);
  for (double sigma : {4.0, 2.0, 3.0, 1.5}) {
    Marr_Hildret_1d direto(sigma), rapido(sigma);
    for (int caso = 0; caso < 20; ++caso) {
      double perfil[kAmostras];
      for (double& p : perfil) p = caso % 3 == 0 && rng() % 4 == 0 ? 0.0 : grey(rng);
      direto.Correlaciona(perfil);
      rapido.CorrelacionaRapida(perfil);
      for (int i = 0; i < kAmostras; ++i)
        ASSERT_EQ(direto.perfil[i] + 0.0, rapido.perfil[i] + 0.0)
            << "sigma " << sigma << " i " << i;
    }
  }
}

TEST(Bordas, CrossingsNeedAStrictSignChangeInsideSamples1To297) {
  Vetor_real marr, bordas;
  marr.perfil[0] = -1, marr.perfil[1] = 1;    // sample 0 is never marked
  marr.perfil[10] = 1, marr.perfil[11] = -1;  // marked at 10
  marr.perfil[20] = 1, marr.perfil[21] = 0;   // exact zero: no crossing
  marr.perfil[22] = -1;
  marr.perfil[298] = 1, marr.perfil[299] = -1;  // beyond 297
  bordas.MarcaCruzamentos(marr);
  for (int i = 0; i < kAmostras; ++i) EXPECT_EQ(bordas.perfil[i], i == 10 ? 255 : 0) << i;

  Vetor_real canny;
  bordas.perfil[5] = 255, bordas.perfil[30] = 255, bordas.perfil[40] = 255;
  canny.perfil[30] = 2, canny.perfil[40] = -2, canny.perfil[5] = 2;
  bordas.Classifica(canny, 8);
  EXPECT_EQ(bordas.perfil[5], 255);   // below the scan start
  EXPECT_EQ(bordas.perfil[10], 255);  // Canny exactly 0
  EXPECT_EQ(bordas.perfil[30], 100);
  EXPECT_EQ(bordas.perfil[40], 150);
}

struct CasoAtribuicao {
  const char* nome;
  std::vector<std::pair<int, double>> bordas;  // sample, class
  int numAneis, lacuna, inicio;
  std::vector<double> esperado;  // rings 1..
};

TEST(Vetor_aneis, AssignmentAlternatesWithinTheGap) {
  const std::vector<CasoAtribuicao> casos = {
      {"alternation", {{10, 150}, {20, 100}, {25, 150}}, 16, 20, 0, {10, 20, 25}},
      {"darkening first empties the ray", {{10, 100}, {20, 150}}, 16, 20, 0, {}},
      {"unclassified edge stops", {{10, 150}, {15, 255}, {20, 100}}, 16, 20, 0, {10}},
      {"gap of 14 stops with N = 32", {{10, 150}, {24, 100}}, 32, 14, 0, {10}},
      {"gap of 13 passes", {{10, 150}, {23, 100}}, 32, 14, 0, {10, 23}},
      {"edges below the scan start are skipped", {{5, 100}, {10, 150}}, 16, 20, 6, {10}},
      {"stops after N rings", {{10, 150}, {12, 100}, {14, 150}}, 2, 20, 0, {10, 12}},
  };
  for (const auto& c : casos) {
    Vetor_real bordas;
    double raios[kAmostras];
    for (int i = 0; i < kAmostras; ++i) raios[i] = i;
    for (auto [i, v] : c.bordas) bordas.perfil[i] = v;
    Vetor_aneis aneis;
    aneis.AtribuiAneis(bordas, raios, c.inicio, c.numAneis, c.lacuna);
    for (int r = 1; r <= kAneisMax; ++r) {
      const double esperado = r <= static_cast<int>(c.esperado.size()) ? c.esperado[r - 1] : 0;
      EXPECT_EQ(aneis.raio[r], esperado) << c.nome << " ring " << r;
    }
  }
}

TEST(Matriz_real, RaySamplesStrictlyInsideTheImage) {
  ImagemRGB img(20, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) img.Argb(x, y) = 0xFFFFFFFF;
  auto m = std::make_unique<Matriz_real>();
  m->Cria(img, 5.5, 10);
  double perfil[kAmostras], raios[kAmostras];
  m->AmostraRaio(0, perfil, raios);
  EXPECT_DOUBLE_EQ(perfil[0], NivelCinza(0xFFFFFF));
  EXPECT_DOUBLE_EQ(raios[0], 0.5);  // pixel column 5 against centre 5.5
  EXPECT_DOUBLE_EQ(raios[14], 13.5);
  EXPECT_EQ(perfil[15], 0.0);  // column 20 is outside
  EXPECT_EQ(raios[15], 0.0);
  m->AmostraRaio(180, perfil, raios);
  EXPECT_GT(perfil[4], 0.0);  // column 1
  EXPECT_EQ(perfil[5], 0.0);  // column 0 is not sampled
}

TEST(Matriz_ang_anel, SmoothsFullNeighbourhoodsAndDropsLoneValues) {
  auto m = std::make_unique<Matriz_ang_anel>();
  for (int a = 0; a < kAngulos; ++a) m->m[a][1] = 100;
  m->m[200][2] = 50;  // alone in its column
  m->SuavizaAngulos();
  // Rows behind are read smoothed, rows ahead as detected: y = (3y + 4 * 100) / 7 + 0.5 gives
  // y = 100 + 0.5 * 7 / 4 on every row, the first and last included.
  for (int a : {0, 1, 2, 180, 357, 358, 359}) EXPECT_DOUBLE_EQ(m->m[a][1], 100.875) << a;
  EXPECT_EQ(m->m[200][2], 0.0);
  TabelaAneis t;
  ContagemAneis n;
  m->CopiaPara(t, n);
  EXPECT_EQ(n[0], 1);
  EXPECT_EQ(t[0][0], 0.0);
}

// Detection on a drawn image, both correlation forms.
struct Deteccao {
  TabelaAneis tabela{};
  ContagemAneis contagens{};
};

Deteccao Detecta(const FonteImagem& img, int numAneis, int inicio, Correlacao modo, double xc = 320,
                 double yc = 240) {
  auto m = std::make_unique<Matriz_real>();
  m->Cria(img, xc, yc);
  Deteccao d;
  vessik::Detecta(*m, numAneis, inicio, d.tabela, d.contagens, modo);
  return d;
}

TEST(Detecta, ConcentricRingsGiveBothBordersOfEveryBandOnEveryRow) {
  // Eight bright bands of 8 pixels, 16 pixels apart: 16 edges from radius 20 to 140.
  const auto img = DesenhaAneis(FaixasRegulares(8, 20, 8, 16));
  const auto rapida = Detecta(img, 16, 5, Correlacao::Rapida);
  const auto direta = Detecta(img, 16, 5, Correlacao::Direta);
  EXPECT_EQ(std::memcmp(&rapida.tabela, &direta.tabela, sizeof(TabelaAneis)), 0);
  for (int k = 0; k < kAngulos; ++k) {
    ASSERT_EQ(rapida.contagens[k], 16) << "row " << k + 1;
    for (int r = 1; r <= 16; ++r) {
      const double borda = 20 + (r - 1) / 2 * 16 + (r % 2 == 0 ? 8 : 0);
      EXPECT_NEAR(rapida.tabela[k][r], borda, 2) << "row " << k + 1 << " ring " << r;
    }
  }
}

TEST(Detecta, DarkeningEdgeFirstLeavesEveryRowEmpty) {
  const auto img = DesenhaAneis({{0, 60}});  // bright disc: the first edge darkens
  const auto d = Detecta(img, 16, 5, Correlacao::Rapida);
  for (int k = 0; k < kAngulos; ++k) EXPECT_EQ(d.contagens[k], 0);
}

TEST(Detecta, WideBandsEndTheRayAfterTheGap) {
  // Bands 16 pixels wide: with 32 rings (gap 14) only ring 1 is kept, with 16 (gap 20) more.
  const auto img = DesenhaAneis(FaixasRegulares(4, 30, 16, 32));
  EXPECT_EQ(Detecta(img, 32, 5, Correlacao::Rapida).contagens[0], 1);
  EXPECT_EQ(Detecta(img, 16, 5, Correlacao::Rapida).contagens[0], 8);
}

TEST(Detecta, SmallImagesSampleOutsideAsZero) {
  const auto img = DesenhaAneis(FaixasRegulares(8, 20, 8, 16), 100, 80, 200, 160);
  const auto d = Detecta(img, 16, 5, Correlacao::Rapida, 100, 80);
  EXPECT_GT(d.contagens[90], 0);
}

TEST(RefinaCentro, FindsTheBrightSpotOrKeepsTheClick) {
  ImagemRGB img(640, 480);
  double x = 302.4, y = 203.9;
  RefinaCentro(img, x, y);  // uniform: largest = smallest
  EXPECT_EQ(x, 302.4);
  EXPECT_EQ(y, 203.9);
  for (int py = 199; py <= 201; ++py)
    for (int px = 299; px <= 302; ++px) img.Argb(px, py) = 0xFFFFFFFF;
  RefinaCentro(img, x, y);
  EXPECT_DOUBLE_EQ(x, 300.5);
  EXPECT_DOUBLE_EQ(y, 200);
}

TEST(Confianca, IndexFromTheDistanceToTheImageCentre) {
  EXPECT_DOUBLE_EQ(IndiceConfianca(320, 240, 0.024), 100);  // 12 / 0.0048, capped
  EXPECT_DOUBLE_EQ(IndiceConfianca(330, 240, 0.024), 50);
  EXPECT_DOUBLE_EQ(IndiceConfianca(320, 240.5, 0.024), 100);
  EXPECT_NEAR(IndiceConfianca(320, 280, 0.008), 37.5, 1e-12);
  EXPECT_EQ(TextoConfianca(37.5), "37.50%");
  EXPECT_EQ(TextoConfianca(100), "100.00%");
}

}  // namespace
}  // namespace vessik
