// Screenshots of the device tools: the calibration window with either calibrator, mid-way and
// after saving with its quality table, and the about box.  The spheres are rendered and
// measured by the Placido simulator in place of the capture and processing modules.
#include "ToolsShots.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QTimer>

#include "NumberFormat.h"
#include "SimulatedCalibration.h"
#include "Streams.h"
#include "TextFile.h"
#include "UBIniSettings.h"
#include "UBRecords.h"
#include "UBVersionInfo.h"
#include "UfrmCalibView.h"
#include "UfrmSobreView.h"
#include "UnattendedDialogs.h"

namespace {

void Wait(int ms) {
  for (int t = 0; t < ms; t += 10) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
}

bool Grab(QWidget& window, const QString& path) {
  Wait(200);
  const QRect frame = window.frameGeometry();
  return QApplication::primaryScreen()
      ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
      .save(path);
}

// Answers every message box with OK, as an operator reading them would.
void AcceptMessages() {
  auto* timer = new QTimer(qApp);
  QObject::connect(timer, &QTimer::timeout, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
  });
  timer->start(100);
}

class SimulatedModules : public zv::ModulosCalibracao {
 public:
  bool CarregaCaptura(const std::string&) override { return true; }
  void Digitalizar(void*, TZVStream* central, TZVStream*, int, const std::string&) override {
    zv::StreamWrite(central, "BM-simulated-sphere");
  }
  void LiberaCaptura() override {}
  bool CarregaProcessamento(const std::string&) override { return true; }
  int ProcessaEsfera(void*, TZVStream*, const std::string& raio, TZVStream* out,
                     const TInfosZV& infos) override {
    std::vector<std::string> lines{raio};
    for (double r : zv::SimulatedSphereRings(zv::StrToFloat(raio), infos.NumAneis))
      lines.push_back(zv::FormatFloat("0.0000", r));
    zv::StreamWriteLines(out, lines);
    return 1;
  }
  void LiberaProcessamento() override {}
};

struct Installation {
  Installation(const QDir& out, const char* name, const char* calibrator)
      : root(out.filePath(name).toStdString()), settings(dialogs, root, "/nonexistent") {
    zv::ForceDirectories(zv::JoinPath(root, "Calibração"));
    std::string ini = zv::ReadFileBytes(std::string(ZV_ASSETS_DIR) + "/Zarvik.ini");
    for (size_t at; (at = ini.find("@ROOT@")) != std::string::npos;) ini.replace(at, 6, root);
    const std::string key = "TIPOCALIBRADOR=1";
    ini.replace(ini.find(key), key.size(), std::string("TIPOCALIBRADOR=") + calibrator);
    zv::WriteFileAtomic(zv::JoinPath(root, "Zarvik.ini"), ini);
    settings.LoadAll(1);
    zv::CopySettingsToRecords(settings, records);
    records.Infos.Modelo = 1;
    records.Infos.NumAneis = 32;
    zv::GravaAnimacoesTorre(zv::JoinPath(root, "imgs"));
  }
  std::string root;
  zv::UnattendedDialogs dialogs;
  zv::TBIniSettings settings;
  zv::TZVRecords records;
};

bool ShootCalibration(const QDir& out, const char* calibrator, const QString& prefix) {
  Installation inst(out, ("tmp-" + prefix).toUtf8().constData(), calibrator);
  SimulatedModules modules;
  zv::TfrmCalibView window(inst.settings, inst.records, modules, nullptr);
  window.show();
  Wait(300);
  for (int s = 1; s <= 2; ++s) {
    window.Model().sbtProcEsfClick();
    Wait(1400);
  }
  bool ok = Grab(window, out.filePath(prefix + "-midway.png"));
  for (int s = 3; s <= 4; ++s) {
    window.Model().sbtProcEsfClick();
    Wait(1400);
  }
  window.findChild<QPushButton*>("sbtProcEsf")->click();
  Wait(300);
  ok = Grab(window, out.filePath(prefix + "-saved.png")) && ok;
  window.hide();
  return ok;
}

bool ShootAbout(const QDir& out) {
  const std::string bin = QCoreApplication::applicationDirPath().toStdString();
  zv::TZVRecords records;
  records.Infos.TipoCone = "3";
  records.SetText(records.Paths.ModDigitalizacao, bin + "/Captura.so");
  records.SetText(records.Paths.ModProcessamento, bin + "/Processamento.so");
  records.SetText(records.Paths.ModDigitalizacaoOrto, bin + "/CapturaOrto.so");
  records.SetText(records.Paths.ModProcOrto, bin + "/Vessik.so");
  zv::TBVersionInfo version;
  version.LoadFrom(bin + "/Vessik.so");
  zv::UnattendedDialogs dialogs;
  zv::InfoModulosDLL modules(dialogs);
  zv::TfrmSobreView about(records.Infos, records.Paths,
                          {version.FileVersion(), version.BuildNumber()}, modules);
  about.show();
  const bool ok = Grab(about, out.filePath("sobre.png"));
  about.hide();
  return ok;
}

}  // namespace

bool ShootToolsWindows(const QDir& out) {
  AcceptMessages();
  bool ok = ShootCalibration(out, "1", "calibracao-calibrador2");
  ok = ShootCalibration(out, "0", "calibracao-calibrador1") && ok;
  return ShootAbout(out) && ok;
}
