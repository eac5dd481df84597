// The ring review window's model driven through the fake view, scripted dialogs and a fake ring
// processing that records what the window asked of it.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "FakeFormView.h"
#include "QtFormView.h"
#include "ScriptedDialogs.h"
#include "UfrmInicial.h"
#include "UfrmInicialView.h"

namespace zv {
namespace {

// Concentric rings of radius 10·j around (320, 240) after every detection.
class FakeRingProcessing : public RingProcessing {
 public:
  std::vector<std::pair<int, int>> processed;  // (x, y) of each detection
  std::vector<int> finished;                   // image of each finishing
  // Each finishing as (image, detection whose rings were in the working table).
  std::vector<std::pair<int, int>> finishedFrom;
  int detection = -1;
  int retouches = 0, interpolations = 0;
  bool coefficientFileMissing = false;
  double confidence = 100;
  double table[361][33] = {};
  std::array<double, 5> sag{}, div{}, r0{};

  void ProcessImage(int, const QImage&, int x, int y, int rings, uint8_t) override {
    processed.emplace_back(x, y);
    detection = static_cast<int>(processed.size()) - 1;
    for (int k = 1; k <= 360; ++k)
      for (int j = 1; j <= rings; ++j) table[k][j] = 10.0 * j;
  }
  double ConfidenceIndex() const override { return confidence; }
  double CentreX() const override { return 320; }
  double CentreY() const override { return 240; }
  double Radius(int row, int ring) const override { return table[row][ring]; }
  void SetRadius(int row, int ring, double radius) override { table[row][ring] = radius; }
  void SetRingCount(int, int) override {}
  void Retouch() override { ++retouches; }
  void Interpolate() override { ++interpolations; }
  bool FinishImage(int image, bool) override {
    if (coefficientFileMissing) throw std::runtime_error("Cannot open \"Coef.txt\"");
    finished.push_back(image);
    finishedFrom.emplace_back(image, detection);
    return true;
  }
  ValoresOrtoImagens Valores() override { return {sag, div, r0}; }
};

class NullWaitNotice : public WaitNotice {
 public:
  int shown = 0;
  void Show() override { ++shown; }
  void Hide() override {}
};

class ReviewWindow : public ::testing::Test {
 protected:
  test::FakeFormView view;
  test::ScriptedDialogs dialogs;
  FakeRingProcessing processing;
  NullWaitNotice wait;
  TInfosZV infos{};
  std::unique_ptr<TfrmInicial> window;

  void Open(bool autoAneis = true) {
    infos.NumAneis = 16;
    infos.AutoAneis = autoAneis;
    infos.FatorCorrecao = 0.02;
    infos.IndiceConf = 50;
    infos.TvlCentral = 16;
    infos.TIncremento = 2;
    std::array<QImage, 4> images;
    for (auto& image : images) {
      image = QImage(640, 480, QImage::Format_RGB32);
      image.fill(Qt::darkGray);
    }
    window = std::make_unique<TfrmInicial>(view, dialogs, processing, wait, infos, images);
    window->FormShow();
  }
  QRgb Pixel(int x, int y) const { return window->Displayed().pixel(x, y); }
};

TEST_F(ReviewWindow, StartsWithTheFormsCaptionsAndStates) {
  Open();
  EXPECT_EQ(view["lblInfo"].text, "Clique no centro da imagem para processar os aneis.");
  EXPECT_EQ(view["lblIndConf"].text, "0 %");
  EXPECT_EQ(view["lblImagens"].text, "Processando Imagem 1");
  EXPECT_EQ(view["lbldist2"].text, "#");
  EXPECT_EQ(view["btnProxima"].text, "Próxima");
  for (const char* c : {"btnAnterior", "spbDadosOrto", "btnSelecionar", "sbAdicionar",
                        "sbRemoverPup", "sbCimaPup", "chkDesenhar", "btnOK"})
    EXPECT_FALSE(view[c].enabled) << c;
  EXPECT_TRUE(view["sbDesenharPup"].enabled);
  EXPECT_EQ(view["TrBarTolVarredura"].value, 2);
  EXPECT_EQ(window->InicioVarredura(), 16);
}

TEST_F(ReviewWindow, ScanStartWrapsAroundAtEightBits) {
  infos.TvlCentral = 10;
  infos.TIncremento = 10;
  window = std::make_unique<TfrmInicial>(view, dialogs, processing, wait, infos,
                                         std::array<QImage, 4>{});
  window->FormShow();
  view["TrBarTolVarredura"].value = 0;
  window->TrBarTolVarreduraChange();
  EXPECT_EQ(window->InicioVarredura(), 246);
  EXPECT_EQ(view["TrBarTolVarredura"].hint, "246");
}

TEST_F(ReviewWindow, AutomaticProcessingOnFirstMoveAndAgainAfterProxima) {
  Open();
  window->Image1MouseMove(100, 100);
  window->Image1MouseMove(101, 100);
  ASSERT_EQ(processing.processed.size(), 1u);
  EXPECT_EQ(processing.processed[0], std::make_pair(320, 240));
  EXPECT_EQ(view["lblImagens"].text, "Imagem  1 processada");
  EXPECT_EQ(view["lblIndConf"].text, "100.00%");
  EXPECT_TRUE(view["cbAneis"].checked);
  EXPECT_EQ(Pixel(330, 240), 0xFFFF0000u);  // ring 1 in red
  EXPECT_EQ(Pixel(340, 240), 0xFFFFFF00u);  // ring 2 in yellow
  window->btnProximaClick();
  EXPECT_EQ(processing.finished, std::vector<int>{1});
  EXPECT_EQ(view["lblImagens"].text, "Processando Imagem 2");
  window->Image1MouseMove(5, 5);
  EXPECT_EQ(processing.processed.size(), 2u);
  EXPECT_EQ(wait.shown, 2);
}

TEST_F(ReviewWindow, WithoutAutomaticProcessingAMoveOnlyExplains) {
  Open(false);
  window->Image1MouseMove(100, 100);
  EXPECT_TRUE(processing.processed.empty());
  EXPECT_EQ(view["lblAutoProc"].text, "Processamento automático dos aneis (DESABILITADO)");
  window->Image1MouseDown(MouseButton::Left, 322, 238);
  ASSERT_EQ(processing.processed.size(), 1u);
  EXPECT_EQ(processing.processed[0], std::make_pair(322, 238));
}

TEST_F(ReviewWindow, AClickInRingEditModeNeverStartsADetection) {
  Open();
  window->Image1MouseMove(0, 0);
  window->btnSelecionarClick();
  window->Image1MouseDown(MouseButton::Left, 350, 241);  // on ring 3
  window->Image1MouseUp(MouseButton::Left, 350, 241);
  EXPECT_EQ(processing.processed.size(), 1u);
  EXPECT_EQ(window->AnelSelecionado(), 3);
  EXPECT_EQ(Pixel(350, 240), 0xFF0000FFu);
  EXPECT_FALSE(view["btnSelecionar"].enabled);
  EXPECT_TRUE(view["btnRetocar"].enabled);

  window->sbRemoverClick();
  window->Image1MouseDown(MouseButton::Left, 350, 240);
  window->Image1MouseMove(350, 240);
  window->Image1MouseUp(MouseButton::Left, 350, 240);
  EXPECT_EQ(processing.table[1][3], 0);  // within 7 pixels: removed
  EXPECT_EQ(processing.table[360][3], 0);
  EXPECT_EQ(processing.table[90][3], 30);  // far away: kept
  EXPECT_EQ(processing.processed.size(), 1u);

  window->sbAdicionarClick();
  window->Image1MouseDown(MouseButton::Left, 355, 240);
  window->Image1MouseMove(355, 240);  // straight right of the centre: row 360
  EXPECT_DOUBLE_EQ(processing.table[360][3], 35);
  window->Image1MouseUp(MouseButton::Left, 355, 240);
  window->btnRetocarClick();
  EXPECT_EQ(processing.retouches, 1);
  EXPECT_TRUE(view["btnInterpolar"].enabled);
}

TEST_F(ReviewWindow, AddingOrRemovingWithoutARingOnlyShowsTheMessage) {
  Open();
  window->sbAdicionarClick();
  window->btnSelecionarClick();
  window->Image1MouseDown(MouseButton::Left, 600, 20);  // no ring there: ring 0
  window->sbRemoverClick();
  ASSERT_EQ(dialogs.shown.size(), 2u);
  for (const auto& m : dialogs.shown) {
    EXPECT_EQ(m.text, "Será necessário selecionar um anel antes de adicionar pontos");
    EXPECT_EQ(m.caption, "Mirelle");
  }
  window->Image1MouseMove(600, 20);
  EXPECT_EQ(processing.table[1][0], 0);  // the centre column is never edited
}

TEST_F(ReviewWindow, ProximaOnAnUnprocessedImageFinishesItAndAnteriorDropsTheOverlay) {
  Open(false);
  window->Image1MouseDown(MouseButton::Left, 320, 240);
  window->btnProximaClick();
  window->btnProximaClick();  // image 2 never processed: finished from the table left over
  EXPECT_EQ(processing.finished, (std::vector<int>{1, 2}));
  EXPECT_EQ(window->ImagemAtual(), 3);
  window->btnAnteriorClick();
  EXPECT_EQ(window->ImagemAtual(), 2);
  EXPECT_FALSE(view["cbAneis"].checked);
  EXPECT_EQ(Pixel(330, 240), QColor(Qt::darkGray).rgb());
  EXPECT_TRUE(view["btnProxima"].enabled);
}

TEST_F(ReviewWindow, ARefusedConfidenceIndexClosesWithResultZero) {
  Open(false);
  processing.confidence = 37.5;
  dialogs.answers = {MsgResult::No};
  window->Image1MouseDown(MouseButton::Left, 300, 200);
  EXPECT_EQ(view["lblIndConf"].text, "37.50%");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text,
            "Indice de confiabilidade abaixo do definido no sistema. Deseja continuar?\nSim para "
            "continuar e Não para processar novamente.");
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(view.closeResult, 0);
  EXPECT_EQ(window->EstadoOK(), 0);
}

TEST_F(ReviewWindow, AMissingCoefficientFileKeepsTheWindowOpen) {
  Open();
  window->Image1MouseMove(0, 0);
  processing.coefficientFileMissing = true;
  window->btnProximaClick();
  EXPECT_EQ(window->ImagemAtual(), 1);
  window->btnOKClick();
  EXPECT_FALSE(view.closed);
  EXPECT_FALSE(window->Finalizado());
  EXPECT_EQ(dialogs.shown.size(), 2u);
  processing.coefficientFileMissing = false;
  window->btnOKClick();
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(view.closeResult, 1);
  window->btnCancelarClick();
  EXPECT_EQ(window->EstadoOK(), 0);
}

TEST_F(ReviewWindow, RingsChangedAfterTheSummaryAreFinishedAgainOnOK) {
  Open(false);
  for (int i = 0; i < 3; ++i) window->btnProximaClick();
  window->Image1MouseDown(MouseButton::Left, 320, 240);
  window->spbDadosOrtoClick();
  EXPECT_EQ(processing.finished, (std::vector<int>{1, 2, 3, 4}));
  window->btnOKClick();  // nothing changed since the summary: not finished twice
  EXPECT_EQ(processing.finished.size(), 4u);

  view.closed = false;
  window->spbDadosOrtoClick();
  window->Image1MouseDown(MouseButton::Left, 321, 241);  // image 4 processed again
  window->btnOKClick();
  EXPECT_EQ(processing.finished, (std::vector<int>{1, 2, 3, 4, 4}));
  EXPECT_TRUE(view.closed);
}

// Which rings each image is stored with when the operator goes back: an image left with
// "Anterior" after a change is finished before its rings leave the working table, one revisited
// without processing keeps its tables, and "OK" finishes the image it is pressed on.
TEST_F(ReviewWindow, EveryImageIsStoredFromItsOwnRingsWhenTheOperatorGoesBack) {
  using Finishing = std::vector<std::pair<int, int>>;
  Open(false);
  for (int i = 1; i <= 4; ++i) {
    window->Image1MouseDown(MouseButton::Left, 320, 240);  // detection i - 1
    if (i < 4) window->btnProximaClick();
  }
  window->btnAnteriorClick();
  window->Image1MouseDown(MouseButton::Left, 320, 240);  // image 3 again: detection 4
  window->btnOKClick();
  EXPECT_EQ(processing.finishedFrom, (Finishing{{1, 0}, {2, 1}, {3, 2}, {4, 3}, {3, 4}}));
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(view.closeResult, 1);

  // After the summary of image 4: image 3 changed, image 2 only revisited.
  processing.finishedFrom.clear();
  Open(false);
  for (int i = 1; i <= 4; ++i) {
    window->Image1MouseDown(MouseButton::Left, 320, 240);  // detections 5 .. 8
    if (i < 4) window->btnProximaClick();
  }
  window->spbDadosOrtoClick();
  window->btnAnteriorClick();
  window->Image1MouseDown(MouseButton::Left, 320, 240);  // image 3 again: detection 9
  window->btnAnteriorClick();
  window->btnProximaClick();
  window->btnOKClick();
  EXPECT_EQ(processing.finishedFrom, (Finishing{{1, 5}, {2, 6}, {3, 7}, {4, 8}, {3, 9}}));
}

// "OK" before the last image: with automatic processing the images not yet seen are processed
// and finished; without it "OK" is refused and names the first of them.
TEST_F(ReviewWindow, OKBeforeTheLastImageLeavesNoImageUnprocessed) {
  Open(true);
  window->Image1MouseMove(0, 0);
  window->btnOKClick();
  EXPECT_EQ(processing.finishedFrom,
            (std::vector<std::pair<int, int>>{{1, 0}, {2, 1}, {3, 2}, {4, 3}}));
  EXPECT_EQ(window->ImagemAtual(), 4);
  EXPECT_EQ(view.closeResult, 1);

  processing.finished.clear();
  view.closed = false;
  Open(false);
  window->Image1MouseDown(MouseButton::Left, 320, 240);
  window->btnProximaClick();
  window->Image1MouseDown(MouseButton::Left, 320, 240);
  window->btnOKClick();
  EXPECT_EQ(processing.finished, (std::vector<int>{1, 2}));
  EXPECT_EQ(dialogs.Texts().back(), "A imagem 3 ainda não foi processada.");
  EXPECT_FALSE(view.closed);
}

TEST_F(ReviewWindow, MeasurementsGiveDivAndTheFourthOnlyShowsItsMessage) {
  Open();
  window->Image1MouseMove(0, 0);
  view["chkDesenhar"].checked = true;
  window->chkDesenharClick();
  EXPECT_FALSE(view["cbAneis"].checked);  // "Desenhar" unchecks "Aneis" ...
  view["cbAneis"].checked = true;
  window->cbAneisClick();  // ... and blocks re-checking it until the image is processed again
  EXPECT_FALSE(view["cbAneis"].checked);
  EXPECT_EQ(dialogs.Texts().back(), "Será necessário processar a imagem antes de continuar.");
  dialogs.shown.clear();
  for (int x : {420, 470, 520}) {  // arrows of 100, 150 and 200 pixels
    window->Image1MouseDown(MouseButton::Left, x, 240);
    window->Image1MouseMove(x, 240);
    window->Image1MouseUp(MouseButton::Left, x, 240);
  }
  EXPECT_EQ(view["lbldist1"].text, "2.00");
  EXPECT_EQ(view["lbldist3"].text, "4.00");
  EXPECT_EQ(view["lblDivMedia"].text, "6.00");  // twice the mean radius: (2 + 3 + 4) / 3 × 2
  EXPECT_DOUBLE_EQ(processing.div[0], 6.0);
  EXPECT_FALSE(view["chkDesenhar"].checked);
  view["chkDesenhar"].checked = true;
  window->chkDesenharClick();
  window->Image1MouseDown(MouseButton::Left, 400, 240);
  window->Image1MouseMove(400, 240);
  window->Image1MouseUp(MouseButton::Left, 400, 240);
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"as medidas necessárias já foram feitas"});
  EXPECT_EQ(view["lblDivMedia"].text, "6.00");
}

TEST_F(ReviewWindow, ArrowDirections) {
  EXPECT_EQ(TfrmInicial::AnguloSeta(400, 240), 1);
  EXPECT_EQ(TfrmInicial::AnguloSeta(320, 100), 90);
  EXPECT_EQ(TfrmInicial::AnguloSeta(200, 240), 180);
  EXPECT_EQ(TfrmInicial::AnguloSeta(320, 400), 270);
}

TEST_F(ReviewWindow, PupilIsDrawnMovedAndResized) {
  Open();
  view["sbDesenharPup"].checked = true;
  window->sbDesenharPupClick();
  EXPECT_TRUE(view["sbMovimentarPup"].enabled);
  window->Image1MouseDown(MouseButton::Left, 300, 220);
  window->Image1MouseMove(330, 250);
  window->Image1MouseUp(MouseButton::Left, 340, 260);
  EXPECT_TRUE(window->PupilaExiste());
  EXPECT_EQ(window->PupilaRet(), (std::array<int, 4>{300, 220, 340, 260}));
  EXPECT_FALSE(view["sbDesenharPup"].checked);
  view["sbMovimentarPup"].checked = true;
  window->sbMovimentarPupClick();
  window->SetaMouseDown(TfrmInicial::Direcao::Direita);
  EXPECT_TRUE(view["Timer1"].timerEnabled);
  EXPECT_EQ(view["Timer1"].timerInterval, 150);
  window->Timer1Timer();
  window->Timer1Timer();
  window->AnulaMovs();
  EXPECT_FALSE(view["Timer1"].timerEnabled);
  EXPECT_EQ(window->PupilaRet(), (std::array<int, 4>{302, 220, 342, 260}));
  // Dragging with the mouse inside the box moves it; outside only explains.
  window->Image1MouseDown(MouseButton::Left, 320, 240);
  window->Image1MouseMove(325, 245);
  window->Image1MouseUp(MouseButton::Left, 325, 245);
  EXPECT_EQ(window->PupilaRet(), (std::array<int, 4>{307, 225, 347, 265}));
  window->Image1MouseDown(MouseButton::Left, 10, 10);
  EXPECT_EQ(dialogs.Texts().back(),
            "Clique dentro da região definida como pupila para poder movimentá-la");
  view["sbRedimensionarPup"].checked = true;
  window->sbRedimensionarPupClick();
  window->SetaMouseDown(TfrmInicial::Direcao::Cima);
  window->Timer1Timer();
  window->AnulaMovs();
  EXPECT_EQ(window->PupilaRet(), (std::array<int, 4>{307, 222, 347, 268}));
  window->sbRemoverPupClick();
  EXPECT_FALSE(window->PupilaExiste());
  EXPECT_FALSE(view["sbMovimentarPup"].enabled);
}

TEST_F(ReviewWindow, TheQtViewHasEveryControlTheModelUsesAndRunsModally) {
  // Drive the model through most handlers to collect the names it uses.
  Open();
  window->Image1MouseMove(0, 0);
  window->btnSelecionarClick();
  window->sbAdicionarClick();
  window->btnRetocarClick();
  window->btnLimparClick();
  view["sbDesenharPup"].checked = true;
  window->sbDesenharPupClick();
  window->SetaMouseDown(TfrmInicial::Direcao::Cima);
  window->btnProximaClick();

  FakeRingProcessing realProcessing;
  TInfosZV realInfos = infos;
  TfrmInicialView dialog(realProcessing, realInfos, {});
  QtFormView bridge(&dialog);
  for (const auto& name : view.UsedNames()) EXPECT_TRUE(bridge.Has(name)) << name;

  // The real window: the first pointer movement processes image 1, then "OK" processes the
  // other three and closes with 1.
  QTimer::singleShot(0, [&] {
    auto* image = dialog.findChild<QWidget*>("Image1");
    QTest::mouseMove(image, QPoint(100, 100));
    dialog.findChild<QPushButton*>("btnOK")->click();
  });
  EXPECT_EQ(dialog.exec(), 1);
  EXPECT_EQ(realProcessing.processed.size(), 4u);
  EXPECT_EQ(realProcessing.finished, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(bridge.Text("lblImagens"), "Imagem  4 processada");
}

// Escape or the title bar's close box, after an image was finished with "Próxima", must not hand
// the host an accepted result.
TEST_F(ReviewWindow, ClosingTheWindowWithoutOKReturnsZero) {
  FakeRingProcessing realProcessing;
  TInfosZV realInfos{};
  realInfos.NumAneis = 16;
  realInfos.AutoAneis = 1;
  for (bool escape : {true, false}) {
    TfrmInicialView dialog(realProcessing, realInfos, {});
    QTimer::singleShot(0, [&] {
      QTest::mouseMove(dialog.findChild<QWidget*>("Image1"), QPoint(100, 100));
      dialog.findChild<QPushButton*>("btnProxima")->click();
      ASSERT_EQ(dialog.Model().EstadoOK(), 1);
      if (escape)
        QTest::keyClick(&dialog, Qt::Key_Escape);
      else
        dialog.close();
    });
    EXPECT_EQ(dialog.exec(), 0) << escape;
    EXPECT_EQ(dialog.Model().EstadoOK(), 0) << escape;
  }
}

}  // namespace
}  // namespace zv
