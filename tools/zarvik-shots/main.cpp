// zarvik-shots INSTALLATION OUTDIR: starts the workstation's main window on an installation
// (a demo laid out by tools/make-demo.sh) and saves what the screen shows as PNG files: the
// start-up window while the modules are located, the main window with the pointer over
// "Navegador", and the help window.  Run it under Xvfb:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bin/zarvik-shots demo docs/screenshots
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <cstdio>

#include "UfrmAjuda.h"
#include "UfrmPrincipalView.h"
#include "UfrmStarting.h"

namespace {

void Settle() {
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
}

bool Shoot(QWidget& window, const QString& path) {
  Settle();
  const QRect frame = window.frameGeometry();
  const QPixmap shot = QApplication::primaryScreen()->grabWindow(0, frame.x(), frame.y(),
                                                                 frame.width(), frame.height());
  const bool saved = shot.save(path);
  std::printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(path));
  return saved;
}

// The real windows, with the start-up window photographed when the last step begins.
class JanelasFotografadas : public zv::JanelasQt {
 public:
  JanelasFotografadas(QWidget* parent, QDir out) : JanelasQt(parent), out_(std::move(out)) {}
  zv::TfrmIniciando& Iniciando() override {
    zv::TfrmIniciando& splash = JanelasQt::Iniciando();
    // The fourth request comes from the module probes, after the scan of step 2.
    if (++requests_ == 4) {
      splash.MostraEtapa(4);
      splash.Progresso(50);
      ok_ = Shoot(*IniciandoView(), out_.filePath("iniciando.png")) && ok_;
    }
    return splash;
  }
  bool ok_ = true;

 private:
  QDir out_;
  int requests_ = 0;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "uso: zarvik-shots INSTALACAO SAIDA\n");
    return 2;
  }
  const QDir root(QString::fromLocal8Bit(argv[1]));
  const QDir out(QString::fromLocal8Bit(argv[2]));
  QDir().mkpath(out.path());

  // A message the installation raises (a module not installed yet) is answered at once, so
  // the pictures show the windows and not a waiting message box.
  QTimer dismiss;
  QObject::connect(&dismiss, &QTimer::timeout, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      std::printf("message: %s\n", qPrintable(box->text()));
      box->accept();
    }
  });
  dismiss.start(50);

  zv::QtDialogs dialogs;
  zv::data::TDMPrincipal dm(dialogs);
  zv::TZVRecords records;
  const std::string dir = root.absolutePath().toStdString();
  auto janelas = std::make_unique<JanelasFotografadas>(nullptr, out);
  JanelasFotografadas& fotos = *janelas;
  zv::TfrmPrincipalView principal(dm, records, {dir + "/zarvik", dir}, std::move(janelas));
  principal.show();
  Settle();
  principal.Model().ApplicationEvents1Activate();
  if (!principal.Model().Iniciado()) {
    std::fprintf(stderr, "zarvik-shots: the start-up did not complete\n");
    return 1;
  }
  principal.Model().Botao(0).MouseEnter();
  bool ok = fotos.ok_ && Shoot(principal, out.filePath("principal.png"));

  zv::TfrmAjuda help(dir + "/ajuda", &principal);
  help.MostraTopico("principal");
  help.show();
  help.move(principal.geometry().topLeft() + QPoint(40, 40));
  ok = Shoot(help, out.filePath("ajuda.png")) && ok;
  help.close();
  principal.close();
  return ok ? 0 : 1;
}
