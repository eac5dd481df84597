// The backup window with the real backup module: a backup taken while another connection keeps
// writing exams, restored into a fresh installation, gives back every backed-up exam row and
// file byte for byte, and the restored database validates.
#include <gtest/gtest.h>

#include <QProcess>
#include <atomic>
#include <thread>

#include "FakeFormView.h"
#include "TestDatabase.h"
#include "TextFile.h"
#include "UBIniSettings.h"
#include "UDExames.h"
#include "UDMedicos.h"
#include "UDPacientes.h"
#include "UfrmBackup.h"

namespace zv {
namespace {

// One workstation: the program directory with the backup module and its BackUp.ini (naming
// the shared medium), exam and report directories, and its own database.
struct Estacao {
  test::TempDir root;
  test::ConnectedModule m;
  TBIniSettings settings{m.dialogs, root.path(), root / "fixed"};
  TZVRecords records;
  test::FakeFormView view;

  explicit Estacao(const std::string& midia) {
    WriteFileAtomic(root / "Backup.so", ReadFileBytes(test::BinDir() + "/Backup.so"));
    WriteTextLines(root / "BackUp.ini",
                   {"[BACKUP]", "TipoBkp=ZIP", "DiscoAtual=1", "DirMidia=" + midia});
    ForceDirectories(root / "Exames");
    ForceDirectories(root / "Laudos");
    records.SetText(records.Paths.DirRaiz, root.path());
    records.SetText(records.Paths.DirExames, root / "Exames");
    records.SetText(records.Paths.DirLaudos, root / "Laudos");
    records.SetText(records.Paths.DirBancoDados, m.db.Dir());
    records.SetText(records.Paths.ModBackup, root / "Backup.so");
  }
  std::unique_ptr<TfrmBackup> Janela() {
    auto w = std::make_unique<TfrmBackup>(
        view, m.dialogs,
        ContextoBackup{
            settings, records, *m.dm, root / "BackUp.ini", {m.dm->User(), m.dm->Password()}});
    w->FormCreate();
    w->FormShow();
    return w;
  }
  // Exam code -> backup mark.
  std::map<int, std::string> Exames() {
    std::map<int, std::string> out;
    auto& q = m.dm->Operation("SELECT Codigo, Backup FROM Exames");
    for (q.Open(); !q.Eof(); q.Next())
      out[static_cast<int>(q.FieldByName("Codigo").AsInteger())] =
          q.FieldByName("Backup").AsString();
    return out;
  }
};

std::string Bytes(int codigo, char c) {
  std::string b;
  for (int i = 0; i < 3000 + codigo; ++i) b += static_cast<char>((i * 7 + codigo + c) & 0xff);
  return b;
}

std::string Caminho(const std::string& root, int pac, int codigo, char c) {
  return root + "/Exames/" + std::to_string(pac) + "/" + std::to_string(codigo) + c + ".txt";
}

int Executa(const QString& programa, const QStringList& args, QString* saida = nullptr) {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(programa, args);
  p.waitForFinished(120000);
  if (saida) *saida = QString::fromLocal8Bit(p.readAll());
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

TEST(BackupEndToEnd, BackupWhileAnotherConnectionWritesRestoresIntoAFreshInstallation) {
  if (test::ServerMode()) GTEST_SKIP() << "the restore replaces a local file";
  test::TempDir midia;
  Estacao origem(midia.path());
  data::TDMedicos(*origem.m.dm).InsereMedico({.nome = "Dra. Prado"});
  data::TDPacientes(*origem.m.dm).InserePaciente({.nome = "Ana"}, DateTime{2024, 1, 2}, 0);
  const int med = data::TDMedicos(*origem.m.dm).CodigoDoMedico("Dra. Prado");
  const int pac = data::TDPacientes(*origem.m.dm).CodigoDoPaciente("Ana");
  ForceDirectories(origem.root / ("Exames/" + std::to_string(pac)));
  for (int i = 0; i < 20; ++i)
    data::TDExames(*origem.m.dm)
        .InsereExame(pac, med, {2024, 1, 2}, {1899, 12, 30, 9, i, 0}, "OD", 90, "T", "", "", "", 32,
                     "2");
  for (const auto& [codigo, marca] : origem.Exames())
    for (char c : {'a', 'd', 'm'})
      WriteFileAtomic(Caminho(origem.root.path(), pac, codigo, c), Bytes(codigo, c));

  // Another workstation's connection writes exams (without files) the whole time.
  std::atomic<bool> parar = false;
  std::atomic<int> escritos = 0;
  std::thread outra([&] {
    test::ScriptedDialogs d;
    data::TDMPrincipal dm(d);
    if (!dm.PSetDataBaseName(origem.m.db.Name())) return;
    data::TDExames exames(dm);
    for (int i = 0; !parar; ++i, ++escritos)
      exames.InsereExame(pac, med, {2025, 1, 1}, {1899, 12, 30, 10, i % 60, i / 60 % 60}, "OS", 80,
                         "T", "", "", "", 32, "2");
  });
  while (escritos < 5) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  const int antes = escritos;
  origem.Janela()->btnIniciarBkpClick();
  const int depois = escritos;
  parar = true;
  outra.join();
  EXPECT_GT(depois, antes) << "the other connection wrote during the backup";
  ASSERT_EQ(origem.m.dialogs.shown.back().text, "Backup dos Exames e Laudos concluído com êxito");

  std::map<int, std::string> copiados;
  for (const auto& [codigo, marca] : origem.Exames())
    if (!marca.empty()) copiados[codigo] = marca;
  ASSERT_EQ(copiados.size(), 20u) << "the exams with files, and only those";

  // The medium's database copy restores with the engine's own tool as well.
  const std::string fbk = midia.path() + "/Banco de Dados/DATABASE.FBK";
  test::TempDir gbak;
  QString saida;
  EXPECT_EQ(Executa("gbak",
                    {"-c", "-user", "sysdba", QString::fromStdString(fbk),
                     QString::fromStdString(gbak / "G.GDB")},
                    &saida),
            0)
      << saida.toStdString();

  // A fresh installation restores the backup.
  Estacao destino(midia.path());
  auto janela = destino.Janela();
  janela->btnRestaurarClick();
  ASSERT_EQ(destino.m.dialogs.shown.back().text, "Restauração concluída com êxito");
  const auto restaurados = destino.Exames();
  for (const auto& [codigo, marca] : copiados) {
    ASSERT_TRUE(restaurados.count(codigo)) << codigo;
    EXPECT_EQ(restaurados.at(codigo), marca);
    for (char c : {'a', 'd', 'm'})
      EXPECT_EQ(ReadFileBytes(Caminho(destino.root.path(), pac, codigo, c)), Bytes(codigo, c))
          << codigo << c;
  }

  // The restored database validates in full.
  destino.m.dm->PDesconectionDataBase();
  EXPECT_EQ(Executa("gfix",
                    {"-v", "-full", "-user", "sysdba",
                     QString::fromStdString(destino.m.db.Dir() + "/DATABASE.GDB")},
                    &saida),
            0)
      << saida.toStdString();
  EXPECT_TRUE(saida.trimmed().isEmpty()) << saida.toStdString();
}

}  // namespace
}  // namespace zv
