// Renders the four-map window, the wizard and the report page of a sample exam set into
// <dir>/kandor-maps.png, kandor-wizard.png and kandor-report.pdf, for the documentation.
// Run under a display server (Xvfb) so that the real window system styles the windows.
#include <QApplication>
#include <QComboBox>
#include <QPixmap>
#include <QThread>
#include <QTimer>
#include <cstdio>

#include "EstadoTeste.h"
#include "QtDialogs.h"
#include "QtFormView.h"
#include "TfrmMapa.h"
#include "TfrmMapaView.h"
#include "TfrmRelatOrto.h"
#include "TfrmWizard.h"
#include "TfrmWizardView.h"

namespace {

void Espera() {
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  using namespace kandor;

  auto estado = test::EstadoDeQuatroExames();
  estado->ValoresSAG = {0.5312, 0.5458, 0.5521, 0.5603, 0};
  estado->ValoresDIV = {11.62, 11.58, 11.60, 11.64, 0};
  estado->ValoresR0 = {7.82, 8.14, 8.31, 8.36, 0};
  TfrmRelatOrto relatorio;
  TfrmMapaView janela;
  zv::QtFormView ponte(&janela);
  TfrmMapa mapa(ponte, *estado, relatorio, {});
  mapa.FormShow();
  janela.show();
  Espera();
  janela.grab().save(dir + "/kandor-maps.png");
  relatorio.PreparaRelatorioOrto(mapa);
  relatorio.ImprimePdf((dir + "/kandor-report.pdf").toStdString());

  // The print preview as "Visualizar impressão" opens it.
  QTimer::singleShot(1500, [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->inherits("QPrintPreviewDialog") && w->isVisible()) {
        w->grab().save(dir + "/kandor-preview.png");
        w->close();
      }
  });
  zv::QtDialogs avisos(&janela);
  relatorio.Visualiza(&janela, avisos);
  janela.hide();

  TfrmWizardView assistente;
  zv::QtFormView ponteWizard(&assistente);
  zv::QtDialogs dialogos(&assistente);
  TfrmWizard wizard(ponteWizard, dialogos);
  wizard.ListaCandidatos = {
      "OOlho Direito - 02/03/2026 09:12:40", "OOlho Direito - 09/03/2026 09:30:05",
      "OOlho Esquerdo - 09/03/2026 09:41:17", "OOlho Direito - 16/03/2026 10:02:51",
      "OOlho Direito - 30/03/2026 08:55:12"};
  wizard.FormShow();
  ponteWizard.SetItemIndex("cmbPre", 0);
  wizard.cmbPreChange();
  ponteWizard.SetItemIndex("cmbPos", 0);
  wizard.cmbPosChange();
  assistente.show();
  Espera();
  assistente.grab().save(dir + "/kandor-wizard.png");
  return 0;
}
