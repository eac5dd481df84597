// outside_screenshots OUTDIR: takes an exam with the outside modules as the host would, through
// its bindings, and saves what the screen shows of each window as a PNG in OUTDIR: the capture
// window, the processing review, and the axial and tangential maps of a toric and of a
// keratoconus eye.  Run it under Xvfb:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bin/outside_screenshots docs/screenshots
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <cmath>
#include <cstdio>

#include "JanelaModulo.h"
#include "SimulatedCalibration.h"
#include "Streams.h"
#include "TestPaths.h"
#include "UBCapturaDLL.h"
#include "UBMapaDLL.h"
#include "UBProcDLL.h"

namespace {

using zv::test::QuandoAparecer;

QString saida;

void Assenta(int vezes = 30) {
  for (int i = 0; i < vezes; ++i) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
}

void Fotografa(QWidget* janela, const char* nome) {
  janela->raise();
  Assenta();
  const QRect f = janela->frameGeometry();
  const QString caminho = saida + "/" + nome;
  if (!QApplication::primaryScreen()
           ->grabWindow(0, f.x(), f.y(), f.width(), f.height())
           .save(caminho))
    std::fprintf(stderr, "cannot write %s\n", caminho.toUtf8().constData());
}

void Clica(QWidget* janela, const char* botao) {
  janela->findChild<QPushButton*>(botao)->click();
}

struct Exame {
  zv::MemoryStream central, lateral;
  double cx = 0, cy = 0, conf = 0;
  TMatrizAngAnel pixels{}, dioptrias{};
  TMatrizAng aneis{};
  TPupila pupila{};
};

// Captures the model eye chosen by `escolhe` and processes it; `foto` names the pictures of the
// two windows, or nothing to take none.
void Examina(QWidget* hospedeiro, Exame& e, const std::function<void(QWidget*)>& escolhe,
             const char* fotoCaptura, const char* fotoRevisao, const TInfosZV& infos,
             const TPathsZV& paths) {
  zv::UBCapturaDLL::CarregaModulo(zv::test::BinDir() + "/Captura.so");
  QuandoAparecer("frmCaptura", [&](QWidget* j) {
    escolhe(j);
    Assenta(40);
    if (fotoCaptura) Fotografa(j, fotoCaptura);
    Clica(j, "btnCapturar");
  });
  zv::UBCapturaDLL::Digitalizar(hospedeiro, e.central.Handle(), e.lateral.Handle(), 1,
                                "Digitalizando Imagem do Olho");
  zv::UBCapturaDLL::LiberaModulo();

  zv::UBProcDLL::CarregaModulo(zv::test::BinDir() + "/Processamento.so");
  QuandoAparecer("frmRevisao", [&](QWidget* j) {
    if (fotoRevisao) Fotografa(j, fotoRevisao);
    Clica(j, "btnOK");
  });
  zv::UBProcDLL::ProcessaImagem(hospedeiro, e.central.Handle(), &e.cx, &e.cy, &e.pixels, &e.aneis,
                                &e.dioptrias, &e.pupila, &e.conf, infos, paths);
  zv::UBProcDLL::LiberaModulo();
}

void MostraMapa(QWidget* hospedeiro, Exame& e, const char* modulo, const char* foto,
                const TInfosZV& infos) {
  zv::MemoryStream cabecalho;
  zv::StreamWriteLines(cabecalho.Handle(),
                       {"Maria Aparecida Souza", "0012", "12.345.678-9 ", "Olho Direito",
                        "10/12/2026", "09:30:00", "Dra. Helena Prado", "0", "100"});
  zv::UBMapaDLL::CarregaModulo(zv::test::BinDir() + "/" + modulo + ".so");
  QuandoAparecer("frmMapaSimples", [&](QWidget* j) {
    auto* mapa = j->findChild<QLabel*>("imgMapa");
    const QPointF ponto(mapa->width() / 2.0 + 60, mapa->height() / 2.0 - 40);
    QMouseEvent mover(QEvent::MouseMove, ponto, mapa->mapToGlobal(ponto), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(mapa, &mover);
    Fotografa(j, foto);
    j->close();
  });
  zv::UBMapaDLL::ProcessaMapa(hospedeiro, e.central.Handle(), e.lateral.Handle(), e.cx, e.cy,
                              cabecalho.Handle(), &e.pixels, &e.aneis, &e.dioptrias, &e.pupila,
                              infos);
  zv::UBMapaDLL::LiberaModulo();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: outside_screenshots OUTDIR\n");
    return 2;
  }
  saida = argv[1];
  zv::test::TempDir calibracao;
  zv::WriteSimulatedCalibration(calibracao / "Coef.txt", 32);
  const std::string dir = calibracao.path() + "/";
  TInfosZV infos{};
  infos.NumAneis = 32;
  infos.FatorCorrecao = 0.024;
  infos.TvlCentral = 8;
  infos.TIncremento = 2;
  TPathsZV paths{};
  paths.DirCalibracao = dir.c_str();
  QWidget hospedeiro;
  hospedeiro.setWindowTitle("Zarvik");
  hospedeiro.resize(1000, 740);
  hospedeiro.show();

  Exame torica, cone;
  Examina(
      &hospedeiro, torica,
      [](QWidget* j) {
        j->findChild<QComboBox*>("cbxModelo")->setCurrentIndex(2);
        j->findChild<QDoubleSpinBox*>("edtEixo")->setValue(30);
      },
      "captura-torica.png", nullptr, infos, paths);
  Examina(
      &hospedeiro, cone,
      [](QWidget* j) { j->findChild<QComboBox*>("cbxModelo")->setCurrentIndex(3); },
      "captura-ceratocone.png", "processamento-revisao.png", infos, paths);
  MostraMapa(&hospedeiro, torica, "Pelmo", "mapa-axial-torica.png", infos);
  MostraMapa(&hospedeiro, torica, "Rusk", "mapa-tangencial-torica.png", infos);
  MostraMapa(&hospedeiro, cone, "Pelmo", "mapa-axial-ceratocone.png", infos);
  MostraMapa(&hospedeiro, cone, "Rusk", "mapa-tangencial-ceratocone.png", infos);
  return 0;
}
