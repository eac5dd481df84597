// The review window's view of the processing session on the inputs an operator can meet: an
// absent or small image, and the three ways a calibration can fail.
#include <gtest/gtest.h>

#include "Errors.h"
#include "ScriptedDialogs.h"
#include "SessionRingProcessing.h"
#include "TestPaths.h"
#include "TextFile.h"

namespace zv {
namespace {

class SessionRingProcessingTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  test::ScriptedDialogs dialogs;
  vessik::ProcessingSession session{16, 0.024, dir.path(), dialogs};
  SessionRingProcessing processing{session};

  void WriteCoef(int pairs) {
    std::vector<std::string> lines;
    for (int j = 0; j < pairs; ++j) lines.insert(lines.end(), {"0", "0.05"});
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

TEST_F(SessionRingProcessingTest, CalibrationFailuresStopOrGoOnAsTheOperatorNeeds) {
  EXPECT_THROW(processing.FinishImage(1, false), IoError);  // no "Coef.txt": reported, stops
  WriteCoef(17);                                            // more pairs than rings: goes on
  EXPECT_TRUE(processing.FinishImage(1, false));
  EXPECT_EQ(dialogs.shown.size(), 1u);
  WriteCoef(16);
  EXPECT_TRUE(processing.FinishImage(1, true));  // still editing: warned, goes on
  EXPECT_EQ(dialogs.shown.back().caption, "Atenção!");
  // Nothing detected: every radius is 0, so no ring converts; the image is not stored and the
  // operation stops.
  EXPECT_FALSE(processing.FinishImage(1, false));
  EXPECT_EQ(dialogs.shown.back().text, "Erro ao processar o anél 1\rVerifique a calibração.");
}

}  // namespace
}  // namespace zv
