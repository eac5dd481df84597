// The backup window over a real database and real files, with a backup module the tests steer:
// what is listed and marked, the database copy through the engine's service, the new-medium
// loop, the restore that replaces the database only when nothing else has it open.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "FakeFormView.h"
#include "QtFormView.h"
#include "TestDatabase.h"
#include "TextFile.h"
#include "UBPrivateProfile.h"
#include "UDExames.h"
#include "UDLaudos.h"
#include "UDMedicos.h"
#include "UDPacientes.h"
#include "UfrmBackup.h"
#include "UfrmBackupView.h"

namespace zv {
namespace {

// Through a server the engine's backup service runs on the server's side, as the workstations'
// user, who owns neither the database nor the test's medium directory: these run embedded.
constexpr const char* kSoEmbutido = "the database copy through a server is not covered here";

namespace fs = std::filesystem;

class Backup : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("ZV_FAKE_MIDIA", midia().c_str(), 1);
    unsetenv("ZV_FAKE_FALHA");
    unsetenv("ZV_FAKE_PULA");
    ForceDirectories(midia());
    ForceDirectories(root / "Exames");
    ForceDirectories(root / "Laudos");
    records.SetText(records.Paths.DirRaiz, root.path());
    records.SetText(records.Paths.DirExames, root / "Exames");
    records.SetText(records.Paths.DirLaudos, root / "Laudos");
    records.SetText(records.Paths.DirBancoDados, m.db.Dir());
    records.SetText(records.Paths.ModBackup, ZV_FAKE_BACKUP);
    WriteProfileString(Ini(), "BACKUP", "DiscoAtual", "7");
    WriteTextLines(root / "Zarvik.ini", {"[BACKUP]", "AUTO=0"});
    settings.LocateIniFile(1);
    data::TDMedicos(*m.dm).InsereMedico({.nome = "Dra. Prado"});
    data::TDPacientes(*m.dm).InserePaciente({.nome = "Ana"}, DateTime{2024, 1, 2}, 0);
    med = data::TDMedicos(*m.dm).CodigoDoMedico("Dra. Prado");
    pac = data::TDPacientes(*m.dm).CodigoDoPaciente("Ana");
  }
  std::string midia() const { return root / "midia"; }
  std::string Ini() const { return root / "BackUp.ini"; }
  ContextoBackup Contexto() {
    return {settings,
            records,
            *m.dm,
            Ini(),
            {m.dm->User(), m.dm->Password()},
            nullptr,
            [this](const std::string&) { return livre; }};
  }
  std::unique_ptr<TfrmBackup> Janela() {
    auto w = std::make_unique<TfrmBackup>(view, m.dialogs, Contexto());
    w->FormCreate();
    w->FormShow();
    return w;
  }
  // A new exam with the given files ("a", "d", "m") on the disk; returns its code.
  int Exame(const std::string& arquivos, int minuto) {
    data::TDExames(*m.dm).InsereExame(pac, med, {2024, 1, 2}, {1899, 12, 30, 9, minuto, 0}, "OD",
                                      90, "T", "", "", "", 32, "2");
    auto& q = m.dm->Operation("SELECT MAX(Codigo) FROM Exames");
    q.Open();
    const int codigo = static_cast<int>(q.FieldByName("MAX").AsInteger());
    ForceDirectories(root / ("Exames/" + std::to_string(pac)));
    for (char c : arquivos)
      WriteTextLines(
          root / ("Exames/" + std::to_string(pac) + "/" + std::to_string(codigo) + c + ".txt"),
          {"exame " + std::to_string(codigo)});
    return codigo;
  }
  std::map<int, std::string> Marcas() {
    std::map<int, std::string> out;
    auto& q = m.dm->Operation("SELECT Codigo, Backup FROM Exames");
    for (q.Open(); !q.Eof(); q.Next())
      out[static_cast<int>(q.FieldByName("Codigo").AsInteger())] =
          q.FieldByName("Backup").AsString();
    return out;
  }
  std::string Nome(int codigo, char c) const {
    return std::to_string(pac) + "\\" + std::to_string(codigo) + c + ".txt";
  }

  test::TempDir root;
  test::ConnectedModule m;
  TBIniSettings settings{m.dialogs, root.path(), root / "fixed"};
  TZVRecords records;
  test::FakeFormView view;
  uintmax_t livre = UINTMAX_MAX;
  int med = 0, pac = 0;
};

TEST_F(Backup, MarksExactlyTheItemsCopiedInOrderAndNextTimeOnlyWhatIsNew) {
  if (test::ServerMode()) GTEST_SKIP() << kSoEmbutido;
  const int e1 = Exame("d", 0);    // only one file: listed with all three names
  const int gone1 = Exame("", 1);  // two exams whose files are gone, one after the other
  const int gone2 = Exame("", 2);
  const int e2 = Exame("adm", 3);
  const int e3 = Exame("am", 4);
  setenv("ZV_FAKE_PULA", "2", 1);  // the module does not copy the second exam
  auto w = Janela();
  EXPECT_EQ(view["Label2"].text, "5");
  EXPECT_EQ(w->DirMidia(), midia());
  EXPECT_EQ(w->Drive(), "Z:\\");
  w->btnIniciarBkpClick();

  EXPECT_EQ(ReadTextLines(midia() + "/exames.lst"),
            (std::vector<std::string>{Nome(e1, 'a'), Nome(e1, 'd'), Nome(e1, 'm'), Nome(e2, 'a'),
                                      Nome(e2, 'd'), Nome(e2, 'm'), Nome(e3, 'a'), Nome(e3, 'd'),
                                      Nome(e3, 'm')}));
  EXPECT_EQ(Marcas(), (std::map<int, std::string>{{e1, "M1"}, {e2, ""}, {e3, "M3"}}));
  EXPECT_EQ(ReadTextLines(root / "LogBackupExame.txt"),
            (std::vector<std::string>{
                "Exame não encontrado: " + std::to_string(pac) + "\\" + std::to_string(gone1),
                "Exame não encontrado: " + std::to_string(pac) + "\\" + std::to_string(gone2)}));
  EXPECT_TRUE(view["lblAvisoBackup"].visible);
  EXPECT_TRUE(FileExists(midia() + "/Banco de Dados/DATABASE.FBK"));
  EXPECT_TRUE(FileExists(midia() + "/BackUp.ini"));
  EXPECT_EQ(m.dialogs.shown.back().text, "Backup dos Exames e Laudos concluído com êxito");
  EXPECT_EQ(view["Label2"].text, "1");

  // The second run lists the one left and the new one only.
  unsetenv("ZV_FAKE_PULA");
  const int e4 = Exame("a", 5);
  w->btnIniciarBkpClick();
  // Each exam carries the mark of its own place in the list, whatever order the engine gave.
  const auto lista = ReadTextLines(midia() + "/exames.lst");
  ASSERT_EQ(lista.size(), 6u);
  const bool e2Primeiro = lista[0] == Nome(e2, 'a');
  EXPECT_EQ(lista[e2Primeiro ? 3 : 0], Nome(e4, 'a'));
  EXPECT_EQ(
      Marcas(),
      (std::map<int, std::string>{
          {e1, "M1"}, {e2, e2Primeiro ? "M1" : "M2"}, {e3, "M3"}, {e4, e2Primeiro ? "M2" : "M1"}}));
  EXPECT_EQ(view["Label2"].text, "0");
  EXPECT_FALSE(view["btnIniciarBkp"].enabled);
}

TEST_F(Backup, AFailingModuleEndsWithoutMarksCopyOrMessage) {
  Exame("adm", 0);
  setenv("ZV_FAKE_FALHA", "1", 1);
  auto w = Janela();
  w->btnIniciarBkpClick();
  EXPECT_EQ(Marcas().begin()->second, "");
  EXPECT_FALSE(FileExists(midia() + "/Banco de Dados/DATABASE.FBK"));
  EXPECT_TRUE(m.dialogs.shown.empty());

  // A module that does not bind: nothing either.
  records.SetText(records.Paths.ModBackup, root / "nenhum.so");
  w->btnIniciarBkpClick();
  w->btnRestaurarClick();
  EXPECT_FALSE(FileExists(midia() + "/restaurado"));
}

TEST_F(Backup, AFullMediumAsksForANewOneEmptiesItOnConsentAndLabelsIt) {
  if (test::ServerMode()) GTEST_SKIP() << kSoEmbutido;
  Exame("adm", 0);
  livre = 0;
  WriteTextLines(midia() + "/antigo.txt", {"x"});
  // Cancel: the counters stay and the database is still copied.
  m.dialogs.answers = {MsgResult::Cancel};
  auto w = Janela();
  w->btnIniciarBkpClick();
  EXPECT_EQ(m.dialogs.shown[0].text, "Insira um NOVO disco no drive e pressione OK.");
  EXPECT_EQ(ReadProfileString(Ini(), "BACKUP", "DiscoAtual"), "7");
  EXPECT_TRUE(FileExists(midia() + "/Banco de Dados/DATABASE.FBK"));
  EXPECT_EQ(m.dialogs.shown.back().text, "Backup dos Exames e Laudos concluído com êxito");

  // OK and Yes: the medium is emptied, labelled with the next number, the counters restart.
  Exame("adm", 1);
  m.dialogs.shown.clear();
  m.dialogs.answers = {MsgResult::Ok, MsgResult::Yes};
  w->btnIniciarBkpClick();
  EXPECT_FALSE(FileExists(midia() + "/antigo.txt"));
  EXPECT_EQ(ReadFileBytes(midia() + "/zip.dat"), "ZVBK0008");
  EXPECT_EQ(ReadProfileString(Ini(), "BACKUP", "DiscoAtual"), "8");
  EXPECT_EQ(ReadProfileString(Ini(), "BACKUP", "ArquivoAtual"), "1");
  EXPECT_EQ(ReadProfileString(Ini(), "BACKUP", "NumExamDisco"), "0");
  EXPECT_TRUE(FileExists(midia() + "/Banco de Dados/DATABASE.FBK"));

  EXPECT_EQ(TfrmBackup::RotuloMidia(10000), "ZVBK9999");
  EXPECT_EQ(TfrmBackup::RotuloMidia(-3), "ZVBK0000");
}

TEST_F(Backup, ScheduleIsShownAndWrittenOnlyByFechar) {
  records.Infos.BackupAuto = 2;
  records.Infos.BackupExames = 150;
  auto w = Janela();
  EXPECT_TRUE(view["rbtExames"].checked);
  EXPECT_EQ(view["UpDown2"].value, 150);
  view["rbtExames"].checked = false;
  view["rbtPeriodo"].checked = true;
  view["UpDown1"].value = 9;
  view["cbxPeriodo"].itemIndex = 1;
  w->sbtFecharClick();
  EXPECT_EQ(ReadProfileString(root / "Zarvik.ini", "BACKUP", "AUTO"), "1");
  EXPECT_EQ(ReadProfileString(root / "Zarvik.ini", "BACKUP", "AUTO_OP1_1"), "9");
  EXPECT_EQ(ReadProfileString(root / "Zarvik.ini", "BACKUP", "AUTO_OP1_2"), "1");
  EXPECT_EQ(ReadProfileString(root / "Zarvik.ini", "BACKUP", "AUTO_OP2"), "150");
  EXPECT_EQ(records.Infos.BackupAuto, 1);
  EXPECT_TRUE(view.closed);
}

TEST_F(Backup, RestoreIsRefusedWhileAnotherConnectionIsOpenAndReplacesOnlyWhenAlone) {
  if (test::ServerMode()) GTEST_SKIP() << kSoEmbutido;
  const int e1 = Exame("adm", 0);
  auto w = Janela();
  w->btnIniciarBkpClick();
  const int e2 = Exame("adm", 1);  // after the backup

  {
    test::ScriptedDialogs outros;
    data::TDMPrincipal outra(outros);
    ASSERT_TRUE(outra.PSetDataBaseName(m.db.Name()));
    m.dialogs.shown.clear();
    w->btnRestaurarClick();
    ASSERT_EQ(m.dialogs.shown.size(), 2u);
    EXPECT_NE(m.dialogs.shown[1].text.find("1 outra(s) conexão(ões)"), std::string::npos);
    EXPECT_FALSE(FileExists(midia() + "/restaurado"));
    EXPECT_EQ(Marcas().size(), 2u);
    EXPECT_FALSE(FileExists(m.db.Dir() + "/DATABASE.GDB.restaurado"));
    EXPECT_FALSE(FileExists(m.db.Dir() + "/DATABASE.GDB.anterior"));
  }

  m.dialogs.shown.clear();
  w->btnRestaurarClick();
  EXPECT_EQ(m.dialogs.shown.back().text, "Restauração concluída com êxito");
  EXPECT_TRUE(FileExists(midia() + "/restaurado"));
  EXPECT_TRUE(m.dm->Connected());
  const auto marcas = Marcas();
  EXPECT_EQ(marcas.size(), 1u);
  EXPECT_TRUE(marcas.count(e1));
  EXPECT_FALSE(marcas.count(e2));
  EXPECT_TRUE(FileExists(m.db.Dir() + "/DATABASE.GDB.anterior"));
  EXPECT_FALSE(FileExists(m.db.Dir() + "/DATABASE.GDB.restaurado"));
}

TEST_F(Backup, ACorruptCopyOnTheMediumLeavesTheDatabaseInUse) {
  Exame("adm", 0);
  auto w = Janela();
  ForceDirectories(midia() + "/Banco de Dados");
  WriteFileAtomic(midia() + "/Banco de Dados/DATABASE.FBK", std::string(4096, 'x'));
  w->btnRestaurarClick();
  EXPECT_NE(m.dialogs.shown.back().text.find("não pôde ser restaurada"), std::string::npos);
  EXPECT_EQ(Marcas().size(), 1u);
  EXPECT_FALSE(FileExists(m.db.Dir() + "/DATABASE.GDB.restaurado"));
  EXPECT_FALSE(FileExists(m.db.Dir() + "/DATABASE.GDB.anterior"));
}

TEST_F(Backup, TheQtViewHoldsEveryControlTheModelUsesAndF1OpensHelp) {
  Exame("adm", 0);
  Janela()->btnIniciarBkpClick();
  int ajudas = 0;
  TfrmBackupView window(m.dialogs, Contexto(), [&] { ++ajudas; });
  QtFormView bridge(&window);
  for (const auto& name : view.UsedNames()) EXPECT_TRUE(bridge.Has(name)) << name;
  window.show();
  QTest::qWait(20);
  EXPECT_EQ(bridge.Text("Label2"), "0");
  EXPECT_NE(bridge.Text("memDetalhes").find("Drive: Z:\\"), std::string::npos);
  QTest::keyClick(&window, Qt::Key_F1);
  EXPECT_EQ(ajudas, 1);
}

}  // namespace
}  // namespace zv
