// The calibration end to end with the built modules: the four reference spheres captured by
// the simulated camera and measured by the processing module through the window's buttons,
// "Coef.txt" saved, then a rendered 7.8 mm sphere processed by the ring module with it.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QPushButton>

#include "CalibFixture.h"
#include "JanelaModulo.h"
#include "PlacidoRenderer.h"
#include "UfrmCalibView.h"

namespace zv {
namespace {

void Clica(QWidget* janela, const char* botao) {
  janela->findChild<QPushButton*>(botao)->click();
}

// Mean power of rings 1..32 of the first image's dioptre table, over its 360 meridians.
std::vector<double> PotenciaMediaPorAnel(const std::string& tabela, int aneis) {
  const auto linhas = ReadTextLines(tabela);
  std::vector<double> soma(aneis + 1, 0.0);
  for (int k = 0; k < 360; ++k) {
    std::istringstream valores(linhas.at(k));
    std::string v;
    for (int c = 0; c <= aneis && valores >> v; ++c) soma[c] += StrToFloat(v);
  }
  std::vector<double> media;
  for (int j = 1; j <= aneis; ++j) media.push_back(soma[j] / 360);
  return media;
}

TEST(CalibracaoPontaAPonta, CalibratedOnTheRenderedSpheresVessikReadsA78mmSphere) {
  test::Instalacao inst(32, "0");
  inst.records.SetText(inst.records.Paths.ModDigitalizacao, test::BinDir() + "/Captura.so");
  inst.records.SetText(inst.records.Paths.ModProcessamento, test::BinDir() + "/Processamento.so");
  inst.records.Infos.FatorCorrecao = placido::MillimetresPerPixel();
  ModulosCalibracaoDLL modulos;
  TfrmCalibView janela(inst.settings, inst.records, modulos, nullptr);
  janela.show();
  for (int s = 1; s <= 4; ++s) {
    test::QuandoAparecer("frmCaptura", [](QWidget* captura) { Clica(captura, "btnCapturar"); });
    Clica(&janela, "sbtProcEsf");
    ASSERT_TRUE(janela.Model().Feita(s)) << s;
  }
  std::string mensagem;
  test::QuandoMensagem(mensagem);
  Clica(&janela, "sbtProcEsf");
  ASSERT_EQ(mensagem, "A Calibração foi realizada com sucesso.");
  const std::string coef = inst.Calib("Coef.txt");
  ASSERT_EQ(ReadTextLines(coef).size(), 64u);

  placido::Scene cena;
  cena.cornea.apicalRadiusMm = 7.8;
  cena.rings = 32;
  const std::string imagem = inst.dir / "esfera-7.8.bmp";
  ASSERT_TRUE(placido::Render(cena).save(QString::fromStdString(imagem), "BMP"));
  QProcess lote;
  lote.start(QString::fromStdString(test::BinDir() + "/vessik-batch"),
             {"--rings", "32", "--factor", QString::number(placido::MillimetresPerPixel(), 'g', 17),
              "--tvl", "8", "--tinc", "2", "--coef", QString::fromStdString(coef), "--out",
              QString::fromStdString(inst.dir / "saida"), QString::fromStdString(imagem)});
  ASSERT_TRUE(lote.waitForFinished(120000));
  ASSERT_EQ(lote.exitCode(), 0) << lote.readAllStandardError().toStdString();
  const auto medias = PotenciaMediaPorAnel(inst.dir / "saida/TabelaDioptrias.txt", 32);
  for (int j = 1; j <= 32; ++j) EXPECT_NEAR(medias[j - 1], 337.5 / 7.8, 0.15) << "ring " << j;
}

}  // namespace
}  // namespace zv
