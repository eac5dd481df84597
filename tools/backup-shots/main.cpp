// backup-shots OUTDIR: lays out a small installation with a database, exams and the backup
// module, runs one backup, adds new exams and a report, and saves what the screen shows of the
// backup window and of each tab of the tools window as PNG files in OUTDIR.  Map modules built
// beside this program are listed in the tools window.  Run it under Xvfb:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bin/backup-shots docs/screenshots
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "DatabaseFile.h"
#include "TextFile.h"
#include "UBIniSettings.h"
#include "UBProcuraModulos.h"
#include "UBRecords.h"
#include "UDExames.h"
#include "UDLaudos.h"
#include "UDMedicos.h"
#include "UDPacientes.h"
#include "UfrmBackupView.h"
#include "UfrmFerramentasView.h"
#include "UnattendedDialogs.h"

namespace {

void Wait(int ms) {
  for (int t = 0; t < ms; t += 10) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
}

bool Grab(QWidget& window, const QString& path) {
  window.show();
  window.raise();
  Wait(300);
  const QRect frame = window.frameGeometry();
  const bool ok = QApplication::primaryScreen()
                      ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
                      .save(path);
  std::printf("%s %s\n", ok ? "saved" : "FAILED", qPrintable(path));
  return ok;
}

struct Installation {
  explicit Installation(const std::string& dir)
      : root(dir), settings(dialogs, root, "/nonexistent") {
    std::string ini = zv::ReadFileBytes(std::string(ZV_ASSETS_DIR) + "/Zarvik.ini");
    for (size_t at; (at = ini.find("@ROOT@")) != std::string::npos;) ini.replace(at, 6, root);
    zv::WriteFileAtomic(zv::JoinPath(root, "Zarvik.ini"), ini);
    settings.LoadAll(1);
    zv::CopySettingsToRecords(settings, records);
    records.Infos.Modelo = 1;
    records.Infos.BackupAuto = 1;
    records.Infos.BackupPeriodo = 7;
    for (const char* d : {"Exames", "Laudos", "BancoDados", "Midia", "Mapas"})
      zv::ForceDirectories(zv::JoinPath(root, d));
    const std::string bin = QCoreApplication::applicationDirPath().toStdString();
    zv::WriteFileAtomic(zv::JoinPath(root, "Backup.so"),
                        zv::ReadFileBytes(zv::JoinPath(bin, "Backup.so")));
    zv::WriteTextLines(zv::JoinPath(root, "BackUp.ini"),
                       {"[BACKUP]", "TipoBkp=ZIP", "DiscoAtual=1",
                        "DirMidia=" + zv::JoinPath(root, "Midia"), "BackupZerado=0"});
    records.SetText(records.Paths.ModBackup, zv::JoinPath(root, "Backup.so"));
    for (const char* mapa : {"Pelmo.so", "Rusk.so", "Gavrel.so", "Kandor.so"})
      if (zv::FileExists(zv::JoinPath(bin, mapa)))
        std::filesystem::copy_file(zv::JoinPath(bin, mapa), zv::JoinPath(root, "Mapas/") + mapa);
    banco = zv::JoinPath(records.Paths.DirBancoDados, "DATABASE.GDB");
    zv::data::CreateDatabase(banco);
    dm.PSetDataBaseName(banco);
  }
  void Exames(int quantos) {
    zv::data::TDExames exames(dm);
    const int pac = zv::data::TDPacientes(dm).CodigoDoPaciente("Ana Ribeiro");
    const int med = zv::data::TDMedicos(dm).CodigoDoMedico("Dra. Helena Prado");
    for (int i = 0; i < quantos; ++i) {
      exames.InsereExame(pac, med, {2026, 12, 10}, {1899, 12, 30, 9, minuto++, 0}, "OD", 95, "T",
                         "", "", "", 32, "2");
      auto& q = dm.Operation("SELECT MAX(Codigo) FROM Exames");
      q.Open();
      const std::string cod = std::to_string(q.FieldByName("MAX").AsInteger());
      const std::string dir = zv::JoinPath(records.Paths.DirExames, std::to_string(pac));
      zv::ForceDirectories(dir);
      for (const char* s : {"a.txt", "d.txt", "m.txt"})
        zv::WriteTextLines(zv::JoinPath(dir, cod + s), {"exame " + cod});
    }
  }
  std::string root, banco;
  zv::UnattendedDialogs dialogs;
  zv::TBIniSettings settings;
  zv::TZVRecords records;
  zv::data::TDMPrincipal dm{dialogs};
  int minuto = 0;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "uso: backup-shots SAIDA\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  QDir().mkpath(out.path());
  const std::string dir = out.absoluteFilePath("tmp-backup").toStdString();
  std::filesystem::remove_all(dir);
  zv::ForceDirectories(dir);
  if (!std::getenv("FIREBIRD_LOCK")) setenv("FIREBIRD_LOCK", (dir + "/.lock").c_str(), 1);

  // Every message box is answered as an operator reading it would: OK or Yes.
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      std::printf("message: %s\n", qPrintable(box->text()));
      box->accept();
    }
  });
  answer.start(100);

  bool ok = true;
  {
    Installation inst(dir);
    zv::data::TDMedicos(inst.dm).InsereMedico({.nome = "Dra. Helena Prado"});
    zv::data::TDPacientes(inst.dm).InserePaciente({.nome = "Ana Ribeiro"}, {2026, 12, 1}, 0);
    inst.Exames(12);
    zv::ContextoBackup contexto{inst.settings,
                                inst.records,
                                inst.dm,
                                zv::JoinPath(dir, "BackUp.ini"),
                                {inst.dm.User(), inst.dm.Password()}};
    {
      zv::TfrmBackupView primeiro(inst.dialogs, contexto, {});
      primeiro.Model().Atualiza();
      primeiro.Model().btnIniciarBkpClick();
    }
    inst.Exames(3);
    zv::TfrmBackupView backup(inst.dialogs, contexto, {});
    ok = Grab(backup, out.filePath("backup.png")) && ok;
    backup.hide();

    zv::TBProcuraModulos modulos(inst.dialogs);
    modulos.ProcuraModulosSemBotoes(zv::JoinPath(dir, "Mapas"), {});
    zv::TfrmFerramentasView ferramentas(
        inst.dialogs, {inst.settings, inst.records, inst.dm, zv::JoinPath(dir, "BackUp.ini"),
                       modulos.ListaModulos()});
    ferramentas.show();
    for (const char* aba :
         {"tshModulos", "tshAplicativos", "tshDadosClinica", "tshConfig", "tshBD"}) {
      ferramentas.MostraAba(aba);
      ok = Grab(ferramentas,
                out.filePath(QString("ferramentas-%1.png").arg(QString(aba).mid(3).toLower()))) &&
           ok;
    }
    ferramentas.hide();
    inst.dm.PDesconectionDataBase();
  }
  std::filesystem::remove_all(dir);
  return ok ? 0 : 1;
}
