// An exam of the simulated camera as the standard processing module leaves it: the picture of
// a scene, its rings detected from the image centre and converted with a calibration file.
#pragma once
#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>
#include <memory>
#include <string>

#include "DetectorImage.h"
#include "PlacidoRenderer.h"
#include "ProcessingSession.h"
#include "SimulatedCalibration.h"
#include "TestPaths.h"
#include "UBConstantes.h"
#include "UnattendedDialogs.h"

namespace zv::test {

struct Exame {
  TMatrizAngAnel pixels{}, dioptrias{};
  TMatrizAng aneis{};
};

// The rings of `imagem` (640 x 480, reflection centred) converted with the calibration `coef`.
inline std::unique_ptr<Exame> ProcessaImagem(const QImage& imagem, const std::string& coef) {
  zv::UnattendedDialogs dialogos;
  auto sessao = std::make_unique<vessik::ProcessingSession>(32, 0.024, "", dialogos);
  sessao->DefineArquivoCoeficientes(coef);
  sessao->ProcessaAneis(zv::DetectorImage(imagem), 320, 240, 8);
  EXPECT_EQ(sessao->FinalizaImagem(), vessik::ResultadoFinalizacao::Armazenada);
  auto e = std::make_unique<Exame>();
  for (int k = 0; k < 360; ++k) {
    for (int c = 0; c < 33; ++c) {
      e->pixels[k][c] = sessao->MatrizesPixels[0][k][c];
      e->dioptrias[k][c] = sessao->MatrizesDioptrias[0][k][c];
    }
    e->aneis[k] = sessao->contagens[k];
  }
  return e;
}

// The picture of `cornea`, processed.
inline std::unique_ptr<Exame> Processa(const placido::Cornea& cornea, const std::string& coef) {
  placido::Scene cena;
  cena.cornea = cornea;
  return ProcessaImagem(placido::Render(cena), coef);
}

// A suite whose tests process rendered exams: one calibration of the simulated camera for all.
class ComCalibracaoSimulada : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    zv::WriteSimulatedCalibration(*dir_ / "Coef.txt", 32);
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  static std::string Coef() { return *dir_ / "Coef.txt"; }

 private:
  inline static TempDir* dir_ = nullptr;
};

// A suite of module calls on processed exams: the simulated calibration, the device values of
// that camera, and a window standing for the host's.
class SuiteDeExames : public ComCalibracaoSimulada {
 protected:
  void SetUp() override {
    infos.NumAneis = 32;
    infos.FatorCorrecao = 0.024;
  }

  QWidget hospedeiro;
  TInfosZV infos{};
};

}  // namespace zv::test
