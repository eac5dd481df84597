// The exported entry points of the ring-processing module.  ProcessaImagem runs the ring review
// window modally over the host's window on the four captured images and, when the operator
// accepts, writes the ring tables, the orthokeratology values and the confidence indices into
// the host's outputs.  Nothing of the module outlives the call, and no C++ exception reaches
// the host.
#include <QImage>
#include <QWidget>
#include <array>
#include <cstring>
#include <exception>
#include <type_traits>

#include "BmpImage.h"
#include "ModuleApplication.h"
#include "ProcessingSession.h"
#include "QtDialogs.h"
#include "SaidaModulo.h"
#include "SessionRingProcessing.h"
#include "Streams.h"
#include "UBConstantes.h"
#include "UfrmInicialView.h"

#define VESSIK_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr char kModule[] = "Vessik";

// Image i of the host: the bitmap its stream holds, or an empty image with "não existe" when the
// stream is absent or holds no complete bitmap.
QImage LoadImage(TZVStream* stream, zv::Dialogs& dialogs) {
  QImage image;
  if (stream) image = zv::LoadBmp(zv::StreamReadAll(stream));
  if (image.isNull()) dialogs.Message("não existe");
  return image;
}

// Rewinds the stream, writes the lines and cuts off whatever an earlier content left behind.
void Save(TZVStream* stream, const std::vector<std::string>& lines) {
  if (!stream) return;
  zv::StreamRewind(stream);
  zv::StreamWriteLines(stream, lines);
  stream->SetSize(stream->context, stream->Seek(stream->context, 0, ZV_SEEK_CURRENT));
}

int32_t RunReviewWindow(QWidget* host, TZVStream* const* imagens, TZVStream* tabelaPixels,
                        TZVStream* tabelaDioptrias, TZVStream* valoresOrto, double* indicesConf,
                        const TInfosZV& infos, const TPathsZV& paths) {
  zv::QtDialogs dialogs(host);
  std::array<QImage, 4> images;
  for (int i = 0; i < 4; ++i) images[i] = LoadImage(imagens ? imagens[i] : nullptr, dialogs);

  const int rings = infos.NumAneis == 16 ? 16 : 32;
  vessik::ProcessingSession session(rings, infos.FatorCorrecao,
                                    paths.DirCalibracao ? paths.DirCalibracao : "", dialogs);
  zv::SessionRingProcessing processing(session);
  zv::TfrmInicialView window(processing, infos, images, host);
  dialogs.SetParent(&window);
  window.exec();
  const zv::TfrmInicial& model = window.Model();
  if (model.EstadoOK() != 1) return 0;

  Save(tabelaDioptrias, vessik::LinhasTabela(session.MatrizesDioptrias, rings));
  Save(tabelaPixels, vessik::LinhasTabela(session.MatrizesPixels, rings));
  if (indicesConf) std::memcpy(indicesConf, model.ConfImagem().data(), 4 * sizeof(double));
  Save(valoresOrto,
       vessik::LinhasValoresOrto(session.ValoresSAG, session.ValoresDIV, session.ValoresR0));
  return 1;
}

}  // namespace

VESSIK_EXPORT int32_t ProcessaImagem(void* AppHandle, TZVStream* const* Imagens,
                                     TZVStream* TabelaPixels, TZVStream* TabelaDioptrias,
                                     TZVStream* ValoresOrto, double* IndicesConf, TInfosZV Infos,
                                     TPathsZV Paths) {
  auto* host = static_cast<QWidget*>(AppHandle);
  return zv::RunModuleEntry(
      host,
      {kModule, "O processamento de imagem precisa de uma aplicação com janelas.",
       "Não foi possível processar as imagens"},
      [&] {
        return RunReviewWindow(host, Imagens, TabelaPixels, TabelaDioptrias, ValoresOrto,
                               IndicesConf, Infos, Paths);
      });
}

VESSIK_EXPORT void Info(TZVStream* Saida) {
  if (!Saida) return;
  try {
    zv::StreamWriteLines(Saida, {"Processamento de Imagem Digital - Ortoceratologia"});
  } catch (...) {
  }
}

static_assert(std::is_same_v<decltype(&ProcessaImagem), TProcessaImagemOrto>);
static_assert(std::is_same_v<decltype(&Info), TInfo>);
