#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <algorithm>
#include <cmath>
#include <regex>

#include "TestPaths.h"
#include "TextFile.h"

namespace {

using zv::test::TempDir;

// Eight bright rings and a central reflex on black, centred on the picture.
void WriteRingImage(const std::string& path, int width = 640, int height = 480) {
  QImage img(width, height, QImage::Format_RGB32);
  img.fill(Qt::black);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const double d = std::hypot(x - 320.0, y - 240.0);
      const bool bright = d < 3 || (d >= 20 && d < 148 && static_cast<int>(d - 20) % 16 < 8);
      if (bright) img.setPixel(x, y, qRgb(255, 255, 255));
    }
  ASSERT_TRUE(img.save(QString::fromStdString(path), "BMP"));
}

void WriteCoef(const std::string& path, int pairs) {
  std::vector<std::string> lines;
  for (int j = 1; j <= pairs; ++j) lines.insert(lines.end(), {"6", "0.02"});
  zv::WriteTextLines(path, lines);
}

struct BatchRun {
  int status;
  std::string err;
};

BatchRun RunBatch(const QStringList& args) {
  QProcess p;
  p.start(QString::fromStdString(zv::test::BinDir() + "/vessik-batch"), args);
  p.waitForFinished(60000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          p.readAllStandardError().toStdString()};
}

QStringList Args(const TempDir& dir, const std::string& coef, QStringList images) {
  QStringList a = {"--rings",  "16",
                   "--factor", "0.024",
                   "--tvl",    "10",
                   "--tinc",   "10",
                   "--coef",   QString::fromStdString(coef),
                   "--out",    QString::fromStdString(dir / "out")};
  return a + images;
}

TEST(VessikBatch, WritesTheFourFilesInTheExchangeFormats) {
  TempDir dir;
  WriteRingImage(dir / "a.bmp");
  WriteCoef(dir / "Coef.txt", 16);
  const BatchRun r = RunBatch(
      Args(dir, dir / "Coef.txt",
           {QString::fromStdString(dir / "a.bmp"), QString::fromStdString(dir / "a.bmp")}));
  ASSERT_EQ(r.status, 0) << r.err;
  const std::regex value17("((\\d\\d+\\.\\d\\d) ){17}");
  std::string zeros;
  for (int c = 0; c < 17; ++c) zeros += "00.00 ";
  for (const char* name : {"TabelaPixels.txt", "TabelaDioptrias.txt"}) {
    const std::string bytes = zv::ReadFileBytes(dir / "out" + "/" + name);
    const auto lines = zv::DecodeLines(bytes);
    ASSERT_EQ(lines.size(), 1440u) << name;
    EXPECT_EQ(bytes.substr(bytes.size() - 3), " \r\n") << name;
    for (size_t i = 0; i < lines.size(); ++i) {
      ASSERT_TRUE(std::regex_match(lines[i], value17)) << name << " line " << i + 1;
      if (i >= 720) {
        ASSERT_EQ(lines[i], zeros) << name << " line " << i + 1;  // images not given
      }
    }
    EXPECT_EQ(lines[0], lines[360]) << name;  // the same picture twice
  }
  const auto pixels = zv::ReadTextLines(dir / "out" + "/TabelaPixels.txt");
  EXPECT_EQ(pixels[0].substr(0, 6), "00.00 ");
  const auto dioptres = zv::ReadTextLines(dir / "out" + "/TabelaDioptrias.txt");
  EXPECT_EQ(dioptres[0].substr(0, 6), dioptres[359].substr(0, 6));

  const auto orto = zv::ReadTextLines(dir / "out" + "/ValoresOrto.txt");
  ASSERT_EQ(orto.size(), 16u);
  EXPECT_NE(orto[0], "0");  // SAG
  EXPECT_EQ(orto[1], "0");  // DIV is the operator's measurement
  EXPECT_NE(orto[2], "0");  // R0
  EXPECT_EQ(orto[3], "0");
  for (int i = 8; i < 16; ++i) EXPECT_EQ(orto[i], "0") << i;
  const auto conf = zv::ReadTextLines(dir / "out" + "/IndicesConf.txt");
  ASSERT_EQ(conf.size(), 4u);
  EXPECT_EQ(conf[0], "100");
  EXPECT_EQ(conf[2], "0");
}

TEST(VessikBatch, BadInputGivesOneLineAndNoOutput) {
  TempDir dir;
  WriteRingImage(dir / "good.bmp");
  WriteRingImage(dir / "small.bmp", 320, 240);
  zv::WriteFileAtomic(dir / "text.bmp", "not a bitmap");
  const std::string whole = zv::ReadFileBytes(dir / "good.bmp");
  zv::WriteFileAtomic(dir / "cut.bmp", whole.substr(0, whole.size() / 2));
  WriteCoef(dir / "Coef.txt", 16);
  WriteCoef(dir / "Coef17.txt", 17);
  const QString good = QString::fromStdString(dir / "good.bmp");
  struct Case {
    const char* name;
    QStringList args;
    const char* expected;
  } cases[] = {
      {"unreadable image", Args(dir, dir / "Coef.txt", {QString::fromStdString(dir / "text.bmp")}),
       "cannot read"},
      {"missing image", Args(dir, dir / "Coef.txt", {QString::fromStdString(dir / "none.bmp")}),
       "cannot read"},
      {"image cut short",
       Args(dir, dir / "Coef.txt", {good, QString::fromStdString(dir / "cut.bmp")}),
       "cut.bmp: cannot read"},
      {"wrong size", Args(dir, dir / "Coef.txt", {QString::fromStdString(dir / "small.bmp")}),
       "wrong image size 320 x 240"},
      {"missing Coef.txt", Args(dir, dir / "none.txt", {good}), "not found"},
      {"rejected Coef.txt", Args(dir, dir / "Coef17.txt", {good}), "maior que do exame"},
      {"unknown flag", Args(dir, dir / "Coef.txt", {"--fast", good}), "unknown option --fast"},
      {"bad ring count", QStringList{"--rings", "20"} + Args(dir, dir / "Coef.txt", {good}),
       "--rings must be 16 or 32"},
      {"five images", Args(dir, dir / "Coef.txt", {good, good, good, good, good}), "at most four"},
      {"no image", Args(dir, dir / "Coef.txt", {}), "no image"},
  };
  for (const auto& c : cases) {
    const BatchRun r = RunBatch(c.args);
    EXPECT_NE(r.status, 0) << c.name;
    EXPECT_NE(r.err.find(c.expected), std::string::npos) << c.name << ": " << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << c.name << ": " << r.err;
    EXPECT_FALSE(zv::FileExists(dir / "out/TabelaPixels.txt")) << c.name;
  }
}

}  // namespace
