// The start-up of the workstation against real files, a real database and real module files:
// the steps and their progress, each failure and how the program ends, the family pictures,
// and the image buttons.
#include <gtest/gtest.h>

#include <QLabel>
#include <QProcess>
#include <QTest>
#include <filesystem>
#include <functional>

#include "Errors.h"
#include "FakeFormView.h"
#include "Installation.h"
#include "JanelaModulo.h"
#include "QtFormView.h"
#include "ScriptedDialogs.h"
#include "TextFile.h"
#include "UBImagens.h"
#include "UDMedicos.h"
#include "UfrmPrincipal.h"
#include "UfrmPrincipalView.h"

namespace zv {
namespace {

// The start-up window's controls, with every position its bar takes.
struct SplashView : test::FakeFormView {
  std::vector<int> progress;
  void SetValue(const std::string& c, int v) override {
    FakeFormView::SetValue(c, v);
    if (c == "PBProgress") progress.push_back(v);
  }
};

struct FakeJanelas : JanelasPrincipal {
  SplashView splashView;
  std::unique_ptr<TfrmIniciando> splash;
  int splashesShown = 0, backupReminders = 0, browsers = 0;
  std::vector<Janela> opened;
  std::vector<std::string> helpTopics, addresses;
  size_t modulesSeenByBrowser = 0;

  TfrmIniciando& Iniciando() override {
    if (!splash) {
      splash = std::make_unique<TfrmIniciando>(splashView);
      splash->FormCreate();
      ++splashesShown;
    }
    return *splash;
  }
  void FechaIniciando() override { splash.reset(); }
  void Navegador(const TBProcuraModulos& m) override {
    ++browsers;
    modulesSeenByBrowser = m.Botoes().size();
  }
  void Abre(Janela j, const TBProcuraModulos&) override { opened.push_back(j); }
  void Ajuda(const std::string& topic) override { helpTopics.push_back(topic); }
  void AbreEndereco(const std::string& url) override { addresses.push_back(url); }
  void LembreteBackup(const TInfosZV&) override { ++backupReminders; }
};

// Message boxes run a nested event loop, in which the application can be activated again.
struct ActivatingDialogs : test::ScriptedDialogs {
  std::function<void()> whileShown;
  MsgResult Message(const std::string& text, const std::string& caption, MsgIcon icon,
                    MsgButtons buttons) override {
    if (whileShown) whileShown();
    return ScriptedDialogs::Message(text, caption, icon, buttons);
  }
};

// A main window over fakes, on a real installation.
struct Workstation {
  test::Installation inst;
  ActivatingDialogs dialogs;
  data::TDMPrincipal dm{dialogs};
  FakeJanelas janelas;
  test::FakeFormView view;
  TZVRecords records;
  TfrmPrincipal form{view,    dialogs, dm,
                     janelas, records, {inst / "zarvik", inst.Root(), inst.NoFixedLocation()}};

  Workstation() { form.FormCreate(); }
  // A complete installation: database and modules.
  static std::unique_ptr<Workstation> Complete() {
    auto w = std::make_unique<Workstation>();
    w->inst.CreateDatabase();
    w->inst.InstallModules();
    return w;
  }
  void ExpectEndedWith(const std::string& text, const std::string& caption, MsgIcon icon) {
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().text, text);
    EXPECT_EQ(dialogs.shown.back().caption, caption);
    EXPECT_EQ(dialogs.shown.back().icon, icon);
    EXPECT_TRUE(view.closed);
    EXPECT_TRUE(form.Encerrando());
    EXPECT_FALSE(form.Iniciado());
    EXPECT_EQ(janelas.splash, nullptr) << "the start-up window stays open";
    EXPECT_EQ(janelas.backupReminders, 0);
  }
};

TEST(Startup, CompleteInstallationRunsTheThreeStepsWithTheirProgress) {
  auto w = Workstation::Complete();
  w->form.ApplicationEvents1Activate();

  // The only message: the loader's text for the file in Mapas that is no library.
  ASSERT_EQ(w->dialogs.shown.size(), 1u);
  EXPECT_NE(w->dialogs.shown[0].text.find("Leiame.so"), std::string::npos);
  EXPECT_TRUE(w->form.Iniciado());
  EXPECT_FALSE(w->view.closed);
  EXPECT_TRUE(w->dm.Connected());
  // Database 0-50-100; three files with the module suffix in Mapas: +6 for each found and +6
  // for each handed to registration, then 100; the two probes 0-50-100.
  EXPECT_EQ(w->janelas.splashView.progress,
            (std::vector<int>{0, 0, 50, 100, 0, 6, 12, 18, 24, 30, 36, 100, 0, 50, 100}));
  for (const char* mark : {"ImgStep1", "ImgStep2", "ImgStep3", "ImgStep4"})
    EXPECT_TRUE(w->janelas.splashView[mark].visible) << mark;
  EXPECT_EQ(w->janelas.splash, nullptr);
  EXPECT_EQ(w->janelas.backupReminders, 1);
  // Two map modules, four lines each; the file that is no library has no entry.
  const auto& lista = w->form.Modulos().ListaModulos();
  ASSERT_EQ(lista.size(), 8u);
  EXPECT_EQ(lista[0], "Quillon Ortoceratologia");
  EXPECT_EQ(lista[4], "Mapa Axial");
  // The model was written, the records filled, ring count forced to 32.
  EXPECT_EQ(TBIniSettings(w->dialogs, w->inst.Root(), w->inst.NoFixedLocation())
                .ReadSetting(w->inst / "Zarvik.ini", "Str", "ZV", "TIPO"),
            "1");
  EXPECT_EQ(w->records.Infos.Modelo, 1);
  EXPECT_EQ(w->records.Infos.NumAneis, 32);
  EXPECT_EQ(std::string(w->records.Paths.DirMapas), w->inst / "Mapas");
  // The banner of model 1 with 32 rings.
  EXPECT_EQ(w->view["Image2"].image, LeImagemJpeg(w->inst / "imgs/zv0_sobre_ZarvSL.dat"));

  // Later activations change nothing.
  w->form.ApplicationEvents1Activate();
  EXPECT_EQ(w->janelas.splashesShown, 1);
}

TEST(Startup, EachFailureThatEndsTheProgramShowsItsMessage) {
  const std::string kConexao =
      "Não foi possível conectar com o banco de dados, entre em contato com o nosso suporte "
      "técnico. \rSuporte técnico: 0800 555 0100.";
  const struct {
    const char* name;
    std::function<void(test::Installation&)> spoil;
    std::string text, caption;
    MsgIcon icon;
    bool splashShown;
  } cases[] = {
      {"no settings file", [](auto& i) { std::filesystem::remove(i / "Zarvik.ini"); },
       "Erro ao carregar o arquivo de configuração", "Informação", MsgIcon::Warning, false},
      {"button picture missing",
       [](auto& i) { std::filesystem::remove(i / "imgs/BListZarvikOver3.dat"); },
       "Não foi possivel inicializar o sistema - Erro IMG001", "ERRO", MsgIcon::Error, false},
      {"background not a JPEG",
       [](auto& i) { WriteFileAtomic(i / "imgs/zv0.dat", "BM não é JPEG"); },
       "Não foi possivel inicializar o sistema - Erro IMG001", "ERRO", MsgIcon::Error, false},
      {"database file missing",
       [](auto& i) { std::filesystem::remove(i / "BancoDados/DATABASE.GDB"); },
       "Caminho do diretório do Banco de dados incorreto, entre em contato com o nosso suporte "
       "técnico. \rSuporte técnico: 0800 555 0100.",
       "Informação", MsgIcon::Warning, true},
      {"database file not a database",
       [](auto& i) {
         std::filesystem::remove(i / "BancoDados/DATABASE.GDB");
         WriteFileAtomic(i / "BancoDados/DATABASE.GDB", std::string(8192, 'x'));
       },
       kConexao, "Informação", MsgIcon::Warning, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto w = Workstation::Complete();
    c.spoil(w->inst);
    w->form.ApplicationEvents1Activate();
    w->ExpectEndedWith(c.text, c.caption, c.icon);
    EXPECT_EQ(w->janelas.splashesShown, c.splashShown ? 1 : 0);
    // Nothing after the database step ran.
    if (c.splashShown) {
      EXPECT_EQ(w->janelas.splashView.progress.back(), 100);
      EXPECT_FALSE(w->janelas.splashView["ImgStep3"].visible);
      EXPECT_FALSE(w->janelas.splashView["ImgStep4"].visible);
    }
    EXPECT_TRUE(w->form.Modulos().ListaModulos().empty());
    EXPECT_FALSE(w->dm.Connected());
  }
}

TEST(Startup, DatabaseOpenedByAnotherProcessEndsTheProgram) {
  auto w = Workstation::Complete();
  // isql holds the file open; the embedded engine lets one process only open it.
  QProcess isql;
  isql.start("isql-fb", {"-user", "sysdba", "-password", "lanternox",
                         QString::fromStdString(w->inst / "BancoDados/DATABASE.GDB")});
  if (!isql.waitForStarted(5000)) GTEST_SKIP() << "isql-fb is not installed";
  isql.write("SELECT 'aberto' FROM RDB$DATABASE;\n");
  while (!isql.readAllStandardOutput().contains("aberto"))
    ASSERT_TRUE(isql.waitForReadyRead(10000));

  w->form.ApplicationEvents1Activate();
  w->ExpectEndedWith(
      "Não foi possível conectar com o banco de dados, entre em contato com o nosso suporte "
      "técnico. \rSuporte técnico: 0800 555 0100.",
      "Informação", MsgIcon::Warning);
  isql.write("QUIT;\n");
  isql.waitForFinished(10000);
}

TEST(Startup, MissingModulesAreReportedAndTheStartCompletes) {
  auto w = Workstation::Complete();
  std::filesystem::remove_all(w->inst / "Mapas");
  std::filesystem::remove(w->inst / "Processamento.so");
  WriteFileAtomic(w->inst / "Captura.so", "texto, não biblioteca");
  w->form.ApplicationEvents1Activate();

  EXPECT_TRUE(w->form.Iniciado());
  EXPECT_FALSE(w->view.closed);
  EXPECT_TRUE(w->form.Modulos().ListaModulos().empty());
  EXPECT_FALSE(w->janelas.splashView["ImgStep3"].visible);
  EXPECT_TRUE(w->janelas.splashView["ImgStep4"].visible);
  // The loader's own text for each module file, in a plain message box.
  ASSERT_EQ(w->dialogs.shown.size(), 2u);
  EXPECT_NE(w->dialogs.shown[0].text.find("Processamento.so"), std::string::npos);
  EXPECT_NE(w->dialogs.shown[1].text.find("Captura.so"), std::string::npos);
  EXPECT_EQ(w->dialogs.shown[1].icon, MsgIcon::None);
  EXPECT_EQ(w->janelas.backupReminders, 1);
}

TEST(Startup, ActivationWhileAStartUpMessageIsShownDoesNotStartItAgain) {
  auto w = Workstation::Complete();
  std::filesystem::remove(w->inst / "Processamento.so");
  int activations = 0;
  w->dialogs.whileShown = [&] {
    if (activations++ == 0) w->form.ApplicationEvents1Activate();
  };
  w->form.ApplicationEvents1Activate();
  EXPECT_TRUE(w->form.Iniciado());
  EXPECT_EQ(w->janelas.splashesShown, 1);
  EXPECT_EQ(w->janelas.backupReminders, 1);
  EXPECT_EQ(w->dialogs.shown.size(), 2u);  // Leiame.so and Processamento.so, once each
}

TEST(Startup, SettingThatDoesNotConvertFailsThisActivationAndTheNextOneStartsAgain) {
  auto w = Workstation::Complete();
  w->inst.SetSetting("FatorCorrecao", "0,0x24");
  EXPECT_THROW(w->form.ApplicationEvents1Activate(), ConvertError);
  EXPECT_FALSE(w->form.Iniciado());
  EXPECT_FALSE(w->view.closed);
  EXPECT_EQ(w->janelas.splashesShown, 0);

  w->inst.SetSetting("FatorCorrecao", "0.024");
  w->form.ApplicationEvents1Activate();
  EXPECT_TRUE(w->form.Iniciado());
  EXPECT_DOUBLE_EQ(w->records.Infos.FatorCorrecao, 0.024);
}

TEST(Startup, FamilyPicturesFollowModelAndRingCount) {
  Workstation w;
  w.records.SetText(w.records.Paths.DirRaiz, w.inst.Root());
  const struct {
    int model, rings;
    const char *background, *banner, *buttons, *hover;
  } cases[] = {
      {0, 16, "zv0", "zv0_sobre_Zarv", "BListZarvik", "BListZarvikOver"},
      {1, 32, "zv0", "zv0_sobre_ZarvSL", "BListZarvik", "BListZarvikOver"},
      {2, 32, "zv3", "zv3_sobre_SL", "BListOlendra", "BListOlendraOver"},
      {3, 16, "zv3", "zv3_sobre", "BListOlendra", "BListOlendraOver"},
  };
  const auto picture = [&](const std::string& name) {
    return LeImagemJpeg(w.inst / ("imgs/" + name + ".dat"));
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.banner);
    ASSERT_TRUE(w.form.CarregaImagens(c.model, c.rings));
    EXPECT_EQ(w.view["Image1"].image, picture(c.background));
    EXPECT_EQ(w.view["Image2"].image, picture(c.banner));
    const std::string i = c.model == 1 ? "6" : "2";
    TBtnImage& button = w.form.Botao(std::stoi(i));
    EXPECT_EQ(w.view[button.Name()].image, picture(c.buttons + i));
    EXPECT_EQ(button.FocusImage, picture(c.hover + i));
    EXPECT_EQ(button.DownImage, button.NormalImage);
    EXPECT_EQ(button.UpImage, button.NormalImage);
  }
  EXPECT_TRUE(w.dialogs.shown.empty());
}

TEST(MainWindow, ImageButtonsShowTheirPicturesAndOpenTheirWindows) {
  auto w = Workstation::Complete();
  w->form.ApplicationEvents1Activate();
  ASSERT_TRUE(w->form.Iniciado());
  TBtnImage& help = w->form.Botao(5);
  help.MouseEnter();
  EXPECT_EQ(w->view["BtnImage5"].image, help.FocusImage);
  help.MouseDown();
  EXPECT_EQ(w->view["BtnImage5"].image, help.DownImage);
  help.MouseLeave();
  EXPECT_EQ(w->view["BtnImage5"].image, help.NormalImage);
  EXPECT_NE(help.FocusImage, help.NormalImage);

  // No doctor yet: the browser stays closed.
  w->form.BtnImage0Click();
  EXPECT_EQ(w->dialogs.shown.back().text,
            "Será necessário cadastrar um médico antes de utilizar o navegador.");
  EXPECT_EQ(w->dialogs.shown.back().icon, MsgIcon::Information);
  EXPECT_EQ(w->janelas.browsers, 0);
  data::TDMedicos(w->dm).InsereMedico({.nome = "Dra. Ana Prado"});
  w->form.BtnImage0Click();
  EXPECT_EQ(w->janelas.browsers, 1);
  EXPECT_EQ(w->janelas.modulesSeenByBrowser, 2u);

  w->form.BtnImage1Click();
  w->form.BtnImage4Click();
  w->form.Image2Click();
  EXPECT_EQ(w->janelas.opened,
            (std::vector<JanelasPrincipal::Janela>{JanelasPrincipal::Janela::CadastroMedicos,
                                                   JanelasPrincipal::Janela::Backup,
                                                   JanelasPrincipal::Janela::Sobre}));
  w->form.BtnImage5Click();
  EXPECT_EQ(w->janelas.helpTopics, std::vector<std::string>{""});

  w->form.Image3Click();
  w->inst.AppendLines({"[FABRICANTE]", "SITE=https://suporte.example/"});
  w->form.Image3Click();
  EXPECT_EQ(w->janelas.addresses,
            (std::vector<std::string>{TfrmPrincipal::kEnderecoPadrao, "https://suporte.example/"}));

  w->form.BtnImage6Click();
  EXPECT_TRUE(w->view.closed);
}

TEST(MainWindow, ViewHasEveryControlTheModelUses) {
  auto w = Workstation::Complete();
  w->form.ApplicationEvents1Activate();
  w->form.Botao(0).MouseEnter();
  data::TDMPrincipal dm(w->dialogs);
  TZVRecords records;
  TfrmPrincipalView view(dm, records, {"", w->inst.Root(), w->inst.NoFixedLocation()},
                         std::make_unique<FakeJanelas>());
  QtFormView bridge(&view);
  for (const auto& name : w->view.UsedNames()) EXPECT_TRUE(bridge.Has(name)) << name;
  EXPECT_EQ(view.size(), QSize(800, 600));
  EXPECT_TRUE(view.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(view.windowTitle(), "ZarvikSL");
  EXPECT_EQ(view.findChild<QWidget*>("Image3")->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(view.findChild<QWidget*>("BtnImage2")->geometry(), QRect(328, 340, 123, 38));
}

// The calibration and the about box open from the main window's buttons on the settings and
// records of the start-up.
TEST(MainWindow, CalibrationAndAboutBoxOpenOnTheStartUpsSettings) {
  auto w = Workstation::Complete();
  w->form.ApplicationEvents1Activate();
  ASSERT_TRUE(w->form.Iniciado());
  w->records.SetText(w->records.Paths.ModDigitalizacaoOrto, w->inst / "Captura.so");
  w->records.SetText(w->records.Paths.ModProcOrto, w->inst / "Processamento.so");
  QWidget host;
  JanelasQt janelas(&host);
  janelas.Principal(w->form);

  std::string titulo, raio;
  test::QuandoAparecer("frmCalib", [&](QWidget* janela) {
    titulo = janela->windowTitle().toStdString();
    raio = janela->findChild<QLabel*>("lblRaio")->text().toStdString();
    janela->close();
  });
  janelas.Abre(JanelasPrincipal::Janela::Calibracao, w->form.Modulos());
  EXPECT_EQ(titulo, "Calibração");
  EXPECT_EQ(raio, "7.73");

  std::string captura, cone;
  test::QuandoAparecer("frmSobre", [&](QWidget* janela) {
    captura = janela->findChild<QLabel*>("lblDigitNome1")->text().toStdString();
    cone = janela->findChild<QLabel*>("lblConeVersao1")->text().toStdString();
    janela->close();
  });
  janelas.Abre(JanelasPrincipal::Janela::Sobre, w->form.Modulos());
  EXPECT_EQ(captura, "Processamento de Imagem Digital");
  EXPECT_EQ(cone, w->form.Settings()->TipoCone());
}

TEST(MainWindow, RealWindowStartsWhenFirstShownAndEndsOnSair) {
  test::Installation inst;
  inst.CreateDatabase();
  inst.InstallModules();
  std::filesystem::remove(inst / "Mapas/Leiame.so");  // no message box to answer
  QtDialogs dialogs;
  data::TDMPrincipal dm(dialogs);
  TZVRecords records;
  TfrmPrincipalView view(dm, records, {"", inst.Root(), inst.NoFixedLocation()});
  view.show();
  for (int i = 0; i < 200 && !view.Model().Iniciado(); ++i) QTest::qWait(10);
  ASSERT_TRUE(view.Model().Iniciado());
  EXPECT_TRUE(dm.Connected());
  EXPECT_EQ(static_cast<JanelasQt&>(view.Janelas()).IniciandoView(), nullptr);
  EXPECT_FALSE(view.findChild<ImageView*>("Image1")->image().isNull());

  QTest::mouseClick(view.findChild<QWidget*>("BtnImage6"), Qt::LeftButton);
  EXPECT_FALSE(view.isVisible());
  EXPECT_EQ(view.Model().Settings(), nullptr) << "closing frees the settings";
}

}  // namespace
}  // namespace zv
