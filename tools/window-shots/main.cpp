// window-shots OUTDIR: shows the host's small windows one by one on the current display and
// saves what the screen shows of each as a PNG in OUTDIR.  Run it under Xvfb
// (xvfb-run -a tools/... ) to see the windows as an operator would.
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "TfrmAguarde.h"
#include "UfrmDica.h"

namespace {

bool Shoot(QWidget& window, const QString& path) {
  window.show();
  window.raise();
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
  const QRect frame = window.frameGeometry();
  const QPixmap shot = QApplication::primaryScreen()->grabWindow(
      0, frame.x(), frame.y(), frame.width(), frame.height());
  window.hide();
  return shot.save(path);
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
  ok = Shoot(dica, out.filePath("dica-de-busca.png")) && ok;
  return ok ? 0 : 1;
}
