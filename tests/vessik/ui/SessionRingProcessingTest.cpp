// The review window's view of the processing session on the inputs an operator can meet: an
// absent or small image, and the three ways a calibration can fail.
#include <gtest/gtest.h>

#include "Errors.h"
#include "FakeFormView.h"
#include "PlacidoRenderer.h"
#include "ScriptedDialogs.h"
#include "SessionRingProcessing.h"
#include "TestPaths.h"
#include "TextFile.h"
#include "UfrmInicial.h"

namespace zv {
namespace {

class SessionRingProcessingTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  test::ScriptedDialogs dialogs;
  vessik::ProcessingSession session{16, 0.024, dir.path(), dialogs};
  SessionRingProcessing processing{session};

  void WriteCoef(int pairs, const char* intercept = "0") {
    std::vector<std::string> lines;
    for (int j = 0; j < pairs; ++j) lines.insert(lines.end(), {intercept, "0.05"});
    WriteTextLines(dir / "Coef.txt", lines);
  }
};

TEST_F(SessionRingProcessingTest, AnAbsentOrSmallImageFindsNoRingsAndNeverCrashes) {
  for (const QImage& image : {QImage(), QImage(40, 30, QImage::Format_RGB32)}) {
    processing.ProcessImage(2, image, 320, 240, 16, 14);
    for (int row : {1, 90, 360}) EXPECT_EQ(processing.Radius(row, 1), 0) << row;
    EXPECT_GE(processing.ConfidenceIndex(), 0);
  }
}

TEST_F(SessionRingProcessingTest, CalibrationFailuresAndEditingStopTheOperation) {
  // A table with a gap the completion would fill: each refusal leaves it as it was.
  for (int row = 1; row <= 360; ++row)
    for (int ring = 1; ring <= 16; ++ring)
      processing.SetRadius(row, ring, row % 90 == 0 ? 0 : 12.0 * ring);
  const vessik::TabelaAneis table = session.trabalho;
  EXPECT_THROW(processing.FinishImage(1, false), IoError);  // no "Coef.txt": reported, stops
  EXPECT_TRUE(session.trabalho == table);
  WriteCoef(17);  // more pairs than rings: stops
  EXPECT_FALSE(processing.FinishImage(1, false));
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(session.trabalho == table);
  WriteCoef(16);
  EXPECT_FALSE(processing.FinishImage(1, true));  // still editing: warned, stops
  EXPECT_EQ(dialogs.shown.back().caption, "Atenção!");
  EXPECT_TRUE(session.trabalho == table);
  session.trabalho = {};
  // Nothing detected: every radius is 0, so no ring converts; the image is not stored and the
  // operation stops.
  EXPECT_FALSE(processing.FinishImage(1, false));
  EXPECT_EQ(dialogs.shown.back().text, "Erro ao processar o anél 1\rVerifique a calibração.");
}

class NoWaitNotice : public WaitNotice {
 public:
  void Show() override {}
  void Hide() override {}
};

// An image whose finishing stored nothing must not be left behind: "Próxima" stays on it and
// "OK" keeps the window open, whether the rings are still being edited or the calibration was
// refused.  Once the editing is closed with "Retocar", "Próxima" moves on.
TEST_F(SessionRingProcessingTest, AnImageThatWasNotStoredKeepsTheOperatorOnIt) {
  WriteCoef(16, "7.8");  // every ring converts, even with nothing detected
  test::FakeFormView view;
  NoWaitNotice wait;
  TInfosZV infos{};
  infos.NumAneis = 16;
  infos.FatorCorrecao = 0.024;
  std::array<QImage, 4> images;
  for (auto& image : images) {
    image = QImage(640, 480, QImage::Format_RGB32);
    image.fill(Qt::black);
  }
  TfrmInicial window(view, dialogs, processing, wait, infos, images);
  window.FormShow();
  window.Image1MouseDown(MouseButton::Left, 320, 240);
  window.btnSelecionarClick();
  window.Image1MouseDown(MouseButton::Left, 600, 20);

  window.btnProximaClick();
  EXPECT_EQ(dialogs.Texts().back(),
            "Imagem ainda em edição, por favor, clique no botão \"Retocar\".");
  EXPECT_EQ(window.ImagemAtual(), 1);
  EXPECT_EQ(window.EstadoOK(), 0);
  window.btnOKClick();
  EXPECT_FALSE(view.closed);
  EXPECT_FALSE(window.Finalizado());

  window.btnRetocarClick();
  window.btnProximaClick();
  EXPECT_EQ(window.ImagemAtual(), 2);
  EXPECT_EQ(window.EstadoOK(), 1);

  WriteCoef(17, "7.8");
  const size_t before = dialogs.shown.size();
  window.btnProximaClick();
  EXPECT_EQ(dialogs.shown.size(), before + 1);
  EXPECT_EQ(window.ImagemAtual(), 2);
  window.btnOKClick();
  EXPECT_FALSE(view.closed);
}

// The review window over the real processing, on four spheres of growing radius (the flatter
// the cornea, the larger its rings), with a calibration under which every ring converts.
class ReviewOnSpheres : public ::testing::Test {
 protected:
  static const std::array<QImage, 4>& Spheres() {
    static const std::array<QImage, 4> spheres = [] {
      std::array<QImage, 4> images;
      const double radii[4] = {7.5, 7.74, 8.0, 8.3};
      for (int i = 0; i < 4; ++i) {
        placido::Scene scene;
        scene.cornea.apicalRadiusMm = radii[i];
        scene.rings = 32;
        scene.supersample = 2;
        images[i] = placido::Render(scene);
      }
      return images;
    }();
    return spheres;
  }

  struct Run {
    test::ScriptedDialogs dialogs;
    test::FakeFormView view;
    NoWaitNotice wait;
    std::unique_ptr<vessik::ProcessingSession> session;
    std::unique_ptr<SessionRingProcessing> processing;
    std::unique_ptr<TfrmInicial> window;
  };

  test::TempDir dir;

  void SetUp() override {
    std::vector<std::string> lines;
    for (int j = 0; j < 32; ++j) lines.insert(lines.end(), {"0", "0.025"});
    WriteTextLines(dir / "Coef.txt", lines);
  }

  void Open(Run& run, bool autoAneis = false) {
    run.session = std::make_unique<vessik::ProcessingSession>(32, placido::MillimetresPerPixel(),
                                                              dir.path(), run.dialogs);
    run.processing = std::make_unique<SessionRingProcessing>(*run.session);
    TInfosZV infos{};
    infos.NumAneis = 32;
    infos.FatorCorrecao = placido::MillimetresPerPixel();
    infos.TvlCentral = 8;
    infos.AutoAneis = autoAneis;
    run.window = std::make_unique<TfrmInicial>(run.view, run.dialogs, *run.processing, run.wait,
                                               infos, Spheres());
    run.window->FormShow();
  }

  // Processes image 1 and removes ring 5's points around the right-hand horizontal, where the
  // last meridian meets the first.
  void RemoveRing5AtTheSeam(Run& run) {
    auto& w = *run.window;
    w.Image1MouseDown(MouseButton::Left, 320, 240);
    const int x = static_cast<int>(run.processing->CentreX() + run.processing->Radius(360, 5));
    const int y = static_cast<int>(run.processing->CentreY());
    w.btnSelecionarClick();
    w.Image1MouseDown(MouseButton::Left, x, y);
    ASSERT_EQ(w.AnelSelecionado(), 5);
    w.sbRemoverClick();
    w.Image1MouseDown(MouseButton::Left, x, y);
    for (int dy : {-8, 0, 8}) w.Image1MouseMove(x, y + dy);
    w.Image1MouseUp(MouseButton::Left, x, y + 8);
    ASSERT_EQ(run.processing->Radius(360, 5), 0);
    ASSERT_EQ(run.processing->Radius(1, 5), 0);
  }
};

// "Próxima" pressed before the editing is closed with "Retocar" is refused, and must leave no
// trace: the table after it is the operator's table, and the image stored after "Retocar" and
// "Próxima" is the one stored when the editing was closed first.
TEST_F(ReviewOnSpheres, ARefusedFinishingLeavesTheRingTableAsTheOperatorLeftIt) {
  Run closedFirst, refusedFirst;
  Open(closedFirst);
  RemoveRing5AtTheSeam(closedFirst);
  closedFirst.window->btnRetocarClick();
  closedFirst.window->btnProximaClick();
  ASSERT_EQ(closedFirst.window->ImagemAtual(), 2);

  Open(refusedFirst);
  RemoveRing5AtTheSeam(refusedFirst);
  const vessik::TabelaAneis edited = refusedFirst.session->trabalho;
  const vessik::ContagemAneis counts = refusedFirst.session->contagens;
  refusedFirst.window->btnProximaClick();
  ASSERT_EQ(refusedFirst.window->ImagemAtual(), 1);
  EXPECT_EQ(refusedFirst.dialogs.Texts().back(),
            "Imagem ainda em edição, por favor, clique no botão \"Retocar\".");
  EXPECT_TRUE(refusedFirst.session->trabalho == edited);
  EXPECT_TRUE(refusedFirst.session->contagens == counts);
  refusedFirst.window->btnRetocarClick();
  refusedFirst.window->btnProximaClick();
  ASSERT_EQ(refusedFirst.window->ImagemAtual(), 2);

  const auto& stored = refusedFirst.session->MatrizesPixels[0];
  EXPECT_TRUE(stored == closedFirst.session->MatrizesPixels[0]);
  // Every meridian keeps its rings in order.
  for (int k = 0; k < 360; ++k)
    for (int j = 2; j <= 32; ++j) ASSERT_GT(stored[k][j], stored[k][j - 1]) << k + 1 << "," << j;
}

// "OK" returns every image from its own rings, never as zeros: after going back to image 3 and
// processing it again, and from image 1 with automatic processing.  R0 grows with the sphere.
TEST_F(ReviewOnSpheres, OKReturnsEveryImageFromItsOwnRings) {
  Run back, early;
  Open(back);
  for (int i = 1; i <= 4; ++i) {
    back.window->Image1MouseDown(MouseButton::Left, 320, 240);
    if (i < 4) back.window->btnProximaClick();
  }
  back.window->btnAnteriorClick();
  back.window->Image1MouseDown(MouseButton::Left, 320, 240);
  back.window->btnOKClick();

  Open(early, true);
  early.window->Image1MouseMove(100, 100);
  early.window->btnOKClick();

  for (Run* run : {&back, &early}) {
    EXPECT_EQ(run->view.closeResult, 1);
    EXPECT_EQ(run->window->EstadoOK(), 1);
    const auto& r0 = run->session->ValoresR0;
    EXPECT_GT(r0[0], 0);
    EXPECT_TRUE(r0[0] < r0[1] && r0[1] < r0[2] && r0[2] < r0[3])
        << r0[0] << " " << r0[1] << " " << r0[2] << " " << r0[3];
    for (int i = 0; i < 4; ++i) EXPECT_GT(run->session->MatrizesPixels[i][0][32], 0) << i;
  }
}

}  // namespace
}  // namespace zv
