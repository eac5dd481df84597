// The three single-map modules loaded through the host's binding, on exams rendered by the
// simulated camera and processed with its calibration: the keratometry of a toric, the
// tangential power of a conicoid read under the pointer, the window's texts, and bad tables.
#include <gtest/gtest.h>

#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <cmath>
#include <memory>

#include "ExameProcessado.h"
#include "JanelaModulo.h"
#include "NumberFormat.h"
#include "ScriptedDialogs.h"
#include "SimulatedCalibration.h"
#include "Streams.h"
#include "TestPaths.h"
#include "TextFile.h"
#include "UBMapaDLL.h"
#include "UBProcuraModulos.h"

namespace {

using zv::test::QuandoAparecer;

using zv::test::Exame;
using zv::test::Processa;

class Mapas : public zv::test::SuiteDeExames {
 protected:
  void TearDown() override { zv::UBMapaDLL::LiberaModulo(); }
  static void Carrega(const std::string& modulo) {
    ASSERT_TRUE(zv::UBMapaDLL::CarregaModulo(zv::test::BinDir() + "/" + modulo + ".so"));
  }
};

TEST_F(Mapas, TheHostsScanRegistersTheThreeWithTheirPictures) {
  zv::test::TempDir mapas;
  for (const char* modulo : {"Gavrel", "Pelmo", "Rusk"}) {
    for (const char* extensao : {".so", ".bmp"}) {
      const std::string nome = std::string(modulo) + extensao;
      zv::WriteFileAtomic(mapas / nome, zv::ReadFileBytes(zv::test::BinDir() + "/" + nome));
    }
  }
  zv::test::ScriptedDialogs dialogos;
  zv::TBProcuraModulos scan(dialogos);
  scan.ProcuraModulos(mapas.path());
  const std::vector<std::string> lista = {"Mapa Tangencial",
                                          "Simples",
                                          "1",
                                          "1.2.0.0",
                                          "Mapa Axial",
                                          "Simples",
                                          "1",
                                          "1.2.0.0",
                                          "Mapa Tangencial Ortoceratologia",
                                          "Simples",
                                          "1",
                                          "1.2.0.0"};
  EXPECT_EQ(scan.ListaModulos(), lista);
  ASSERT_EQ(scan.Botoes().size(), 3u);
  for (const auto& botao : scan.Botoes()) {
    EXPECT_EQ(botao.clique, zv::TipoClique::MapaClick) << botao.caption;
    EXPECT_EQ(botao.normal.size(), QSize(24, 24)) << botao.caption;
    EXPECT_EQ(botao.highlighted.size(), QSize(24, 24)) << botao.caption;
  }
}

TEST_F(Mapas, InfoMapaDescribesEachModuleAsOneSingleMap) {
  const std::pair<const char*, const char*> modulos[] = {
      {"Pelmo", "Mapa Axial"},
      {"Rusk", "Mapa Tangencial"},
      {"Gavrel", "Mapa Tangencial Ortoceratologia"}};
  for (const auto& [modulo, descricao] : modulos) {
    Carrega(modulo);
    zv::MemoryStream saida;
    zv::UBMapaDLL::InfoMapa(saida.Handle());
    EXPECT_EQ(saida.Bytes(), std::string(descricao) + "\r\n1\r\n1\r\n1.2.0.0\r\n");
    zv::UBMapaDLL::LiberaModulo();
  }
}

placido::Cornea Torica() {
  placido::Cornea toro;
  toro.kind = placido::SurfaceKind::Toric;
  toro.steepRadiusMm = 7.6;
  toro.flatRadiusMm = 8.0;
  toro.steepAxisDeg = 30;
  return toro;
}

// Mean power of the dioptre table over the 3 mm zone (radii 1.25 to 1.75 mm), meridian by
// meridian, averaged over the meridians `de` to `ate` of the table (clockwise on the screen).
double PotenciaDaTabela(const Exame& exame, int de, int ate) {
  double soma = 0;
  for (int m = de; m <= ate; ++m) {
    const int linha = (m + 359) % 360;
    double somaMeridiano = 0;
    int n = 0;
    for (int j = 1; j <= 32; ++j) {
      const double mm = exame.pixels[linha][j] * 0.024;
      if (mm >= 1.25 && mm <= 1.75) somaMeridiano += exame.dioptrias[linha][j], ++n;
    }
    soma += somaMeridiano / n;
  }
  return soma / (ate - de + 1);
}

TEST_F(Mapas, VisualizarReadsThePrincipalMeridiansOfTheToricsTable) {
  const auto exame = Processa(Torica(), Coef());
  Carrega("Pelmo");
  zv::MemoryStream figura;
  TIndicesMapa indices;
  std::fill(std::begin(indices), std::end(indices), -1.0);
  const TPupila pupila{};
  zv::UBMapaDLL::Visualizar(&hospedeiro, figura.Handle(), nullptr, 0, 320, 240, &exame->pixels,
                            &exame->aneis, &exame->dioptrias, &pupila, &indices, 0, infos);
  // The table's keratometry by plain averages: the mean power of the zone, and half the
  // difference between the meridians at 30 and 120 degrees (table meridians 329 and 239, ten
  // degrees to either side).  The difference of two meridians 90 degrees apart leaves out the
  // detector's four-fold scatter of whole-pixel sampling, as the module's fit does.
  const double media = PotenciaDaTabela(*exame, 1, 360);
  const double meiaDiferenca =
      (PotenciaDaTabela(*exame, 319, 339) - PotenciaDaTabela(*exame, 229, 249)) / 2;
  EXPECT_NEAR(indices[0], media + meiaDiferenca, 0.1);
  EXPECT_NEAR(indices[1], media - meiaDiferenca, 0.1);
  EXPECT_NEAR(indices[4], indices[0] - indices[1], 1e-9);
  EXPECT_NEAR(indices[6], 30, 3);
  EXPECT_NEAR(indices[7], 120, 3);
  EXPECT_GE(indices[8], indices[0]);
  for (int slot : {2, 3, 5}) EXPECT_EQ(indices[slot], 0);
  QImage imagem;
  ASSERT_TRUE(imagem.loadFromData(reinterpret_cast<const uchar*>(figura.Bytes().data()),
                                  static_cast<int>(figura.Bytes().size()), "BMP"));
  EXPECT_EQ(imagem.size(), QSize(200, 150));
}

// The whole chain on the simulated camera: capture, processing with its calibration, and the
// keratometry of both maps against the radii the toric was rendered with.
TEST_F(Mapas, VisualizarOnARenderedToricGivesBothKAndTheAxes) {
  const auto exame = Processa(Torica(), Coef());
  for (const char* modulo : {"Pelmo", "Rusk"}) {
    Carrega(modulo);
    zv::MemoryStream figura;
    TIndicesMapa indices;
    const TPupila pupila{};
    zv::UBMapaDLL::Visualizar(&hospedeiro, figura.Handle(), nullptr, 0, 320, 240, &exame->pixels,
                              &exame->aneis, &exame->dioptrias, &pupila, &indices, 0, infos);
    zv::UBMapaDLL::LiberaModulo();
    // 337.5 / 7.6 = 44.41 D at 30 degrees, 337.5 / 8.0 = 42.19 D at 120 degrees.
    EXPECT_NEAR(indices[0], 44.41, 0.25) << modulo;
    EXPECT_NEAR(indices[1], 42.19, 0.25) << modulo;
    EXPECT_NEAR(indices[6], 30, 3) << modulo;
    EXPECT_NEAR(indices[7], 120, 3) << modulo;
  }
}

// The axes of rendered torics through the whole chain, against the axis each was rendered with.
// The simulated camera counts angles as the operator sees a right eye on the screen:
// counter-clockwise from the right of the picture, 90 at the top.  One axis reads within a
// degree (whole degrees, and the detector's whole-pixel sampling scatters the fit by about half
// a degree); over axes all around, that scatter averages out, and a table read one meridian
// off would show as a whole degree.
TEST_F(Mapas, TheAxesOfRenderedToricsReadWithinADegree) {
  Carrega("Pelmo");
  const double eixos[] = {30, 120, 10, 50, 75, 95, 150, 170};
  auto desvio = [](double lido, double eixo) {
    return std::remainder(lido - eixo, 180.0);  // -90..90
  };
  double soma = 0;
  for (double eixo : eixos) {
    placido::Cornea toro = Torica();
    toro.steepAxisDeg = eixo;
    const auto exame = Processa(toro, Coef());
    zv::MemoryStream figura;
    TIndicesMapa indices;
    const TPupila pupila{};
    zv::UBMapaDLL::Visualizar(&hospedeiro, figura.Handle(), nullptr, 0, 320, 240, &exame->pixels,
                              &exame->aneis, &exame->dioptrias, &pupila, &indices, 0, infos);
    EXPECT_LE(std::abs(desvio(indices[6], eixo)), 1) << eixo;
    EXPECT_LE(std::abs(desvio(indices[7], eixo + 90)), 1) << eixo;
    soma += desvio(indices[6], eixo);
  }
  EXPECT_LE(std::abs(soma / std::size(eixos)), 0.4);
}

// The power the window shows under the pointer at `raioMm` from the centre, at the clinical
// angle `graus`.
double PotenciaSobOPonteiro(QWidget* janela, double raioMm, double graus) {
  zv::test::MovePonteiro(janela->findChild<QLabel*>("imgMapa"), raioMm, graus);
  const QString texto = janela->findChild<QLabel*>("lblCursor")->text();
  return texto.isEmpty() ? std::nan("") : zv::StrToFloat(texto.section(' ', 0, 0).toStdString());
}

TEST_F(Mapas, TangentialMapOfARenderedConicoidFollowsTheClosedForm) {
  const double R = 7.8, Q = -0.3;
  placido::Cornea conicoide;
  conicoide.kind = placido::SurfaceKind::Conicoid;
  conicoide.apicalRadiusMm = R;
  conicoide.asphericityQ = Q;
  const auto exame = Processa(conicoide, Coef());
  const TPupila pupila{};
  zv::MemoryStream cabecalho;
  zv::StreamWriteLines(cabecalho.Handle(), {"Maria Souza", "0012", "RG 1 ", "Olho Direito",
                                            "10/12/2026", "09:30:00", "Dr. Paulo", "0", "100"});
  Carrega("Rusk");
  std::map<std::string, std::string> textos;
  int medidas = 0;
  QuandoAparecer("frmMapaSimples", [&](QWidget* janela) {
    for (const char* nome : {"lblPaciente", "lblOlho", "lblData", "lblMedico"})
      textos[nome] = janela->findChild<QLabel*>(nome)->text().toStdString();
    textos["titulo"] = janela->windowTitle().toStdString();
    // Eight directions 45 degrees apart: their mean leaves out the four-fold scatter that the
    // detector's whole-pixel sampling of the rays gives single meridians near the centre.
    for (double r = 0.5; r <= 3.0; r += 0.5) {
      const double rax = std::sqrt(R * R - Q * r * r);
      const double esperado = 337.5 * R * R / (rax * rax * rax);
      double soma = 0;
      for (double graus = 0; graus < 360; graus += 45) {
        const double lido = PotenciaSobOPonteiro(janela, r, graus);
        EXPECT_NEAR(lido, esperado, 0.6) << "r " << r << " mm at " << graus << " degrees";
        soma += lido;
        ++medidas;
      }
      EXPECT_NEAR(soma / 8, esperado, 0.25) << "r " << r << " mm";
    }
    QTest::keyClick(janela, Qt::Key_Escape);
  });
  zv::UBMapaDLL::ProcessaMapa(&hospedeiro, nullptr, nullptr, 320, 240, cabecalho.Handle(),
                              &exame->pixels, &exame->aneis, &exame->dioptrias, &pupila, infos);
  EXPECT_EQ(medidas, 48);
  EXPECT_EQ(textos["titulo"], "Mapa Tangencial");
  EXPECT_EQ(textos["lblPaciente"], "Paciente: Maria Souza (0012)");
  EXPECT_EQ(textos["lblOlho"], "Olho Direito");
  EXPECT_EQ(textos["lblData"], "Data: 10/12/2026  09:30:00");
  EXPECT_EQ(textos["lblMedico"], "Médico: Dr. Paulo");
}

TEST_F(Mapas, ProcessaMapaOrtoShowsTheOrthokeratologyValuesAndThePicturesGiven) {
  placido::Cornea esfera;
  const auto exame = Processa(esfera, Coef());
  const TPupila pupila{300, 220, 340, 260};
  const double valores[3] = {1.2345, 0.0123, 7.85};
  Carrega("Gavrel");
  std::map<std::string, std::string> textos;
  bool imagensVisiveis = true;
  QuandoAparecer("frmMapaSimples", [&](QWidget* janela) {
    for (const char* nome : {"lblSAG", "lblDIV", "lblR0"})
      textos[nome] = janela->findChild<QLabel*>(nome)->text().toStdString();
    imagensVisiveis = janela->findChild<QLabel*>("imgCentral")->isVisible();
    // A follow-up opens on the normalised scale; the absolute one redraws the legend.
    EXPECT_TRUE(janela->findChild<QRadioButton*>("rbtNormalizada")->isChecked());
    auto* legenda = janela->findChild<QLabel*>("imgEscala");
    const QImage antes = legenda->pixmap().toImage();
    janela->findChild<QRadioButton*>("rbtAbsoluta")->click();
    EXPECT_NE(legenda->pixmap().toImage(), antes);
    janela->close();
  });
  zv::UBMapaDLL::ProcessaMapaOrto(&hospedeiro, nullptr, nullptr, 320, 240, nullptr, &exame->pixels,
                                  &exame->aneis, &exame->dioptrias, &pupila, valores, infos);
  EXPECT_EQ(textos["lblSAG"], "SAG: 1.2345 mm");
  EXPECT_EQ(textos["lblDIV"], "DIV: 0.0123");
  EXPECT_EQ(textos["lblR0"], "R0: 7.85 mm");
  EXPECT_FALSE(imagensVisiveis);  // the examples pass no pictures
}

TEST_F(Mapas, TablesWithoutRingsGiveAMessageOrAnEmptyPictureAndZeroIndices) {
  Carrega("Pelmo");
  auto vazio = std::make_unique<Exame>();
  for (auto& linha : vazio->dioptrias)
    for (double& v : linha) v = std::nan("");
  const TPupila pupila{};
  std::string mensagem;
  zv::test::QuandoMensagem(mensagem);
  zv::UBMapaDLL::ProcessaMapa(&hospedeiro, nullptr, nullptr, 320, 240, nullptr, &vazio->pixels,
                              &vazio->aneis, &vazio->dioptrias, &pupila, infos);
  EXPECT_NE(mensagem.find("não possui anéis válidos"), std::string::npos) << mensagem;

  zv::test::QuandoMensagem(mensagem);
  mensagem.clear();
  zv::UBMapaDLL::ProcessaMapa(&hospedeiro, nullptr, nullptr, 320, 240, nullptr, nullptr, nullptr,
                              nullptr, nullptr, infos);
  EXPECT_NE(mensagem.find("não possui anéis válidos"), std::string::npos) << mensagem;

  zv::MemoryStream figura;
  TIndicesMapa indices;
  std::fill(std::begin(indices), std::end(indices), -1.0);
  zv::UBMapaDLL::Visualizar(&hospedeiro, figura.Handle(), nullptr, 0, 0, 0, &vazio->pixels,
                            &vazio->aneis, &vazio->dioptrias, &pupila, &indices, 0, infos);
  for (double v : indices) EXPECT_EQ(v, 0);
  QImage imagem;
  EXPECT_TRUE(imagem.loadFromData(reinterpret_cast<const uchar*>(figura.Bytes().data()),
                                  static_cast<int>(figura.Bytes().size()), "BMP"));
}

}  // namespace
