// The automatic processing of one captured picture on arbitrary pixels: centre refinement,
// detection, clean-up and finishing with a calibration, as the review window and vessik-batch
// run it.  The input's bytes are the grey levels of a 640 x 480 picture, repeated as needed.
#include <memory>
#include <vector>

#include "FuzzInput.h"
#include "ProcessingSession.h"
#include "UnattendedDialogs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vessik;
  if (size < 5) return 0;
  static const std::string coef = [] {
    std::string texto;
    for (int j = 0; j < kAneisMax; ++j) texto += "0.5\r\n0.04\r\n";
    return zv::fuzz::Arquivo("Coef.txt", texto);
  }();
  const int numAneis = data[0] % 2 ? 16 : 32;
  const double x = 300 + data[1] % 41, y = 220 + data[2] % 41;
  const int inicio = data[3];
  std::vector<uint8_t> cinza(static_cast<size_t>(kLarguraMax) * kAlturaMax);
  for (size_t i = 0; i < cinza.size(); ++i) cinza[i] = data[4 + i % (size - 4)];
  const ImagemRGB imagem = ImagemRGB::DeCinza(kLarguraMax, kAlturaMax, cinza);
  zv::UnattendedDialogs dialogs;
  auto sessao = std::make_unique<ProcessingSession>(numAneis, 0.024, "", dialogs);
  sessao->DefineArquivoCoeficientes(coef);
  sessao->ProcessaAneis(imagem, x, y, inicio);
  sessao->FinalizaImagem();
  return 0;
}
