// Wendel through the host's binding, on exams rendered by the simulated camera: a sphere has
// no higher orders, a prolate conicoid shows positive spherical aberration, and a table with
// nothing usable gives a message instead of a window.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTableWidget>
#include <cmath>
#include <numbers>
#include <vector>

#include "CorneaSurface.h"
#include "ExameProcessado.h"
#include "JanelaModulo.h"
#include "NumberFormat.h"
#include "SimulatedCalibration.h"
#include "Streams.h"
#include "TestPaths.h"
#include "UBAberrometriaDLL.h"
#include "Zernike.h"

namespace {

using zv::test::QuandoAparecer;

struct Leitura {
  double rmsAltaOrdem = std::nan(""), pupila = std::nan("");
  std::vector<double> termos;  // micrometres, as the coefficient table shows them
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
      const auto* tabela = j->findChild<QTableWidget*>("tblCoeficientes");
      for (int t = 0; t < tabela->rowCount(); ++t)
        l.termos.push_back(zv::StrToFloat(tabela->item(t, 3)->text().toStdString()));
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
  EXPECT_LT(s.rmsAltaOrdem, 0.05);
  EXPECT_EQ(s.paciente, "Paciente: Maria Souza (0012)");
  EXPECT_NE(s.clinica.find("Clínica Teste"), std::string::npos);

  placido::Cornea conicoide;
  conicoide.kind = placido::SurfaceKind::Conicoid;
  conicoide.asphericityQ = -0.2;
  auto prolata = zv::test::Processa(conicoide, Coef());
  const Leitura c = Analisa(*prolata);
  // About 0.2 r^4 / (8 R^3) in front of the sphere at the edge, some 4 um: a few tenths of a
  // micrometre of primary spherical aberration.
  EXPECT_GT(c.termos[12], 0.1);
  EXPECT_LT(c.termos[12], 0.6);
}

// The decomposition of the rendered surface itself, from its exact height over the grid the
// module analyses.
std::vector<double> TermosDaSuperficie(const placido::Cornea& cornea) {
  const placido::CorneaSurface superficie(cornea);
  mapas::GradePotencia sag;
  sag.mmPorPixel = 0.024;
  for (int m = 1; m <= mapas::kMeridianos; ++m) {
    const double t = mapas::AnguloClinico(m) * std::numbers::pi / 180;
    placido::SurfacePoint ponto;
    for (int p = 0;
         p <= 200 && superficie.At(p * 0.024 * std::cos(t), p * 0.024 * std::sin(t), ponto); ++p)
      sag.Define(m, p, -ponto.z);
  }
  return aberrometria::AnalisaSagitta(sag, 3.0).coeficientes;
}

// Real higher orders of rendered surfaces come through: the prolate conicoid's spherical
// aberration, and the biconic's secondary astigmatism next to its large primary one, whose
// axis the rows' one-degree turn leaves aside (the oblique term j = 3 is not compared).
TEST_F(Wendel, RealTermsOfRenderedSurfacesComeThrough) {
  placido::Cornea conicoide;
  conicoide.kind = placido::SurfaceKind::Conicoid;
  conicoide.asphericityQ = -0.2;
  placido::Cornea torica;
  torica.kind = placido::SurfaceKind::Toric;
  struct Caso {
    placido::Cornea cornea;
    int termo;
    double tolerancia;
  };
  for (const Caso& caso :
       {Caso{conicoide, 12, 0.02}, Caso{torica, 5, 0.1}, Caso{torica, 13, 0.05}}) {
    const std::vector<double> exatos = TermosDaSuperficie(caso.cornea);
    auto exame = zv::test::Processa(caso.cornea, Coef());
    const Leitura l = Analisa(*exame);
    ASSERT_EQ(l.termos.size(), exatos.size());
    EXPECT_GT(std::abs(exatos[caso.termo]), 0.05) << caso.termo;
    EXPECT_NEAR(l.termos[caso.termo], exatos[caso.termo], caso.tolerancia) << caso.termo;
  }
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
