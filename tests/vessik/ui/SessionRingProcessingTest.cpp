// The review window's view of the processing session on the inputs an operator can meet: an
// absent or small image, and the three ways a calibration can fail.
#include <gtest/gtest.h>

#include "Errors.h"
#include "FakeFormView.h"
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
  EXPECT_THROW(processing.FinishImage(1, false), IoError);  // no "Coef.txt": reported, stops
  WriteCoef(17);                                            // more pairs than rings: stops
  EXPECT_FALSE(processing.FinishImage(1, false));
  EXPECT_EQ(dialogs.shown.size(), 1u);
  WriteCoef(16);
  EXPECT_FALSE(processing.FinishImage(1, true));  // still editing: warned, stops
  EXPECT_EQ(dialogs.shown.back().caption, "Atenção!");
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

}  // namespace
}  // namespace zv
