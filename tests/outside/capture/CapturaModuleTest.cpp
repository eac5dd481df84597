// Both capture modules loaded through the host's bindings, their window driven on the offscreen
// platform: a capture fills the streams with decodable 640 x 480 bitmaps, a cancel leaves them
// empty, a calibration renders the sphere of its caption.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <array>

#include "JanelaModulo.h"
#include "ModeloOlho.h"
#include "Streams.h"
#include "TestPaths.h"
#include "UBCapturaDLL.h"
#include "UBCapturaOrtoDLL.h"

namespace {

using zv::test::QuandoAparecer;

QImage Decodifica(const zv::MemoryStream& s) {
  QImage img;
  img.loadFromData(reinterpret_cast<const uchar*>(s.Bytes().data()),
                   static_cast<int>(s.Bytes().size()), "BMP");
  return img;
}

void Clica(QWidget* janela, const char* botao) {
  QTest::mouseClick(janela->findChild<QPushButton*>(botao), Qt::LeftButton);
}

class Captura : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(zv::UBCapturaDLL::CarregaModulo(zv::test::BinDir() + "/Captura.so"));
  }
  void TearDown() override { zv::UBCapturaDLL::LiberaModulo(); }
  QWidget hospedeiro;
  zv::MemoryStream central{std::string("antigo")}, lateral{std::string("antigo")};
};

TEST_F(Captura, CapturarWritesTheModelEyesCentralAndLateralBitmaps) {
  QString titulo;
  QuandoAparecer("frmCaptura", [&](QWidget* janela) {
    titulo = janela->windowTitle();
    auto* modelo = janela->findChild<QComboBox*>("cbxModelo");
    modelo->setCurrentIndex(static_cast<int>(captura::TipoModelo::Torica));
    janela->findChild<QDoubleSpinBox*>("edtEixo")->setValue(30);
    Clica(janela, "btnCapturar");
  });
  zv::UBCapturaDLL::Digitalizar(&hospedeiro, central.Handle(), lateral.Handle(), 1,
                                "Digitalizando Imagem do Olho");
  EXPECT_EQ(titulo, "Digitalizando Imagem do Olho");
  const QImage imagem = Decodifica(central), vista = Decodifica(lateral);
  ASSERT_EQ(imagem.size(), QSize(640, 480));
  ASSERT_EQ(vista.size(), QSize(640, 480));

  captura::ModeloOlho toro;
  toro.tipo = captura::TipoModelo::Torica;
  toro.eixoCurvo = 30;
  EXPECT_EQ(imagem.convertToFormat(QImage::Format_RGB32),
            placido::Render(captura::Cena(toro, 32, 4)));
}

TEST_F(Captura, CancelarEscapeAndTheCloseBoxLeaveBothStreamsEmpty) {
  const std::array<std::function<void(QWidget*)>, 3> modos = {
      [](QWidget* j) { Clica(j, "btnCancelar"); },
      [](QWidget* j) { QTest::keyClick(j, Qt::Key_Escape); }, [](QWidget* j) { j->close(); }};
  for (const auto& fecha : modos) {
    zv::MemoryStream c{std::string("antigo")}, l{std::string("antigo")};
    QuandoAparecer("frmCaptura", fecha);
    zv::UBCapturaDLL::Digitalizar(&hospedeiro, c.Handle(), l.Handle(), 0,
                                  "Digitalizando Imagem do Olho");
    EXPECT_TRUE(c.Bytes().empty());
    EXPECT_TRUE(l.Bytes().empty());
  }
}

TEST_F(Captura, CalibrationRendersTheSphereOfTheCaption) {
  for (const char* titulo : {"Digitalizando Esfera (7,73)", "Digitalizando Esfera (8.91)"}) {
    QuandoAparecer("frmCaptura", [](QWidget* j) { Clica(j, "btnCapturar"); });
    zv::UBCapturaDLL::Digitalizar(&hospedeiro, central.Handle(), lateral.Handle(), 2, titulo);
    const double raio = *captura::RaioDaLegenda(titulo);
    EXPECT_EQ(Decodifica(central).convertToFormat(QImage::Format_RGB32),
              placido::Render(captura::CenaEsfera(raio, 32, 4)))
        << titulo;
  }
}

TEST_F(Captura, BadArgumentsGiveAMessageAndNoPicture) {
  std::string mensagem;
  zv::test::QuandoMensagem(mensagem);
  zv::UBCapturaDLL::Digitalizar(&hospedeiro, central.Handle(), lateral.Handle(), 2,
                                "Digitalizando Esfera");
  EXPECT_NE(mensagem.find("raio da esfera"), std::string::npos) << mensagem;
  EXPECT_TRUE(central.Bytes().empty());

  zv::test::QuandoMensagem(mensagem);
  EXPECT_EQ(zv::UBCapturaDLL::Digitalizar(&hospedeiro, nullptr, nullptr, 1, nullptr), 0);
  EXPECT_NE(mensagem.find("Não há onde gravar"), std::string::npos) << mensagem;
}

TEST(CapturaOrto, FillsFourCentralAndFourLateralStreamsOfAFollowUp) {
  ASSERT_TRUE(zv::UBCapturaOrtoDLL::CarregaModulo(zv::test::BinDir() + "/CapturaOrto.so"));
  QWidget hospedeiro;
  std::array<zv::MemoryStream, 4> centrais, laterais;
  std::array<TZVStream*, 4> c{}, l{};
  for (int i = 0; i < 4; ++i) c[i] = centrais[i].Handle(), l[i] = laterais[i].Handle();
  // The window's defaults are those of the model eye; the operator asks for 4 D.
  captura::ModeloOlho escolhido;
  escolhido.achatamento = 4.0;
  QuandoAparecer("frmCaptura", [&](QWidget* j) {
    EXPECT_FALSE(j->findChild<QComboBox*>("cbxModelo")->isEnabled());
    j->findChild<QDoubleSpinBox*>("edtAchatamento")->setValue(4.0);
    Clica(j, "btnCapturar");
  });
  zv::UBCapturaOrtoDLL::Digitalizar(&hospedeiro, c.data(), l.data(), 0,
                                    "Digitalizando Imagem do Olho");
  zv::UBCapturaOrtoDLL::LiberaModulo();
  const auto serie = captura::SerieOrto(escolhido);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Decodifica(centrais[i]).convertToFormat(QImage::Format_RGB32),
              placido::Render(captura::Cena(serie[i], 32, 4)))
        << i;
    EXPECT_EQ(Decodifica(laterais[i]).size(), QSize(640, 480)) << i;
  }
}

}  // namespace
