#include <gtest/gtest.h>

#include <QImage>

#include "FakeModules.h"
#include "ScriptedDialogs.h"
#include "TestPaths.h"
#include "TextFile.h"
#include "UBModulos.h"
#include "UBProcuraModulos.h"

namespace zv {
namespace {

using test::InstallModule;
using test::TempDir;

const QRgb kMagenta = qRgb(255, 0, 255);
const QRgb kRed = qRgb(200, 0, 0);
const QRgb kBlue = qRgb(0, 0, 200);

// A picture whose left half is red and right half blue, with a magenta corner pixel.
void SavePicture(const std::string& path, int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, x < 24 ? kRed : kBlue);
  picture.setPixel(0, 0, kMagenta);
  ASSERT_TRUE(picture.save(QString::fromStdString(path), "BMP"));
}

// Versions by file; the module "Charlie" has none that can be read.
std::string FakeVersion(const std::string& path) {
  if (path.find("Charlie") != std::string::npos) throw std::runtime_error("no version note");
  return path.find("alfa") != std::string::npos ? "1.2.0.0" : "3.1.4.1";
}

// A map-module directory with every kind of file the scan meets.  Case-insensitive order:
// alfa, Bravo, Charlie, Delta, eco, Foxtrot, Golf; registration runs from Golf to alfa.
class ModuleScan : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallModule(2, dir / "alfa.so");  // multi map, kind 2, 4 lines, 30 x 20 picture
    SavePicture(dir / "alfa.bmp", 30, 20);
    InstallModule(1, dir / "Bravo.so");  // single map, kind 1, 48 x 24 picture
    SavePicture(dir / "Bravo.bmp", 48, 24);
    InstallModule(3, dir / "Charlie.so");  // kind 3; its ".bmp" is no picture
    WriteFileAtomic(dir / "Charlie.bmp", "not a picture");
    InstallModule(4, dir / "Delta.SO");    // two information lines
    InstallModule(5, dir / "eco.so");      // one information line
    InstallModule(6, dir / "Foxtrot.so");  // no InfoMapa
    WriteFileAtomic(dir / "Golf.so", "not a library");
    WriteFileAtomic(dir / "Hotel.dll", "other suffix");
    WriteFileAtomic(dir / "leia-me.txt", "x");
  }

  TempDir dir;
  test::ScriptedDialogs dialogs;
  TBProcuraModulos scan{dialogs, FakeVersion};
};

TEST_F(ModuleScan, RegistersFromTheLastNameToTheFirst) {
  int progress = 0;
  scan.ProcuraModulos(dir.path(), [&](int step) { progress += step; });

  EXPECT_EQ(scan.ListaModulos(),
            (std::vector<std::string>{"Mapa Estranho", "", "2", "",             // Charlie
                                      "Mapa Axial", "Simples", "1", "3.1.4.1",  // Bravo
                                      "Quillon Ortoceratologia", "Wizard", "4", "1.2.0.0"}));

  const auto& buttons = scan.Botoes();
  ASSERT_EQ(buttons.size(), 4u);
  struct Expected {
    const char* caption;
    const char* hint;
    TipoClique clique;
    int imageIndex;
  };
  const Expected expected[] = {
      {"Delta", "Duas Linhas", TipoClique::MapaClick, 1},
      {"Charlie", "Mapa Estranho", TipoClique::MapasClick, 1},
      {"Bravo", "Mapa Axial", TipoClique::MapaClick, 2},
      {"alfa", "Quillon Ortoceratologia", TipoClique::MapasClick, 3},
  };
  for (size_t i = 0; i < buttons.size(); ++i) {
    SCOPED_TRACE(expected[i].caption);
    EXPECT_EQ(buttons[i].caption, expected[i].caption);
    EXPECT_EQ(buttons[i].hint, expected[i].hint);
    EXPECT_EQ(buttons[i].clique, expected[i].clique);
    EXPECT_EQ(buttons[i].imageIndex, expected[i].imageIndex);
    EXPECT_EQ(buttons[i].normal.isNull(), expected[i].imageIndex == 1);
  }

  // Seven module files: 6 when found and 6 when handed to registration.
  EXPECT_EQ(progress, 7 * 12);
  // Only the file that is no library was reported, with the loader's text.
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].text.find("Golf.so"), std::string::npos);
}

TEST_F(ModuleScan, SplitsThePictureAt24PixelsWithMagentaTransparent) {
  scan.ProcuraModulos(dir.path());
  const TBBotaoModulo& bravo = scan.Botoes()[2];
  ASSERT_EQ(bravo.normal.size(), QSize(24, 24));
  ASSERT_EQ(bravo.highlighted.size(), QSize(24, 24));
  EXPECT_EQ(qAlpha(bravo.normal.pixel(0, 0)), 0);
  EXPECT_EQ(bravo.normal.pixel(23, 23), kRed);
  EXPECT_EQ(bravo.highlighted.pixel(0, 0), kBlue);

  // A 30 x 20 picture is still split at x = 24; what it lacks is transparent.
  const TBBotaoModulo& alfa = scan.Botoes()[3];
  ASSERT_EQ(alfa.highlighted.size(), QSize(24, 24));
  EXPECT_EQ(alfa.highlighted.pixel(5, 19), kBlue);
  EXPECT_EQ(qAlpha(alfa.highlighted.pixel(6, 5)), 0);
  EXPECT_EQ(qAlpha(alfa.normal.pixel(5, 20)), 0);
}

TEST_F(ModuleScan, ANewScanReplacesTheListAndRestartsThePictureCount) {
  scan.ProcuraModulos(dir.path());
  scan.ProcuraModulos(dir.path());
  EXPECT_EQ(scan.ListaModulos().size(), 12u);
  EXPECT_EQ(scan.Botoes().size(), 4u);
  EXPECT_EQ(scan.Botoes()[2].imageIndex, 2);

  scan.ProcuraModulos(dir / "ausente");
  EXPECT_TRUE(scan.ListaModulos().empty());
  EXPECT_TRUE(scan.Botoes().empty());
}

TEST(ModuleScanProgress, ThreeFilesAdvanceTheBarBy36) {
  TempDir dir;
  InstallModule(1, dir / "Pelmo.so");
  InstallModule(2, dir / "Kandor.so");
  InstallModule(6, dir / "Semsinfo.so");
  test::ScriptedDialogs dialogs;
  TBProcuraModulos scan(dialogs, {});
  int progress = 0;
  scan.ProcuraModulos(dir.path(), [&](int step) { progress += step; });
  EXPECT_EQ(progress, 36);
  EXPECT_EQ(scan.ListaModulos().size(), 8u);
  EXPECT_EQ(scan.ListaModulos()[3], "");  // no version reader: empty version line

  // The tools window's start counts only the files found and makes no buttons.
  progress = 0;
  scan.ProcuraModulosSemBotoes(dir.path(), [&](int step) { progress += step; });
  EXPECT_EQ(progress, 18);
  EXPECT_EQ(scan.ListaModulos().size(), 8u);
  EXPECT_TRUE(scan.Botoes().empty());
}

// The tools window's own start, with everything it needs from the application faked.
class ToolsStart : public ::testing::Test {
 protected:
  void SetUp() override {
    ForceDirectories(dir / "mapas");
    InstallModule(1, dir / "mapas/Pelmo.so");
    InstallModule(6, dir / "Processamento.so");
    paths.DirBancoDados = db.c_str();
    paths.DirMapas = mapas.c_str();
    paths.ModProcessamento = processamento.c_str();
    paths.ModDigitalizacao = processamento.c_str();
    ambiente.marcaEtapa = [this](int step) { steps.push_back(step); };
    ambiente.progresso = [this](int position) { positions.push_back(position); };
    ambiente.abreBancoDados = [this](const std::string& path) {
      opened = path;
      return openResult;
    };
    ambiente.encerraAplicativo = [this] { ended = true; };
  }

  TempDir dir;
  std::string db = dir.path(), mapas = dir / "mapas", processamento = dir / "Processamento.so";
  TPathsZV paths{};
  TBModulosAmbiente ambiente;
  test::ScriptedDialogs dialogs;
  std::vector<int> steps, positions;
  std::string opened;
  bool openResult = true;
  bool ended = false;
};

TEST_F(ToolsStart, OpensTheDatabaseScansTheMapsAndProbesTheModules) {
  WriteFileAtomic(dir / "DATABASE.GDB", "");
  TBModulos modulos(paths, dialogs, FakeVersion, ambiente);
  EXPECT_TRUE(modulos.Inicia());
  EXPECT_EQ(opened, dir / "DATABASE.GDB");
  EXPECT_EQ(steps, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(positions, (std::vector<int>{0, 50, 100, 0, 100, 0, 50, 100}));
  EXPECT_EQ(modulos.ListaModulos(),
            (std::vector<std::string>{"Mapa Axial", "Simples", "1", "3.1.4.1"}));
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_FALSE(ended);
}

TEST_F(ToolsStart, ReportsTheDatabaseAndGoesOn) {
  const std::string suporte = "\rSuporte técnico: 0800 555 0100.";
  TBModulos missing(paths, dialogs, {}, ambiente);
  EXPECT_TRUE(missing.Inicia());
  EXPECT_TRUE(opened.empty());

  WriteFileAtomic(dir / "DATABASE.GDB", "");
  openResult = false;
  TBModulos failing(paths, dialogs, {}, ambiente);
  EXPECT_TRUE(failing.Inicia());
  EXPECT_EQ(failing.ListaModulos().size(), 4u);

  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].text,
            "Caminho do diretório do Banco de dados incorreto, entre em contato com o nosso "
            "suporte técnico. " +
                suporte);
  EXPECT_EQ(dialogs.shown[1].text,
            "Não foi possível connectar com o banco de dados, entre em contato com o nosso "
            "suporte técnico. " +
                suporte);
  for (const auto& shown : dialogs.shown) {
    EXPECT_EQ(shown.caption, "ERRO");
    EXPECT_EQ(shown.icon, MsgIcon::Error);
  }
  EXPECT_FALSE(ended);
}

TEST_F(ToolsStart, AnyOtherFailureEndsTheApplication) {
  ambiente.progresso = [](int position) {
    if (position == 50) throw std::runtime_error("window gone");
  };
  TBModulos modulos(paths, dialogs, {}, ambiente);
  EXPECT_FALSE(modulos.Inicia());
  EXPECT_TRUE(ended);
  ASSERT_EQ(dialogs.shown.size(), 2u);  // the database message, then the fatal one
  EXPECT_EQ(dialogs.shown[1].text,
            "Não foi possivel inicializar o aplicativo. \rEntre em contato com a assistência "
            "técnica: 0800 555 0100");
  EXPECT_EQ(dialogs.shown[1].caption, "ERRO");
}

TEST(ModuleScanVersions, ReadFromTheModulesOwnVersionNote) {
  TempDir dir;
  test::ScriptedDialogs dialogs;
  InstallModule(2, dir / "Kilo.so");
  TBProcuraModulos scan(dialogs);
  scan.ProcuraModulos(dir.path());
  ASSERT_EQ(scan.ListaModulos().size(), 4u);
  EXPECT_EQ(scan.ListaModulos()[3], ZV_PROJECT_VERSION);
}

}  // namespace
}  // namespace zv
