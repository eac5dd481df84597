// An exam of a model cornea as the standard processing module gives it: the picture rendered by
// the simulated camera, its rings detected and converted with the simulated calibration.
#pragma once
#include <gtest/gtest.h>

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

struct ExameRenderizado {
  TMatrizAngAnel pixels{}, dioptrias{};
  TMatrizAng aneis{};
};

// The picture of `cornea` (ring centre at 320, 240) processed with the calibration file `coef`.
inline std::unique_ptr<ExameRenderizado> Processa(const placido::Cornea& cornea,
                                                  const std::string& coef) {
  placido::Scene cena;
  cena.cornea = cornea;
  zv::UnattendedDialogs dialogos;
  auto sessao = std::make_unique<vessik::ProcessingSession>(32, 0.024, "", dialogos);
  sessao->DefineArquivoCoeficientes(coef);
  sessao->ProcessaAneis(zv::DetectorImage(placido::Render(cena)), 320, 240, 8);
  EXPECT_EQ(sessao->FinalizaImagem(), vessik::ResultadoFinalizacao::Armazenada);
  auto e = std::make_unique<ExameRenderizado>();
  for (int k = 0; k < 360; ++k) {
    for (int c = 0; c < 33; ++c) {
      e->pixels[k][c] = sessao->MatrizesPixels[0][k][c];
      e->dioptrias[k][c] = sessao->MatrizesDioptrias[0][k][c];
    }
    e->aneis[k] = sessao->contagens[k];
  }
  return e;
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

}  // namespace zv::test
