// lente_aberrometria_screenshots OUTDIR: shows the contact-lens and aberrometry windows as the
// host calls them, through its bindings, on exams rendered by the simulated camera, and saves
// what the screen shows of each as a PNG in OUTDIR.  Run it under Xvfb:
//   xvfb-run -a -s "-screen 0 1280x900x24" build/bin/lente_aberrometria_screenshots
//   docs/screenshots
#include <QApplication>
#include <QDoubleSpinBox>
#include <cstdio>

#include "ExameProcessado.h"
#include "JanelaModulo.h"
#include "SimulatedCalibration.h"
#include "Streams.h"
#include "TestPaths.h"
#include "UBAberrometriaDLL.h"
#include "UBLCDLL.h"

namespace {

using zv::test::QuandoAparecer;

QString saida;

void Fotografa(QWidget* janela, const char* nome) {
  zv::test::Fotografa(janela, saida + "/" + nome);
}

void Cabecalho(zv::MemoryStream& s) {
  zv::StreamWriteLines(s.Handle(), {"Maria Aparecida Souza", "0012", "12.345.678-9", "Olho Direito",
                                    "10/12/2026", "09:30:00", "Dra. Helena Prado", "0034", "97"});
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: lente_aberrometria_screenshots OUTDIR\n");
    return 2;
  }
  saida = argv[1];
  zv::test::TempDir calibracao;
  zv::WriteSimulatedCalibration(calibracao / "Coef.txt", 32);
  TInfosZV infos{};
  infos.NumAneis = 32;
  infos.FatorCorrecao = 0.024;
  QWidget hospedeiro;
  hospedeiro.setWindowTitle("Zarvik");
  hospedeiro.resize(1000, 740);
  hospedeiro.show();

  placido::Cornea prolata;
  prolata.kind = placido::SurfaceKind::Conicoid;
  prolata.apicalRadiusMm = 7.7;
  prolata.asphericityQ = -0.3;
  auto lente = zv::test::Processa(prolata, calibracao / "Coef.txt");
  zv::UBLCDLL::CarregaModulo(zv::test::BinDir() + "/Bexley.so");
  for (int passos : {0, -3}) {
    QuandoAparecer("frmLente", [&](QWidget* j) {
      j->findChild<QDoubleSpinBox*>("edtCurvaBase")->stepBy(passos);
      Fotografa(j, passos == 0 ? "lente-sugerida.png" : "lente-ingreme.png");
      j->close();
    });
    zv::MemoryStream cabecalho;
    Cabecalho(cabecalho);
    zv::UBLCDLL::ProcessaLente(&hospedeiro, nullptr, cabecalho.Handle(), 320, 240, &lente->pixels,
                               &lente->aneis, &lente->dioptrias, infos, TPathsZV{});
  }
  zv::UBLCDLL::LiberaModulo();

  placido::Cornea cone;
  cone.kind = placido::SurfaceKind::Keratoconus;
  auto ceratocone = zv::test::Processa(cone, calibracao / "Coef.txt");
  zv::UBAberrometriaDLL::CarregaModulo(zv::test::BinDir() + "/Wendel.so");
  QuandoAparecer("frmAberrometria", [&](QWidget* j) {
    Fotografa(j, "aberrometria-ceratocone.png");
    j->close();
  });
  zv::MemoryStream cabecalho;
  Cabecalho(cabecalho);
  const char* clinica[] = {"Clínica de Demonstração", "Rua das Acácias, 100", "São Paulo - SP",
                           "(11) 5555-0100"};
  const TZVTextList dadosClinica{clinica, 4};
  zv::UBAberrometriaDLL::ProcessaAberrometria(
      &hospedeiro, &ceratocone->pixels, &ceratocone->dioptrias, &ceratocone->aneis, "3", 32, 1, 3.0,
      0.024, 0, 350, 350, 1, cabecalho.Handle(), &dadosClinica);
  return 0;
}
