// The calibration window's model over a fake view, fake modules and a real settings file: the
// sphere selection and its button rules for both calibrators, processing a sphere, saving the
// calibration and every failure that must leave the earlier "Coef.txt" whole; then the real
// Qt view.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <cstdlib>

#include "CalibFixture.h"
#include "QtFormView.h"
#include "UfrmCalib.h"
#include "UfrmCalibView.h"

namespace zv {
namespace {

using test::FakeModulos;
using test::Instalacao;

DateTime Momento() {
  DateTime d;
  d.year = 2026, d.month = 12, d.day = 10, d.hour = 15, d.minute = 30, d.second = 5;
  return d;
}

class Calib : public ::testing::Test {
 protected:
  explicit Calib(int aneis = 32, const std::string& tipo = "1", char separador = '.')
      : inst(aneis, tipo),
        model(
            view, dialogs, inst.settings, inst.records, modulos, &handle,
            [this](const std::string& t) { topicos.push_back(t); }, separador) {
    modulos.aneis = aneis;
    model.Agora = &Momento;
    model.FormCreate();
    model.FormShow();
  }
  void Processa() {
    model.sbtProcEsfClick();
    if (view["Timer"].timerEnabled) model.TimerTimer();
  }
  void ProcessaAs4() {
    for (int s = 1; s <= 4; ++s) Processa();
  }
  std::string Coef() const { return ReadFileBytes(inst.Calib("Coef.txt")); }
  // Sphere s of 1..4 has its done mark on the calibrator picture.
  bool Marcada(int s) {
    const QImage img = view["imgCalibrador"].image;
    // Above the tick, inside the mark's disc.
    return img.pixel(CentroMarca(model.Tipo(), s) + QPoint(0, -6)) == CorMarca();
  }

  Instalacao inst;
  test::FakeFormView view;
  test::ScriptedDialogs dialogs;
  FakeModulos modulos;
  int handle = 0;
  std::vector<std::string> topicos;
  TfrmCalib model;
};

class Calib1 : public Calib {
 protected:
  Calib1() : Calib(32, "0") {}
};
class Calib16 : public Calib {
 protected:
  Calib16() : Calib(16, "0") {}
};
class CalibVirgula : public Calib {
 protected:
  CalibVirgula() : Calib(32, "0", ',') {}
};

struct Botoes {
  int esfera;
  bool prev, next;
  const char* legenda;
};

void Confere(test::FakeFormView& view, const TfrmCalib& model, const Botoes& b,
             const std::string& passo) {
  EXPECT_EQ(model.Esfera(), b.esfera) << passo;
  EXPECT_EQ(view["sbtPrev"].enabled, b.prev) << passo;
  EXPECT_EQ(view["sbtNext"].enabled, b.next) << passo;
  EXPECT_EQ(view["sbtProcEsf"].text, b.legenda) << passo;
  EXPECT_TRUE(view["sbtProcEsf"].enabled) << passo;
}

TEST_F(Calib1, SpheresSideBySideAreChosenFreelyWithinOneToFour) {
  EXPECT_EQ(view["frmCalib"].text, "Calibração");
  EXPECT_TRUE(view["rbtCalibrador1"].checked);
  EXPECT_FALSE(view["aniCalibrador"].visible);
  EXPECT_EQ(view["lblRaio"].text, "7.73");
  Confere(view, model, {1, false, true, "Processar Esfera"}, "shown");
  const std::vector<std::pair<std::function<void()>, Botoes>> passos = {
      {[&] { model.sbtNextClick(); }, {2, true, true, "Processar Esfera"}},
      {[&] { model.sbtNextClick(); }, {3, true, true, "Processar Esfera"}},
      {[&] { model.sbtNextClick(); }, {4, true, false, "Processar Esfera"}},
      {[&] { model.sbtPrevClick(); }, {3, true, true, "Processar Esfera"}},
      {[&] { model.sbtNextClick(); }, {4, true, false, "Processar Esfera"}},
      {[&] { model.sbtProcEsfClick(); }, {5, true, false, "Salvar Calibração"}},
  };
  for (size_t i = 0; i < passos.size(); ++i) {
    passos[i].first();
    // Moving hides the spheres for the timer's 1200 ms; the timer step shows them again.
    if (view["Timer"].timerEnabled) {
      EXPECT_EQ(view["Timer"].timerInterval, 1200);
      model.TimerTimer();
      EXPECT_FALSE(view["Timer"].timerEnabled);
    }
    Confere(view, model, passos[i].second, "step " + std::to_string(i));
  }
  EXPECT_TRUE(model.Feita(4));
  EXPECT_FALSE(model.Feita(1));
  EXPECT_TRUE(Marcada(4));
  EXPECT_FALSE(Marcada(3));
  EXPECT_EQ(model.AnimacaoTocada(), "");
}

TEST_F(Calib, TurretWaitsForItsAnimationAndGoingBackClearsTheSphereItReturnsTo) {
  GravaAnimacoesTorre(inst.dir / "imgs");
  EXPECT_TRUE(view["rbtCalibrador2"].checked);
  EXPECT_TRUE(view["aniCalibrador"].visible);
  Confere(view, model, {1, false, true, "Processar Esfera"}, "shown");
  EXPECT_FALSE(model.AnimacaoTocando());

  model.sbtProcEsfClick();
  // Sphere 1 done: the turret turns to sphere 2, both buttons wait for the timer.
  EXPECT_TRUE(model.Feita(1));
  EXPECT_EQ(model.AnimacaoTocada(), "cbr_mov1.dat");
  EXPECT_TRUE(model.AnimacaoTocando());
  EXPECT_TRUE(view["Timer"].timerEnabled);
  Confere(view, model, {2, false, false, "Processar Esfera"}, "after sphere 1");
  model.TimerTimer();
  Confere(view, model, {2, true, true, "Processar Esfera"}, "timer after sphere 1");
  EXPECT_FALSE(view["rgpTpCalib"].enabled);
  EXPECT_TRUE(Marcada(1));

  model.sbtProcEsfClick();
  EXPECT_EQ(model.AnimacaoTocada(), "cbr_mov2.dat");
  model.TimerTimer();
  EXPECT_TRUE(model.Feita(2));
  EXPECT_TRUE(Marcada(2));

  model.sbtPrevClick();
  EXPECT_EQ(model.Esfera(), 2);
  EXPECT_EQ(model.AnimacaoTocada(), "cbr_mov2_ant.dat");
  EXPECT_FALSE(model.Feita(2));
  EXPECT_TRUE(model.Feita(1));
  Confere(view, model, {2, false, false, "Processar Esfera"}, "back to 2");
  model.TimerTimer();
  EXPECT_FALSE(Marcada(2));
  EXPECT_TRUE(Marcada(1));

  model.sbtPrevClick();
  EXPECT_EQ(model.AnimacaoTocada(), "cbr_mov1_ant.dat");
  model.TimerTimer();
  Confere(view, model, {1, false, true, "Processar Esfera"}, "back to 1");
  EXPECT_TRUE(view["rgpTpCalib"].enabled);

  ProcessaAs4();
  Confere(view, model, {5, true, false, "Salvar Calibração"}, "all four");
  // No turn follows the last sphere.
  EXPECT_EQ(model.AnimacaoTocada(), "");
  model.sbtPrevClick();
  EXPECT_EQ(model.Esfera(), 4);
  EXPECT_EQ(model.AnimacaoTocada(), "");
  EXPECT_FALSE(model.Feita(4));
}

TEST_F(Calib, AnAnimationPlaysOnceAndStopsOnItsLastFrame) {
  GravaAnimacoesTorre(inst.dir / "imgs");
  model.sbtNextClick();
  const auto animacao = LeAnimacao(inst.dir / "imgs/cbr_mov1.dat");
  ASSERT_TRUE(animacao);
  EXPECT_EQ(view["aniCalibrador"].image, animacao->quadros.front());
  EXPECT_EQ(view["tmrAnimacao"].timerInterval, animacao->intervaloMs);
  for (size_t i = 0; i < 3 * animacao->quadros.size(); ++i) model.tmrAnimacaoTimer();
  EXPECT_FALSE(view["tmrAnimacao"].timerEnabled);
  EXPECT_FALSE(model.AnimacaoTocando());
  EXPECT_EQ(view["aniCalibrador"].image, animacao->quadros.back());
}

TEST_F(Calib, ProcessingCapturesInModeTwoAndSavesTheModulesFileUnchanged) {
  modulos.mede = [](const std::string&) { return std::string("7.73\r\n123,5\r\n"); };
  model.sbtProcEsfClick();
  const std::vector<std::string> esperado = {
      "CarregaCaptura",      "CarregaProcessamento", "Digitalizar 2 Digitalizando Esfera (7.73)",
      "ProcessaEsfera 7.73", "LiberaProcessamento",  "LiberaCaptura"};
  EXPECT_EQ(modulos.chamadas, esperado);
  EXPECT_EQ(ReadFileBytes(inst.Calib("1.txt")), "7.73\r\n123,5\r\n");
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Calib, ModuleErrorsCancelledCaptureAndRefusedSpheresLeaveTheSphereNotDone) {
  const std::string antigo = "7.73\r\n100\r\n";
  struct Caso {
    const char* nome;
    std::function<void(FakeModulos&)> prepara;
    std::string mensagem;
  };
  const std::string fatal =
      "Ocorreu um erro fatal no sistema.\r\nEntre em contato com o nosso suporte técnico.\r\r\n"
      "Código do Erro: ";
  const std::vector<Caso> casos = {
      {"capture module", [](FakeModulos& m) { m.capturaCarrega = false; }, fatal + "300"},
      {"processing module", [](FakeModulos& m) { m.processamentoCarrega = false; }, fatal + "301"},
      {"cancelled", [](FakeModulos& m) { m.imagem = "BM-short"; }, ""},
      {"refused", [](FakeModulos& m) { m.resultado = 0; }, ""},
      {"empty result", [](FakeModulos& m) { m.mede = [](auto&) { return std::string(); }; }, ""},
  };
  for (const Caso& caso : casos) {
    WriteFileAtomic(inst.Calib("1.txt"), antigo);
    FakeModulos m;
    caso.prepara(m);
    test::FakeFormView v;
    test::ScriptedDialogs d;
    TfrmCalib calib(v, d, inst.settings, inst.records, m, &handle, nullptr);
    calib.FormCreate();
    calib.FormShow();
    calib.sbtProcEsfClick();
    EXPECT_FALSE(calib.Feita(1)) << caso.nome;
    EXPECT_EQ(calib.Esfera(), 1) << caso.nome;
    EXPECT_EQ(ReadFileBytes(inst.Calib("1.txt")), antigo) << caso.nome;
    if (caso.mensagem.empty()) {
      EXPECT_TRUE(d.shown.empty()) << caso.nome;
    } else {
      ASSERT_EQ(d.shown.size(), 1u) << caso.nome;
      EXPECT_EQ(d.shown[0].text, caso.mensagem);
      EXPECT_EQ(d.shown[0].caption, "Informação");
      EXPECT_EQ(d.shown[0].icon, MsgIcon::Error);
    }
    // Whatever happened, nothing stays loaded.
    EXPECT_EQ(m.chamadas.back(), "LiberaCaptura") << caso.nome;
  }
}

TEST_F(Calib16, SavingFitsTheRingsWrites32LinesAndRecordsTheTime) {
  ProcessaAs4();
  model.sbtProcEsfClick();
  ASSERT_EQ(dialogs.Texts(), std::vector<std::string>{"A Calibração foi realizada com sucesso."});
  EXPECT_EQ(dialogs.shown[0].caption, "Informação");
  EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Information);
  const auto linhas = ReadTextLines(inst.Calib("Coef.txt"));
  ASSERT_EQ(linhas.size(), 32u);
  for (int j = 1; j <= 16; ++j) {
    EXPECT_NEAR(StrToFloat(linhas[2 * j - 2]), test::LinhaA(j), 1e-6) << j;
    EXPECT_NEAR(StrToFloat(linhas[2 * j - 1]), test::LinhaB(j), 1e-9) << j;
  }
  EXPECT_EQ(inst.settings.ReadSetting(inst.settings.IniFileName(), "Str", "MODULOS", "ULTIMACALIB"),
            "10/12/2026 15:30:05");
  EXPECT_EQ(inst.settings.UltimaCalib(), "10/12/2026 15:30:05");
  EXPECT_EQ(view["lblUltCalib"].text, "10/12/2026 15:30:05");
  // The window stays on the quality of the new calibration.
  EXPECT_FALSE(view.closed);
  EXPECT_TRUE(view["pnlQualidade"].visible);
  EXPECT_FALSE(view["sbtProcEsf"].enabled);
  EXPECT_EQ(view.Cell("grdQualidade", 0, 15), "16");
  EXPECT_EQ(view.Cell("grdQualidade", 8, 15), "0.000");
  EXPECT_NE(view["lblQualidade"].text.find("Todos os anéis dentro de 0.05 D."), std::string::npos);
  const auto relatorio = ReadTextLines(inst.Calib("Qualidade.txt"));
  EXPECT_EQ(relatorio.front(), "Qualidade da calibração - 10/12/2026 15:30:05");
  EXPECT_EQ(relatorio.size(), 5u + 16 * 4 + 2);
}

TEST_F(Calib1, ARingOffItsLineIsReportedAsTheWorstWithAWarning) {
  modulos.mede = [](const std::string& raio) {
    auto rho = test::AneisSobreALinha(StrToFloat(raio), 32);
    // Sphere 3's ring 7 measured 2 px too far out: about 0.04 mm, 0.2 D.
    if (raio == "8.34") rho[6] += 2;
    return test::TextoEsfera(raio, rho);
  };
  ProcessaAs4();
  model.sbtProcEsfClick();
  const std::string resumo = view["lblQualidade"].text;
  EXPECT_NE(resumo.find("Pior anel: 7 (esfera 3"), std::string::npos) << resumo;
  EXPECT_NE(resumo.find("Atenção"), std::string::npos) << resumo;
  EXPECT_NE(ReadTextLines(inst.Calib("Qualidade.txt")).back().find("Atenção"), std::string::npos);
}

TEST_F(CalibVirgula, TheRadiusTextAndTheFilesFollowTheDecimalSeparator) {
  EXPECT_EQ(view["lblRaio"].text, "7,73");
  ProcessaAs4();
  EXPECT_EQ(modulos.chamadas[2], "Digitalizar 2 Digitalizando Esfera (7,73)");
  EXPECT_EQ(modulos.chamadas[3], "ProcessaEsfera 7,73");
  EXPECT_EQ(ReadTextLines(inst.Calib("4.txt")).front(), "8,91");
  model.sbtProcEsfClick();
  ASSERT_EQ(dialogs.Texts(), std::vector<std::string>{"A Calibração foi realizada com sucesso."});
  const auto linhas = ReadTextLines(inst.Calib("Coef.txt"));
  EXPECT_NE(linhas[1].find(','), std::string::npos) << linhas[1];
  EXPECT_NEAR(StrToFloat(linhas[1]), test::LinhaB(1), 1e-9);
}

// Makes a directory unwritable, also for root (immutable flag); false when this machine
// cannot.
bool SomenteLeitura(const std::string& dir, bool ligado) {
  if (!ligado) {
    std::system(("chattr -i '" + dir + "' 2>/dev/null").c_str());
    ::chmod(dir.c_str(), 0755);
    return true;
  }
  ::chmod(dir.c_str(), 0555);
  const std::string sonda = dir + "/.sonda";
  if (FILE* f = std::fopen(sonda.c_str(), "w")) {
    std::fclose(f);
    std::remove(sonda.c_str());
    std::system(("chattr +i '" + dir + "' 2>/dev/null").c_str());
    if (FILE* g = std::fopen(sonda.c_str(), "w")) {
      std::fclose(g);
      std::remove(sonda.c_str());
      return false;
    }
  }
  return true;
}

TEST_F(Calib1, EveryFailedSaveKeepsTheEarlierCoefficientsAndTheTime) {
  ProcessaAs4();
  const std::string coef = "1.5\r\n0.025\r\n";
  struct Caso {
    const char* nome;
    std::function<void()> estraga;
  };
  const std::vector<Caso> casos = {
      {"missing sphere file", [&] { std::remove(inst.Calib("2.txt").c_str()); }},
      {"truncated sphere file", [&] { WriteFileAtomic(inst.Calib("3.txt"), "8.34\r\n101.2"); }},
      {"text in a sphere file", [&] { WriteFileAtomic(inst.Calib("1.txt"), "7.73\r\nabc\r\n"); }},
      {"another ring count",
       [&] {
         WriteFileAtomic(inst.Calib("4.txt"),
                         test::TextoEsfera("8.91", test::AneisSobreALinha(8.91, 16)));
       }},
      {"four identical spheres",
       [&] {
         for (int s = 1; s <= 4; ++s)
           WriteFileAtomic(inst.Calib(IntToStr(s) + ".txt"),
                           test::TextoEsfera("7.73", test::AneisSobreALinha(7.73, 32)));
       }},
  };
  const std::string bons[4] = {
      ReadFileBytes(inst.Calib("1.txt")), ReadFileBytes(inst.Calib("2.txt")),
      ReadFileBytes(inst.Calib("3.txt")), ReadFileBytes(inst.Calib("4.txt"))};
  for (const Caso& caso : casos) {
    for (int s = 1; s <= 4; ++s) WriteFileAtomic(inst.Calib(IntToStr(s) + ".txt"), bons[s - 1]);
    WriteFileAtomic(inst.Calib("Coef.txt"), coef);
    caso.estraga();
    test::FakeFormView v;
    test::ScriptedDialogs d;
    TfrmCalib calib(v, d, inst.settings, inst.records, modulos, &handle, nullptr);
    calib.FormCreate();
    calib.FormShow();
    for (int s = 1; s <= 3; ++s) calib.sbtNextClick();
    // Reaching "Salvar Calibração" takes a processed sphere 4; keep its file as the case has it.
    const std::string quarto = ReadFileBytes(inst.Calib("4.txt"));
    calib.sbtProcEsfClick();
    WriteFileAtomic(inst.Calib("4.txt"), quarto);
    calib.sbtProcEsfClick();
    EXPECT_EQ(d.Texts().back(), "A Calibração não foi realizada com sucesso.") << caso.nome;
    EXPECT_TRUE(v.closed) << caso.nome;
    EXPECT_EQ(Coef(), coef) << caso.nome;
    EXPECT_EQ(inst.settings.UltimaCalib(), "Nenhuma") << caso.nome;
    EXPECT_FALSE(FileExists(inst.Calib("Qualidade.txt"))) << caso.nome;
  }
}

TEST_F(Calib1, AReadOnlyCalibrationDirectoryFailsTheSaveAndKeepsTheOldFile) {
  ProcessaAs4();
  WriteFileAtomic(inst.Calib("Coef.txt"), "1.5\r\n0.025\r\n");
  if (!SomenteLeitura(inst.Calib(), true)) {
    SomenteLeitura(inst.Calib(), false);
    GTEST_SKIP() << "this machine cannot make a directory read-only";
  }
  model.sbtProcEsfClick();
  SomenteLeitura(inst.Calib(), false);
  EXPECT_EQ(dialogs.Texts().back(), "A Calibração não foi realizada com sucesso.");
  EXPECT_EQ(Coef(), "1.5\r\n0.025\r\n");
  EXPECT_EQ(inst.settings.UltimaCalib(), "Nenhuma");
}

TEST_F(Calib, ChoosingTheCalibratorIsSavedAndStartsAgainAtSphereOne) {
  EXPECT_EQ(view["lblUltCalib"].text, "Nenhuma");
  model.rgpTpCalibClick(0);
  EXPECT_EQ(
      inst.settings.ReadSetting(inst.settings.IniFileName(), "Str", "OPCOES", "TIPOCALIBRADOR"),
      "0");
  EXPECT_EQ(inst.records.Infos.TipoCalibrador, 0);
  EXPECT_EQ(model.Tipo(), kCalibrador1);
  EXPECT_FALSE(view["aniCalibrador"].visible);
  EXPECT_FALSE(view["tmrAnimacao"].timerEnabled);
  Confere(view, model, {1, false, true, "Processar Esfera"}, "calibrator 1");
  model.rgpTpCalibClick(1);
  EXPECT_EQ(inst.records.Infos.TipoCalibrador, 1);
  EXPECT_TRUE(view["aniCalibrador"].visible);
}

TEST_F(Calib, HelpButtonAndF1OpenTheCalibrationTopic) {
  model.SpeedButton3Click();
  model.FormKeyF1();
  EXPECT_EQ(topicos, (std::vector<std::string>{"calibracao", "calibracao"}));
}

TEST(CalibView, HasEveryControlTheModelUsesAndRunsOnTheRealWidgets) {
  Instalacao inst(32, "0");
  FakeModulos fakeModulos;
  // Every control name the model touches on a full run, from the fake view.
  {
    test::FakeFormView fake;
    test::ScriptedDialogs d;
    int h = 0;
    TfrmCalib m(fake, d, inst.settings, inst.records, fakeModulos, &h, nullptr);
    m.FormCreate();
    m.FormShow();
    m.sbtNextClick();
    m.TimerTimer();
    m.tmrAnimacaoTimer();
    for (int s = 1; s <= 4; ++s) m.sbtProcEsfClick();
    m.sbtProcEsfClick();
    m.rgpTpCalibClick(1);
    m.FormClose();
    TfrmCalibView view(inst.settings, inst.records, fakeModulos, nullptr);
    QtFormView bridge(&view);
    for (const auto& name : fake.UsedNames()) EXPECT_TRUE(bridge.Has(name)) << name;
  }
  TfrmCalibView view(inst.settings, inst.records, fakeModulos, nullptr);
  QTimer::singleShot(0, [&] {
    EXPECT_EQ(view.windowTitle(), "Calibração");
    EXPECT_EQ(view.findChild<QPushButton*>("sbtProcEsf")->text(), "Processar Esfera");
    view.findChild<QPushButton*>("sbtNext")->click();
    EXPECT_TRUE(view.findChild<QTimer*>("Timer")->isActive());
    view.findChild<QPushButton*>("sbtFechar")->click();
  });
  view.exec();
  EXPECT_EQ(view.Model().Esfera(), 2);
}

}  // namespace
}  // namespace zv
