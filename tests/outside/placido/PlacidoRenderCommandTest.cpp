#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>

#include "PlacidoRenderer.h"
#include "TestPaths.h"

namespace {

struct RunResult {
  int exitCode;
  QString errorText;
};

RunResult RunRender(const QStringList& args) {
  QProcess process;
  process.start(QString::fromStdString(zv::test::BinDir() + "/placido-render"), args);
  EXPECT_TRUE(process.waitForFinished(30000));
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromLocal8Bit(process.readAllStandardError())};
}

TEST(PlacidoRenderCommand, WritesThePictureOfTheSceneItsFlagsDescribe) {
  zv::test::TempDir dir;
  const QString out = QString::fromStdString(dir / "toric.bmp");
  const RunResult run = RunRender({"--toric", "8.1", "7.5", "30", "--rings", "16", "--decentre",
                                   "4", "-3", "--noise", "2", "--seed", "5", "--out", out});
  ASSERT_EQ(run.exitCode, 0) << run.errorText.toStdString();

  placido::Scene scene;
  scene.cornea.kind = placido::SurfaceKind::Toric;
  scene.cornea.flatRadiusMm = 8.1;
  scene.cornea.steepRadiusMm = 7.5;
  scene.cornea.steepAxisDeg = 30;
  scene.rings = 16;
  scene.decentreXPx = 4;
  scene.decentreYPx = -3;
  scene.noiseSigma = 2;
  scene.seed = 5;
  const QImage written(out, "BMP");
  EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), placido::Render(scene));
}

TEST(PlacidoRenderCommand, RefusesBadFlagsWithOneLineAndWritesNothing) {
  zv::test::TempDir dir;
  const QString out = QString::fromStdString(dir / "x.bmp");
  const QStringList bad[] = {
      {"--bogus", "--out", out},
      {"--radius", "abc", "--out", out},
      {"--rings", "20", "--out", out},
      {"--toric", "8", "7.5", "--out", out},  // AXIS missing: "--out" is no number
      {"--toric", "8", "7.5", "90", "--q", "-0.2", "--out", out},
      {"--radius", "7.8"},
      {"--radius"},
  };
  for (const QStringList& args : bad) {
    SCOPED_TRACE(args.join(' ').toStdString());
    const RunResult run = RunRender(args);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.errorText.startsWith("placido-render: "));
    EXPECT_EQ(run.errorText.count('\n'), 1);
    EXPECT_FALSE(QFile::exists(out));
  }
}

}  // namespace
