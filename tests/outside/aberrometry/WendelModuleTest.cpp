// Wendel through the host's binding, on exams rendered by the simulated camera: a sphere has
// no higher orders, a prolate conicoid shows positive spherical aberration, and a table with
// nothing usable gives a message instead of a window.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTableWidget>
#include <cmath>

#include "ExameProcessado.h"
#include "JanelaModulo.h"
#include "NumberFormat.h"
#include "SimulatedCalibration.h"
#include "Streams.h"
#include "TestPaths.h"
#include "UBAberrometriaDLL.h"

namespace {

using zv::test::QuandoAparecer;

struct Leitura {
  double rmsAltaOrdem = std::nan(""), esferica = std::nan(""), pupila = std::nan("");
  std::string paciente, clinica;
};

double Numero(const QString& texto) {
  for (const QString& parte : texto.split(' '))
    if (double v; zv::TryStrToFloat(parte.toStdString(), v)) return v;
  return std::nan("");
}

class Wendel : public zv::test::ComCalibracaoSimulada {
 protected:
  void SetUp() override {
    ASSERT_TRUE(zv::UBAberrometriaDLL::CarregaModulo(zv::test::BinDir() + "/Wendel.so"));
  }

  // Calls the module as the host does and reads its window.
  Leitura Analisa(zv::test::Exame& e) {
    zv::MemoryStream cabecalho;
    zv::StreamWriteLines(cabecalho.Handle(), {"Maria Souza", "0012", "RG", "Olho Direito",
                                              "10/12/2026", "09:30:00", "Dr. Paulo", "0034", "98"});
    const char* linhas[] = {"Clínica Teste", "Rua A, 1", "São Paulo - SP", "(11) 5555-0100"};
    const TZVTextList clinica{linhas, 4};
    Leitura l;
    QuandoAparecer("frmAberrometria", [&](QWidget* j) {
      l.rmsAltaOrdem = Numero(j->findChild<QLabel*>("lblRMSAltaOrdem")->text());
      l.pupila = Numero(j->findChild<QLabel*>("lblPupila")->text());
      l.esferica = zv::StrToFloat(
          j->findChild<QTableWidget*>("tblCoeficientes")->item(12, 3)->text().toStdString());
      l.paciente = j->findChild<QLabel*>("lblPaciente")->text().toStdString();
      l.clinica = j->findChild<QLabel*>("lblClinica")->text().toStdString();
      j->close();
    });
    zv::UBAberrometriaDLL::ProcessaAberrometria(&hospedeiro, &e.pixels, &e.dioptrias, &e.aneis, "3",
                                                32, 1, 3.0, 0.024, 0, 350, 350, 1,
                                                cabecalho.Handle(), &clinica);
    return l;
  }

  QWidget hospedeiro;
};

TEST_F(Wendel, ASphereHasNoHigherOrdersAndAProlateConicoidPositiveSphericalAberration) {
  auto esfera = zv::test::Processa(placido::Cornea{}, Coef());
  const Leitura s = Analisa(*esfera);
  EXPECT_EQ(s.pupila, 6.0);
  // The analysis of an exact sphere gives none (see the core test); what remains here is the
  // ring detection's own meridional scatter of about 0.1 D in the tables: 0.13 um.
  EXPECT_LT(s.rmsAltaOrdem, 0.15);
  EXPECT_EQ(s.paciente, "Paciente: Maria Souza (0012)");
  EXPECT_NE(s.clinica.find("Clínica Teste"), std::string::npos);

  placido::Cornea conicoide;
  conicoide.kind = placido::SurfaceKind::Conicoid;
  conicoide.asphericityQ = -0.2;
  auto prolata = zv::test::Processa(conicoide, Coef());
  const Leitura c = Analisa(*prolata);
  // About 0.2 r^4 / (8 R^3) in front of the sphere at the edge, some 4 um: a few tenths of a
  // micrometre of primary spherical aberration.
  EXPECT_GT(c.esferica, 0.1);
  EXPECT_LT(c.esferica, 0.6);
}

TEST_F(Wendel, TablesWithNothingUsableGiveAMessage) {
  auto vazio = std::make_unique<zv::test::Exame>();
  for (auto& linha : vazio->dioptrias)
    for (double& v : linha) v = std::nan("");
  std::string mensagem;
  zv::test::QuandoMensagem(mensagem);
  zv::UBAberrometriaDLL::ProcessaAberrometria(&hospedeiro, &vazio->pixels, &vazio->dioptrias,
                                              &vazio->aneis, "3", 32, 1, 3.0, 0.024, 0, 350, 350, 1,
                                              nullptr, nullptr);
  EXPECT_NE(mensagem.find("não há dados para a aberrometria"), std::string::npos) << mensagem;
}

}  // namespace
