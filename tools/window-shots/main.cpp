// window-shots OUTDIR: shows the system's windows one by one on the current display, in the
// states an operator meets them, and saves what the screen shows of each as a PNG in OUTDIR.
// Run it under Xvfb (xvfb-run -a -s "-screen 0 1024x768x24" build/bin/window-shots DIR).
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QThread>
#include <cstdio>

#include "PlacidoRenderer.h"
#include "ProcessingSession.h"
#include "QtDialogs.h"
#include "SessionRingProcessing.h"
#include "SimulatedCalibration.h"
#include "TfrmAguarde.h"
#include "ToolsShots.h"
#include "UfrmDadosOrto.h"
#include "UfrmDica.h"
#include "UfrmInicialView.h"

namespace {

void Settle() {
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
}

bool Shoot(QWidget& window, const QString& path) {
  window.show();
  window.raise();
  Settle();
  const QRect frame = window.frameGeometry();
  const QPixmap shot = QApplication::primaryScreen()->grabWindow(0, frame.x(), frame.y(),
                                                                 frame.width(), frame.height());
  return shot.save(path);
}

void Press(QWidget& window, const char* button, bool checked) {
  window.findChild<QAbstractButton*>(button)->setChecked(checked);
}

// The ring review window on four simulated captures: detected rings, a selected ring, a pupil
// outline, a measurement arrow, then the summary of the four finished images.
bool ShootReviewWindow(const QDir& out) {
  zv::QtDialogs dialogs;
  const QString calibration = out.filePath("tmp-calibracao/");
  QDir().mkpath(calibration);
  zv::WriteSimulatedCalibration(calibration.toStdString() + "Coef.txt", 32);

  std::array<QImage, 4> images;
  const double radii[4] = {7.7, 7.8, 7.95, 8.1};
  for (int i = 0; i < 4; ++i) {
    placido::Scene scene;
    scene.cornea.apicalRadiusMm = radii[i];
    scene.noiseSigma = 2;
    images[i] = placido::Render(scene);
  }
  TInfosZV infos{};
  infos.NumAneis = 32;
  infos.FatorCorrecao = placido::MillimetresPerPixel();
  infos.AutoAneis = 1;
  infos.TvlCentral = 8;
  infos.TIncremento = 2;
  vessik::ProcessingSession session(32, infos.FatorCorrecao, calibration.toStdString(), dialogs);
  zv::SessionRingProcessing processing(session);
  zv::TfrmInicialView window(processing, infos, images);
  window.show();
  Settle();
  zv::TfrmInicial& model = window.Model();
  model.Image1MouseMove(100, 100);
  bool ok = Shoot(window, out.filePath("vessik-rings.png"));

  model.btnSelecionarClick();
  const int ring = 12;
  const int x = static_cast<int>(processing.CentreX() + processing.Radius(360, ring));
  model.Image1MouseDown(zv::MouseButton::Left, x, static_cast<int>(processing.CentreY()));
  model.Image1MouseUp(zv::MouseButton::Left, x, static_cast<int>(processing.CentreY()));
  ok = Shoot(window, out.filePath("vessik-selected-ring.png")) && ok;
  model.btnRetocarClick();

  Press(window, "sbDesenharPup", true);
  model.sbDesenharPupClick();
  model.Image1MouseDown(zv::MouseButton::Left, 262, 190);
  model.Image1MouseMove(380, 292);
  model.Image1MouseUp(zv::MouseButton::Left, 380, 292);
  ok = Shoot(window, out.filePath("vessik-pupil.png")) && ok;

  Press(window, "chkDesenhar", true);
  model.chkDesenharClick();
  model.Image1MouseDown(zv::MouseButton::Left, 470, 160);
  model.Image1MouseMove(470, 160);
  ok = Shoot(window, out.filePath("vessik-measurement.png")) && ok;
  model.Image1MouseUp(zv::MouseButton::Left, 470, 160);

  for (int i = 0; i < 3; ++i) {
    model.btnProximaClick();
    model.Image1MouseMove(100 + i, 100);
  }
  model.btnOKClick();
  zv::ValoresOrtoImagens valores = processing.Valores();
  for (auto* v : {&valores.SAG, &valores.DIV, &valores.R0}) zv::CalculaMedia(*v);
  zv::TfrmDadosOrtoView summary(valores);
  ok = Shoot(summary, out.filePath("vessik-summary.png")) && ok;
  QDir(calibration).removeRecursively();
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: window-shots OUTDIR\n");
    return 2;
  }
  const QDir out(argv[1]);
  if (!out.exists() && !QDir().mkpath(out.path())) {
    std::fprintf(stderr, "window-shots: cannot create %s\n", argv[1]);
    return 1;
  }
  zv::TfrmAguardeView aguarde;
  zv::TfrmDicaView dica;
  bool ok = Shoot(aguarde, out.filePath("aguarde.png"));
  aguarde.hide();
  ok = Shoot(dica, out.filePath("dica-de-busca.png")) && ok;
  dica.hide();
  ok = ShootReviewWindow(out) && ok;
  ok = ShootToolsWindows(out) && ok;
  return ok ? 0 : 1;
}
