// The built module loaded as the host loads it: dlopen, the three entry points, the real modal
// windows driven by a timer on the offscreen platform.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstring>
#include <functional>

#include "CorneasTeste.h"
#include "JanelaModulo.h"
#include "MapaOrto.h"
#include "Streams.h"
#include "TestPaths.h"
#include "UBConstantes.h"

namespace kandor {
namespace {

using zv::test::QuandoAparecer;

class Modulo : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string caminho = zv::test::BinDir() + "/Kandor.so";
    handle_ = dlopen(caminho.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle_, nullptr) << dlerror();
    processaMapas = reinterpret_cast<TProcessaMapasOrto>(dlsym(handle_, "ProcessaMapas"));
    wizard = reinterpret_cast<TWizard>(dlsym(handle_, "Wizard"));
    infoMapa = reinterpret_cast<TInfoMapa>(dlsym(handle_, "InfoMapa"));
    ASSERT_TRUE(processaMapas && wizard && infoMapa);
  }
  void TearDown() override {
    if (handle_) dlclose(handle_);
  }

  void* handle_ = nullptr;
  TProcessaMapasOrto processaMapas = nullptr;
  TWizard wizard = nullptr;
  TInfoMapa infoMapa = nullptr;
};

TEST_F(Modulo, ExportsOnlyItsThreeEntryPoints) {
  EXPECT_EQ(dlsym(handle_, "_ZN6kandor7NivelDeEd"), nullptr);  // kandor::NivelDe(double)
  EXPECT_EQ(dlsym(handle_, "zv_file_version_note"), nullptr);
}

TEST_F(Modulo, InfoMapaAppendsItsFourLines) {
  zv::MemoryStream saida(std::string("xy"));
  infoMapa(saida.Handle());
  EXPECT_EQ(saida.Bytes(), "xyQuillon Ortoceratologia\r\n2\r\n4\r\n1.2.0.0\r\n");
}

TEST_F(Modulo, ProcessaMapasShowsTheFourComputedMapsAndClosesWithTwo) {
  std::array<std::unique_ptr<test::TabelasExame>, 4> exames = {
      test::Esfera(7.8), test::Torica(7.9, 7.5), test::Ortoceratologia(43.0, 4.0, 3.0),
      test::Ortoceratologia(42.0, 6.0, 4.0, 120)};
  std::vector<TMatrizAngAnel> pixels(4), dioptrias(4);
  for (int i = 0; i < 4; ++i) {
    std::memcpy(pixels[i], exames[i]->pixels, sizeof(TMatrizAngAnel));
    std::memcpy(dioptrias[i], exames[i]->dioptrias, sizeof(TMatrizAngAnel));
  }
  std::vector<std::unique_ptr<zv::MemoryStream>> streams;
  std::vector<TZVStream*> cabecalhos;
  for (int i = 1; i <= 4; ++i) {
    streams.push_back(std::make_unique<zv::MemoryStream>());
    zv::StreamWriteLines(
        streams.back()->Handle(),
        {"José Antônio", "12", "RG 99", "Olho Esquerdo", "0" + std::to_string(i) + "/05/2026",
         "09:00:0" + std::to_string(i), "Dra. Inês", std::to_string(80 + i), "/dados"});
    cabecalhos.push_back(streams.back()->Handle());  // left at its end: the module rewinds
  }
  const TValoresOrto valores[4] = {
      {1, 11, 7.1, 0}, {2, 12, 7.2, 0}, {3, 13, 7.3, 0}, {4, 14, 7.4, 0}};
  TInfosZV infos{};
  infos.NumAneis = 32;
  infos.Modelo = 2;

  QWidget hospedeiro;
  std::array<QImage, 4> imagens;
  std::map<std::string, std::string> textos;
  QWidget* paiDaJanela = nullptr;
  bool previaVista = false;
  QuandoAparecer("frmMapa", [&](QWidget* janela) {
    paiDaJanela = janela->parentWidget();
    const char* nomes[4] = {"Img01", "IMg02", "Img03", "Img04"};
    for (int i = 0; i < 4; ++i) {
      QWidget* img = janela->findChild<QWidget*>(nomes[i]);
      ASSERT_NE(img, nullptr);
      imagens[i] = img->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    for (const char* nome : {"lblnome", "lblOlho", "lblTipoZV", "pnltopo2", "lblIndConf4",
                             "sagMedio", "sagDesvio", "raiomedio"})
      textos[nome] = janela->findChild<QLabel*>(nome)->text().toStdString();
    // The preview opens over the window and closes; the window stays until "Fe&char".
    QuandoAparecer("QPrintPreviewDialog", [&](QWidget* previa) {
      previaVista = true;
      previa->close();
    });
    janela->findChild<QPushButton*>("SpeedButton1")->click();
    EXPECT_TRUE(janela->isVisible());
    janela->findChild<QPushButton*>("btnFechar")->click();
  });
  const int resultado = processaMapas(&hospedeiro, TDadosPac{cabecalhos.data(), 4},
                                      TMatrizesAngAnel{pixels.data(), 4},
                                      TMatrizesAngAnel{dioptrias.data(), 4}, valores, infos);
  EXPECT_EQ(resultado, 2);
  EXPECT_EQ(paiDaJanela, &hospedeiro);
  EXPECT_TRUE(previaVista);
  EXPECT_EQ(textos["lblnome"], "José Antônio");
  EXPECT_EQ(textos["lblOlho"], "Olho Esquerdo");
  EXPECT_EQ(textos["lblTipoZV"], "Olendra ");
  EXPECT_EQ(textos["pnltopo2"], "Imagem2 - 02/05/2026 09:00:02");
  EXPECT_EQ(textos["lblIndConf4"], "84%");
  EXPECT_EQ(textos["sagMedio"], "2.5000");
  EXPECT_EQ(textos["sagDesvio"], "1.2910");
  EXPECT_EQ(textos["raiomedio"], "7.2500");

  // Every pixel of the disc that is not a yellow mark is the computed map's pixel.
  const EscalaCores escala = PreparaEscala();
  TMatrizAng aneis;
  AneisUniformes(aneis, 32);
  const QRgb amarelo = qRgb(255, 255, 0);
  for (int i = 0; i < 4; ++i) {
    ASSERT_EQ(imagens[i].size(), QSize(290, 218));
    GradeMapa grade;
    PreencheGrade(grade, dioptrias[i], pixels[i], 1.0, aneis);
    QuadroPixels figura(kLarguraFigura, kAlturaFigura);
    DesenhaMapa(grade, kLarguraFigura, kAlturaFigura, aneis, pixels[i], escala, figura, kCentroY,
                kCentroX);
    int comparados = 0, diferentes = 0;
    for (int y = 0; y < kAlturaFigura; ++y)
      for (int x = 0; x < kLarguraFigura; ++x) {
        if ((x - 145) * (x - 145) + (y - 109) * (y - 109) > 103 * 103) continue;
        if (imagens[i].pixel(x, y) == amarelo) continue;
        ++comparados;
        if (imagens[i].pixel(x, y) != figura.Em(x, y)) ++diferentes;
      }
    EXPECT_GT(comparados, 30000) << i;
    EXPECT_EQ(diferentes, 0) << "map " << i + 1;
    EXPECT_EQ(imagens[i].pixel(2, 2), qRgb(0, 0, 0));
  }
  // The maps differ: sphere one colour at the centre, the flattened corneas flatter there.
  EXPECT_NE(imagens[0].pixel(146, 110), imagens[2].pixel(146, 110));
}

TEST_F(Modulo, ProcessaMapasRefusesFewerThanFourTables) {
  std::vector<TMatrizAngAnel> tabelas(2);
  std::string mensagem;
  QuandoAparecer("QMessageBox", [&](QWidget* caixa) {
    mensagem = static_cast<QMessageBox*>(caixa)->text().toStdString();
    static_cast<QMessageBox*>(caixa)->accept();
  });
  TInfosZV infos{};
  infos.NumAneis = 32;
  EXPECT_EQ(processaMapas(nullptr, TDadosPac{nullptr, 0}, TMatrizesAngAnel{tabelas.data(), 2},
                          TMatrizesAngAnel{tabelas.data(), 2}, nullptr, infos),
            0);
  EXPECT_NE(mensagem.find("quatro exames"), std::string::npos) << mensagem;
}

TEST_F(Modulo, WizardWritesExtraAlwaysAndSelectedOnlyWhenConfirmed) {
  const std::vector<std::string> candidatos = {
      "OOlho Direito - 01/03/2026 10:00:00", "OOlho Direito - 02/03/2026 10:00:00",
      "OOlho Direito - 03/03/2026 10:00:00", "OOlho Direito - 04/03/2026 10:00:00"};
  TInfosZV infos{};
  {
    zv::MemoryStream lista, selecionados(std::string("antigo")), extra;
    zv::StreamWriteLines(lista.Handle(), candidatos);
    QuandoAparecer("frmWizard",
                   [](QWidget* j) { j->findChild<QPushButton*>("btnCancelar")->click(); });
    EXPECT_EQ(wizard(nullptr, lista.Handle(), selecionados.Handle(), extra.Handle(), infos), 0);
    EXPECT_EQ(selecionados.Bytes(), "antigo");
    EXPECT_EQ(extra.Bytes(), "");
  }
  {
    zv::MemoryStream lista, selecionados(std::string(300, 'x')), extra(std::string("ab"));
    extra.Handle()->Seek(extra.Handle()->context, 0, ZV_SEEK_END);
    zv::StreamWriteLines(lista.Handle(), candidatos);
    QuandoAparecer("frmWizard", [](QWidget* j) {
      for (const char* nome : {"cmbPre", "cmbPos", "cmbAcomp1", "cmbAcomp2"}) {
        auto* c = j->findChild<QComboBox*>(nome);
        c->setCurrentIndex(c->count() - 1);
        emit c->activated(c->count() - 1);
      }
      j->findChild<QPushButton*>("Button1")->click();
    });
    EXPECT_EQ(wizard(nullptr, lista.Handle(), selecionados.Handle(), extra.Handle(), infos), 1);
    const std::string esperado =
        "Olho Direito - 04/03/2026 10:00:00\r\nOlho Direito - 03/03/2026 10:00:00\r\n"
        "Olho Direito - 02/03/2026 10:00:00\r\nOlho Direito - 01/03/2026 10:00:00\r\n";
    EXPECT_EQ(selecionados.Bytes(), esperado);
    EXPECT_EQ(extra.Bytes(), "ab" + esperado);
  }
}

}  // namespace
}  // namespace kandor
