// The built module loaded as the host loads it: ProcessaImagem on four simulated captures, the
// real review window driven as an operator would (automatic processing, "Próxima" three times,
// "OK"), and its outputs compared byte for byte with what vessik-batch writes for the same
// images and calibration.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "NumberFormat.h"
#include "PlacidoRenderer.h"
#include "Streams.h"
#include "TestPaths.h"
#include "TextFile.h"
#include "UBConstantes.h"

namespace zv {
namespace {

class VessikModule : public ::testing::Test {
 protected:
  void SetUp() override {
    handle_ = dlopen((test::BinDir() + "/Vessik.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle_, nullptr) << dlerror();
    processa_ = reinterpret_cast<TProcessaImagemOrto>(dlsym(handle_, "ProcessaImagem"));
    info_ = reinterpret_cast<TInfo>(dlsym(handle_, "Info"));
    ASSERT_NE(processa_, nullptr);
    ASSERT_NE(info_, nullptr);
    // A calibration of the same slope for every ring: any valid file serves the comparison.
    std::vector<std::string> coef;
    for (int j = 0; j < 32; ++j) coef.insert(coef.end(), {"0", "0.0425"});
    WriteTextLines(dir / "Coef.txt", coef);
    const double radii[4] = {7.7, 7.8, 7.95, 8.1};
    for (int i = 0; i < 4; ++i) {
      placido::Scene scene;
      scene.cornea.apicalRadiusMm = radii[i];
      scene.noiseSigma = 2;
      scene.seed = 10 + i;
      images[i] = dir / ("olho" + std::to_string(i + 1) + ".bmp");
      ASSERT_TRUE(placido::SaveBmp(placido::Render(scene), images[i]));
    }
    infos.NumAneis = 32;
    infos.FatorCorrecao = placido::MillimetresPerPixel();
    infos.AutoAneis = 1;
    infos.IndiceConf = 0;
    infos.TvlCentral = 8;
    infos.TIncremento = 2;
    calibration = dir.path() + "/";
    paths.DirCalibracao = calibration.c_str();
  }
  void TearDown() override {
    if (handle_) dlclose(handle_);
  }

  // Finds the shown review window and acts on it as the operator: `steps` runs once it is up.
  void WhenWindowShows(std::function<void(QWidget*)> steps) {
    QTimer::singleShot(50, [steps] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "frmInicial" && w->isVisible()) return steps(w);
      ADD_FAILURE() << "the review window did not show";
    });
  }

  test::TempDir dir;
  std::string images[4], calibration;
  TInfosZV infos{};
  TPathsZV paths{};
  void* handle_ = nullptr;
  TProcessaImagemOrto processa_ = nullptr;
  TInfo info_ = nullptr;
};

TEST_F(VessikModule, AcceptedWindowWritesWhatTheBatchToolWrites) {
  const std::string out = dir / "batch";
  const std::string command = test::BinDir() + "/vessik-batch --rings 32 --factor " +
                              FloatToStr(infos.FatorCorrecao) + " --tvl 8 --tinc 2 --coef " +
                              dir / "Coef.txt" + " --out " + out + " " + images[0] + " " +
                              images[1] + " " + images[2] + " " + images[3];
  ASSERT_EQ(std::system(command.c_str()), 0);

  MemoryStream streams[4], pixels, dioptrias, valores;
  for (int i = 0; i < 4; ++i) StreamWrite(streams[i].Handle(), ReadFileBytes(images[i]));
  TZVStream* handles[4] = {streams[0].Handle(), streams[1].Handle(), streams[2].Handle(),
                           streams[3].Handle()};
  double indices[4] = {-1, -1, -1, -1};
  QWidget host;
  WhenWindowShows([](QWidget* window) {
    auto* image = window->findChild<QWidget*>("Image1");
    for (int i = 0; i < 4; ++i) {
      QTest::mouseMove(image, QPoint(100 + i, 100));  // automatic processing of image i + 1
      if (i < 3) window->findChild<QAbstractButton*>("btnProxima")->click();
    }
    window->findChild<QAbstractButton*>("btnOK")->click();
  });
  ASSERT_EQ(processa_(&host, handles, pixels.Handle(), dioptrias.Handle(), valores.Handle(),
                      indices, infos, paths),
            1);
  EXPECT_EQ(pixels.Bytes(), ReadFileBytes(out + "/TabelaPixels.txt"));
  EXPECT_EQ(dioptrias.Bytes(), ReadFileBytes(out + "/TabelaDioptrias.txt"));
  EXPECT_EQ(valores.Bytes(), ReadFileBytes(out + "/ValoresOrto.txt"));
  const auto lines = ReadTextLines(out + "/IndicesConf.txt");
  ASSERT_EQ(lines.size(), 4u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(FloatToStr(indices[i]), lines[i]);
  EXPECT_EQ(DecodeLines(dioptrias.Bytes()).size(), 1440u);
}

TEST_F(VessikModule, CancelLeavesEveryOutputUntouchedAndInfoAppends) {
  MemoryStream streams[4], pixels("old pixels"), dioptrias("old dioptres"), valores("old");
  for (int i = 0; i < 4; ++i) StreamWrite(streams[i].Handle(), ReadFileBytes(images[i]));
  TZVStream* handles[4] = {streams[0].Handle(), streams[1].Handle(), streams[2].Handle(),
                           streams[3].Handle()};
  double indices[4] = {-1, -1, -1, -1};
  WhenWindowShows([](QWidget* window) {
    QTest::mouseMove(window->findChild<QWidget*>("Image1"), QPoint(50, 50));
    window->findChild<QAbstractButton*>("btnCancelar")->click();
  });
  EXPECT_EQ(processa_(nullptr, handles, pixels.Handle(), dioptrias.Handle(), valores.Handle(),
                      indices, infos, paths),
            0);
  EXPECT_EQ(pixels.Bytes(), "old pixels");
  EXPECT_EQ(dioptrias.Bytes(), "old dioptres");
  EXPECT_EQ(valores.Bytes(), "old");
  EXPECT_EQ(indices[0], -1);

  MemoryStream description("Lista\r\n");
  TZVStream* d = description.Handle();
  d->Seek(d->context, 0, ZV_SEEK_END);
  info_(d);
  EXPECT_EQ(description.Bytes(), "Lista\r\nProcessamento de Imagem Digital - Ortoceratologia\r\n");
}

TEST_F(VessikModule, ImageCutShortIsAnAbsentImage) {
  MemoryStream streams[4], pixels, dioptrias, valores;
  for (int i = 0; i < 4; ++i) StreamWrite(streams[i].Handle(), ReadFileBytes(images[i]));
  const std::string whole = ReadFileBytes(images[1]);
  MemoryStream cut(whole.substr(0, whole.size() / 2));
  TZVStream* handles[4] = {streams[0].Handle(), cut.Handle(), streams[2].Handle(),
                           streams[3].Handle()};
  double indices[4] = {-1, -1, -1, -1};
  // Answers every message box and cancels the review window once it shows.
  std::vector<std::string> messages;
  QTimer operador;
  QObject::connect(&operador, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!w->isVisible()) continue;
      if (auto* box = qobject_cast<QMessageBox*>(w)) {
        messages.push_back(box->text().toStdString());
        box->accept();
      } else if (w->objectName() == "frmInicial") {
        w->findChild<QAbstractButton*>("btnCancelar")->click();
      }
    }
  });
  operador.start(50);
  EXPECT_EQ(processa_(nullptr, handles, pixels.Handle(), dioptrias.Handle(), valores.Handle(),
                      indices, infos, paths),
            0);
  EXPECT_EQ(messages, std::vector<std::string>{"não existe"});
}

}  // namespace
}  // namespace zv
