// The standard processing module loaded through the host's binding, its review window driven on
// the offscreen platform: a rendered sphere gives the tables the batch tool gives, the pupil
// and centre of the picture; a calibration sphere gives its sphere file; bad input is refused
// with a message.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "JanelaModulo.h"
#include "NumberFormat.h"
#include "PlacidoRenderer.h"
#include "SaidaModulo.h"
#include "SimulatedCalibration.h"
#include "Streams.h"
#include "TestPaths.h"
#include "TextFile.h"
#include "UBProcDLL.h"

namespace {

using zv::test::QuandoAparecer;

std::string Bmp(const QImage& imagem) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  imagem.save(&buffer, "BMP");
  return bytes.toStdString();
}

placido::Scene Esfera(double raio) {
  placido::Scene cena;
  cena.cornea.apicalRadiusMm = raio;
  return cena;
}

struct Saidas {
  double cx = -1, cy = -1, conf = -1;
  TMatrizAngAnel pixels{}, dioptrias{};
  TMatrizAng aneis{};
  TPupila pupila{};
};

class Processamento : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    calibracao_ = new zv::test::TempDir;
    zv::WriteSimulatedCalibration(*calibracao_ / "Coef.txt", 32);
  }
  static void TearDownTestSuite() { delete calibracao_; }

  void SetUp() override {
    ASSERT_TRUE(zv::UBProcDLL::CarregaModulo(zv::test::BinDir() + "/Processamento.so"));
    infos.NumAneis = 32;
    infos.FatorCorrecao = 0.024;
    infos.TvlCentral = 8;
    infos.TIncremento = 2;
    dirCalibracao = calibracao_->path() + "/";
    paths.DirCalibracao = dirCalibracao.c_str();
  }
  void TearDown() override { zv::UBProcDLL::LiberaModulo(); }

  int32_t Processa(zv::MemoryStream& imagem, Saidas& s) {
    return zv::UBProcDLL::ProcessaImagem(&hospedeiro, imagem.Handle(), &s.cx, &s.cy, &s.pixels,
                                         &s.aneis, &s.dioptrias, &s.pupila, &s.conf, infos, paths);
  }

  static zv::test::TempDir* calibracao_;
  QWidget hospedeiro;
  TInfosZV infos{};
  TPathsZV paths{};
  std::string dirCalibracao;
};
zv::test::TempDir* Processamento::calibracao_ = nullptr;

std::vector<std::string> Linhas(const TMatrizAngAnel& t) {
  std::array<vessik::TabelaAneis, 4> quatro{};
  for (int k = 0; k < 360; ++k)
    for (int c = 0; c < 33; ++c) quatro[0][k][c] = t[k][c];
  auto linhas = vessik::LinhasTabela(quatro, 32);
  linhas.resize(360);
  return linhas;
}

TEST_F(Processamento, OKReturnsTheTablesOfTheBatchToolTheCentreAndThePupil) {
  zv::test::TempDir dir;
  const QImage imagem = placido::Render(Esfera(7.8));
  imagem.save(QString::fromStdString(dir / "olho.bmp"), "BMP");
  zv::MemoryStream stream(Bmp(imagem));
  Saidas s;
  QuandoAparecer("frmRevisao", [](QWidget* j) {
    QTest::mouseClick(j->findChild<QPushButton*>("btnOK"), Qt::LeftButton);
  });
  ASSERT_EQ(Processa(stream, s), 1);

  const std::string comando = zv::test::BinDir() + "/vessik-batch --rings 32 --factor 0.024 " +
                              "--tvl 8 --tinc 2 --coef '" + dirCalibracao + "Coef.txt' --out '" +
                              dir.path() + "/saida' '" + dir.path() + "/olho.bmp'";
  ASSERT_EQ(std::system(comando.c_str()), 0) << comando;
  auto lote = zv::ReadTextLines(dir / "saida/TabelaDioptrias.txt");
  lote.resize(360);
  EXPECT_EQ(Linhas(s.dioptrias), lote);
  lote = zv::ReadTextLines(dir / "saida/TabelaPixels.txt");
  lote.resize(360);
  EXPECT_EQ(Linhas(s.pixels), lote);

  // A 7.8 mm sphere: 337.5 / 7.8 = 43.27 D on the rings the calibration covers (the mean over
  // the meridians; single ones scatter with the detector's whole-pixel sampling).
  double anel10 = 0;
  for (int k = 0; k < 360; ++k) anel10 += s.dioptrias[k][10] / 360;
  EXPECT_NEAR(anel10, 43.27, 0.1);
  EXPECT_NEAR(s.cx, 320, 1.0);
  EXPECT_NEAR(s.cy, 240, 1.0);
  EXPECT_GT(s.conf, 0);
  for (int k = 0; k < 360; ++k) ASSERT_EQ(s.aneis[k], 32) << k;
  // The dark disc around the centre ends at the first ring edge.
  const double borda1 = placido::EdgeImageRadiusPx(Esfera(7.8).cornea, 32, 1, 0);
  EXPECT_NEAR((s.pupila[2] - s.pupila[0]) / 2.0, borda1, 1.5);
  EXPECT_NEAR((s.pupila[1] + s.pupila[3]) / 2.0, 240, 1.0);
}

TEST_F(Processamento, CancelarEscapeAndTheCloseBoxReturnZeroAndWriteNothing) {
  zv::MemoryStream stream(Bmp(placido::Render(Esfera(7.8))));
  const std::array<std::function<void(QWidget*)>, 3> modos = {
      [](QWidget* j) {
        QTest::mouseClick(j->findChild<QPushButton*>("btnCancelar"), Qt::LeftButton);
      },
      [](QWidget* j) { QTest::keyClick(j, Qt::Key_Escape); }, [](QWidget* j) { j->close(); }};
  for (const auto& fecha : modos) {
    Saidas s;
    QuandoAparecer("frmRevisao", fecha);
    EXPECT_EQ(Processa(stream, s), 0);
    EXPECT_EQ(s.cx, -1);
    EXPECT_EQ(s.dioptrias[0][5], 0);
  }
}

TEST_F(Processamento, BadImagesAndAMissingCalibrationGiveAMessageAndZero) {
  QImage pequena(320, 240, QImage::Format_RGB32);
  pequena.fill(Qt::black);
  struct Caso {
    std::string bytes;
    std::string trecho;
  } casos[] = {
      {"", "vazia"}, {"isto não é uma imagem", "não é um bitmap"}, {Bmp(pequena), "320 x 240"}};
  for (const Caso& c : casos) {
    zv::MemoryStream stream(c.bytes);
    Saidas s;
    std::string mensagem;
    zv::test::QuandoMensagem(mensagem);
    EXPECT_EQ(Processa(stream, s), 0);
    EXPECT_NE(mensagem.find(c.trecho), std::string::npos) << mensagem;
    EXPECT_EQ(s.cx, -1);
  }
  std::string mensagem;
  zv::test::QuandoMensagem(mensagem);
  Saidas s;
  EXPECT_EQ(zv::UBProcDLL::ProcessaImagem(&hospedeiro, nullptr, &s.cx, &s.cy, &s.pixels, &s.aneis,
                                          &s.dioptrias, &s.pupila, &s.conf, infos, paths),
            0);
  EXPECT_NE(mensagem.find("Nenhuma imagem"), std::string::npos) << mensagem;

  zv::test::TempDir semCalibracao;
  const std::string dir = semCalibracao.path() + "/";
  paths.DirCalibracao = dir.c_str();
  zv::MemoryStream stream(Bmp(placido::Render(Esfera(7.8))));
  zv::test::QuandoMensagem(mensagem);
  EXPECT_EQ(Processa(stream, s), 0);
  EXPECT_NE(mensagem.find("\"Coef.txt\" não foi encontrado"), std::string::npos) << mensagem;
}

TEST_F(Processamento, ProcessaEsferaWritesTheRadiusTextAndTheMeanRingRadii) {
  zv::MemoryStream imagem(Bmp(placido::Render(Esfera(7.73))));
  zv::MemoryStream resultado(std::string("conteúdo antigo que não deve sobrar"));
  ASSERT_EQ(zv::UBProcDLL::ProcessaEsfera(&hospedeiro, imagem.Handle(), "7,73", resultado.Handle(),
                                          infos),
            1);
  const auto linhas = zv::DecodeLines(resultado.Bytes());
  ASSERT_EQ(linhas.size(), 33u);
  EXPECT_EQ(linhas[0], "7,73");
  for (int j = 1; j <= 32; ++j) {
    double media = 0;
    for (int m = 0; m < 360; ++m)
      media += placido::EdgeImageRadiusPx(Esfera(7.73).cornea, 32, j, m) / 360;
    // The detector reads the edges about a third of a pixel outside the traced ones, the same
    // on every sphere (the calibration absorbs it); the outermost ring about a pixel.
    EXPECT_NEAR(zv::StrToFloat(linhas[j]), media, j < 32 ? 0.5 : 1.2) << "ring " << j;
  }
}

TEST_F(Processamento, ProcessaEsferaRefusesAPictureWithoutRingsAndLeavesTheResultEmpty) {
  QImage escura(640, 480, QImage::Format_RGB32);
  escura.fill(QColor(20, 20, 20));
  zv::MemoryStream imagem(Bmp(escura)), resultado(std::string("antigo"));
  std::string mensagem;
  zv::test::QuandoMensagem(mensagem);
  EXPECT_EQ(zv::UBProcDLL::ProcessaEsfera(&hospedeiro, imagem.Handle(), "7,73", resultado.Handle(),
                                          infos),
            0);
  EXPECT_TRUE(resultado.Bytes().empty());
  EXPECT_NE(mensagem.find("anéis"), std::string::npos) << mensagem;
}

}  // namespace
