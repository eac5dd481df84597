// zarvik: the workstation program.  One copy runs at a time; a second start brings the
// running copy's main window to view and ends.
#include <QApplication>
#include <cstdio>

#include "QtDialogs.h"
#include "UBInstanciaUnica.h"
#include "UfrmPrincipalView.h"

namespace {

// Errors that escape an event handler are shown like every other unhandled error: the text,
// caption "Erro"; the program goes on.
class ZarvikApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
      zv::QtDialogs(activeWindow())
          .Message(e.what(), "Erro", zv::MsgIcon::Error, zv::MsgButtons::Ok);
    }
    return false;
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  ZarvikApplication app(argc, argv);
  QApplication::setApplicationName("ZarvikSL");
  QApplication::setApplicationDisplayName("ZarvikSL");

  zv::TBInstanciaUnica instancia(zv::TBInstanciaUnica::ChavePadrao());
  if (!instancia.Primeira()) {
    if (!instancia.PedeParaMostrar())
      std::fprintf(stderr, "zarvik: outra cópia do programa já está em execução.\n");
    return 0;
  }

  zv::QtDialogs dialogs;
  zv::data::TDMPrincipal dataModule(dialogs);
  zv::TZVRecords records;
  zv::TfrmPrincipalView principal(dataModule, records,
                                  {QApplication::applicationFilePath().toStdString(),
                                   QApplication::applicationDirPath().toStdString()});
  dialogs.SetParent(&principal);
  QObject::connect(&instancia, &zv::TBInstanciaUnica::mostrarPedido, &principal,
                   &zv::TfrmPrincipalView::TrazParaFrente);
  principal.show();
  return app.exec();
}
