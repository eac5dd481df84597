// The about box: the version line, the cone section and the four modules' lines, through a
// fake view and fake module information, then the real view.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTimer>
#include <map>

#include "FakeFormView.h"
#include "QtFormView.h"
#include "ScriptedDialogs.h"
#include "TestPaths.h"
#include "TextFile.h"
#include "UfrmSobre.h"
#include "UfrmSobreView.h"

namespace zv {
namespace {

class FakeInfo : public InfoModulos {
 public:
  std::map<std::string, std::vector<std::string>> descricoes;
  std::optional<std::vector<std::string>> Descricao(const std::string& path) override {
    const auto it = descricoes.find(path);
    if (it == descricoes.end()) return std::nullopt;
    return it->second;
  }
  std::string Versao(const std::string& path) override { return "1.0.0." + path.substr(0, 1); }
};

struct Sobre {
  explicit Sobre(const char* cone = "4", VersaoPrograma versao = {"1.2.0.0", 0}) {
    infos.TipoCone = cone;
    paths.ModDigitalizacao = "1-captura";
    paths.ModProcessamento = "2-processamento";
    paths.ModDigitalizacaoOrto = "3-captura-orto";
    paths.ModProcOrto = "4-vessik";
    for (const char* p : {"1-captura", "2-processamento", "3-captura-orto", "4-vessik"})
      info.descricoes[p] = {std::string("Módulo ") + p, "linha 2"};
    model = std::make_unique<TfrmSobre>(view, infos, paths, versao, info);
  }
  TInfosZV infos{};
  TPathsZV paths{};
  FakeInfo info;
  test::FakeFormView view;
  std::unique_ptr<TfrmSobre> model;
};

TEST(TfrmSobre, VersionLineTellsReleaseFromStableByTheLow16BitsOfTheBuild) {
  const struct {
    VersaoPrograma versao;
    const char* texto;
  } casos[] = {{{"4.3.12.0", 0}, "4.3.12.0 stable"},
               {{"4.3.12.7", 7}, "4.3.12.7 release"},
               {{"4.3.12.65536", 65536}, "4.3.12.65536 stable"}};
  for (const auto& caso : casos) {
    Sobre s("4", caso.versao);
    s.model->FormShow();
    EXPECT_EQ(s.view["lblversao"].text, caso.texto);
  }
}

TEST(TfrmSobre, ConeSectionNamesTheRingsOfTheKnownConeTypes) {
  const struct {
    const char* cone;
    const char* aneis;
  } casos[] = {{"1", "16 (cone pequeno)"},
               {"2", "16 (cone grande)"},
               {"3", "32 (1a versao)"},
               {"4", "32 (atual)"},
               {"7", "- - -"},
               {"x", "- - -"}};
  for (const auto& caso : casos) {
    Sobre s(caso.cone);
    s.model->FormShow();
    EXPECT_EQ(s.view["lblConeDesc1"].text, "Tipo do cone");
    EXPECT_EQ(s.view["lblConeDesc2"].text, "Número de anéis");
    EXPECT_EQ(s.view["lblConeVersao1"].text, caso.cone);
    EXPECT_EQ(s.view["lblConeVersao2"].text, caso.aneis) << caso.cone;
  }
}

TEST(TfrmSobre, EachModuleFillsItsOwnLinesAndAMissingOneKeepsTheEmptyMark) {
  Sobre s;
  s.info.descricoes.erase("2-processamento");
  s.info.descricoes["4-vessik"] = {};  // a module that describes itself with nothing
  s.model->FormShow();
  EXPECT_EQ(s.view["lblDigitNome1"].text, "Módulo 1-captura");
  EXPECT_EQ(s.view["lblDigitVersao1"].text, "1.0.0.1");
  EXPECT_EQ(s.view["lblDigitNome2"].text, "Módulo 3-captura-orto");
  EXPECT_EQ(s.view["lblDigitVersao2"].text, "1.0.0.3");
  EXPECT_EQ(s.view["lblProcDesc1"].text, "- - -");
  EXPECT_EQ(s.view["lblProcVersao1"].text, "- - -");
  EXPECT_EQ(s.view["lblProcDesc2"].text, "- - -");
  EXPECT_EQ(s.view["lblProcVersao2"].text, "1.0.0.4");
}

// Real module files through the information binding: a module with Info, a file that is no
// library (the loader's error is shown, as every probe shows it), a module without Info.
TEST(TfrmSobre, ReadsDescriptionAndFileVersionOfRealModuleFiles) {
  test::TempDir dir;
  WriteFileAtomic(dir / "texto.so", "not a library");
  const std::string texto = dir / "texto.so";
  TInfosZV infos{};
  infos.TipoCone = "4";
  TPathsZV paths{};
  paths.ModDigitalizacao = ZV_FAKE_MODULE_6;
  paths.ModProcessamento = texto.c_str();
  paths.ModDigitalizacaoOrto = ZV_FAKE_MODULE_5;
  paths.ModProcOrto = ZV_FAKE_MODULE_7;
  test::FakeFormView view;
  test::ScriptedDialogs dialogs;
  InfoModulosDLL modulos(dialogs);
  TfrmSobre sobre(view, infos, paths, {"1.2.0.0", 0}, modulos);
  sobre.FormShow();
  EXPECT_EQ(view["lblDigitNome1"].text, "Processamento de Imagem Digital");
  EXPECT_EQ(view["lblDigitVersao1"].text, ZV_PROJECT_VERSION);
  EXPECT_EQ(view["lblProcDesc1"].text, "- - -");
  EXPECT_EQ(view["lblProcVersao1"].text, "- - -");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].text.find("texto.so"), std::string::npos) << dialogs.shown[0].text;
  EXPECT_EQ(view["lblDigitNome2"].text, "- - -");
  EXPECT_EQ(view["lblDigitVersao2"].text, "- - -");
  EXPECT_EQ(view["lblProcDesc2"].text, "Completo");
  EXPECT_EQ(view["lblProcVersao2"].text, ZV_PROJECT_VERSION);
}

TEST(TfrmSobreView, ShowsTheModelsTextsInItsLabelsAndClosesOnFechar) {
  Sobre s("3", {"4.3.12.0", 0});
  s.model->FormShow();
  TfrmSobreView view(s.infos, s.paths, {"4.3.12.0", 0}, s.info);
  QtFormView bridge(&view);
  for (const auto& name : s.view.UsedNames()) EXPECT_TRUE(bridge.Has(name)) << name;
  QTimer::singleShot(0, [&] {
    for (const char* rotulo : TfrmSobre::kRotulosValor)
      EXPECT_EQ(bridge.Text(rotulo), s.view[rotulo].text) << rotulo;
    view.findChild<QPushButton*>("Button1")->click();
  });
  view.exec();
  EXPECT_FALSE(view.isVisible());
}

}  // namespace
}  // namespace zv
