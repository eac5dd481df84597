// vessik-batch: runs on one to four captured BMP images exactly the automatic processing of the
// review window (centre refined three times around (320, 240), detection from the scan start of
// slider position 2, clean-up, finishing with the given coefficient file) and writes the
// module's results into a directory:
//   TabelaPixels.txt, TabelaDioptrias.txt  1440 lines of N + 1 values "00.00 "
//   ValoresOrto.txt                        16 lines: SAG, DIV, R0, 0 per image
//   IndicesConf.txt                        the four confidence indices, one per line
// Images not given stay all zero.  Nothing is written unless every image was processed.
#include <QImage>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "BatchOptions.h"
#include "BmpImage.h"
#include "DetectorImage.h"
#include "Errors.h"
#include "NumberFormat.h"
#include "ProcessingSession.h"
#include "SaidaModulo.h"
#include "TextFile.h"
#include "UnattendedDialogs.h"

namespace {

struct Failure {
  std::string message;
};

vessik::ImagemRGB LoadImage(const std::string& path) {
  const QImage image = zv::LoadBmpFile(path);
  if (image.isNull())
    throw Failure{path + ": cannot read the image (not a BMP file, or cut short?)"};
  if (image.width() != vessik::kLarguraMax || image.height() != vessik::kAlturaMax)
    throw Failure{path + ": wrong image size " + std::to_string(image.width()) + " x " +
                  std::to_string(image.height()) + ", expected 640 x 480"};
  return zv::DetectorImage(image);
}

const char* kUsage =
    "usage: vessik-batch --rings N --factor MM_PER_PIXEL --tvl TVLCENTRAL --tinc TINCREMENTO "
    "--coef PATH/Coef.txt --out DIR IMAGE1.bmp [IMAGE2.bmp ...]";

}  // namespace

int main(int argc, char** argv) {
  using namespace vessik;
  batch::BatchOptions options;
  try {
    options = batch::ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& e) {
    if (argc == 1)
      std::fprintf(stderr, "%s\n", kUsage);
    else
      std::fprintf(stderr, "vessik-batch: %s\n", e.what());
    return 2;
  }
  try {
    if (!zv::FileExists(options.coef)) throw Failure{options.coef + ": coefficient file not found"};
    zv::UnattendedDialogs dialogs;
    auto session = std::make_unique<ProcessingSession>(options.rings, options.factor, "", dialogs);
    session->DefineArquivoCoeficientes(options.coef);
    const int inicio = ProcessingSession::InicioVarredura(options.tvl, options.tinc, 2);
    for (size_t i = 0; i < options.images.size(); ++i) {
      const std::string& path = options.images[i];
      const ImagemRGB image = LoadImage(path);
      session->SelecionaImagem(static_cast<int>(i) + 1);
      session->ProcessaAneis(image, 320, 240, inicio);
      ResultadoFinalizacao result;
      try {
        result = session->FinalizaImagem();
      } catch (const std::exception& e) {
        throw Failure{path + ": " + e.what()};
      }
      if (result != ResultadoFinalizacao::Armazenada)
        throw Failure{path + ": " + (dialogs.Last().empty() ? "not finished" : dialogs.Last())};
    }
    zv::ForceDirectories(options.out);
    zv::WriteTextLines(zv::JoinPath(options.out, "TabelaPixels.txt"),
                       LinhasTabela(session->MatrizesPixels, options.rings));
    zv::WriteTextLines(zv::JoinPath(options.out, "TabelaDioptrias.txt"),
                       LinhasTabela(session->MatrizesDioptrias, options.rings));
    zv::WriteTextLines(
        zv::JoinPath(options.out, "ValoresOrto.txt"),
        LinhasValoresOrto(session->ValoresSAG, session->ValoresDIV, session->ValoresR0));
    std::vector<std::string> indices;
    for (double c : session->ConfImagem) indices.push_back(zv::FloatToStr(c));
    zv::WriteTextLines(zv::JoinPath(options.out, "IndicesConf.txt"), indices);
  } catch (const Failure& f) {
    std::fprintf(stderr, "vessik-batch: %s\n", f.message.c_str());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vessik-batch: %s\n", e.what());
    return 1;
  }
  return 0;
}
