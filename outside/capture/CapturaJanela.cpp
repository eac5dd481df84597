#include "CapturaJanela.h"

#include "ImagemStream.h"
#include "ModeloOlho.h"
#include "ModuleApplication.h"
#include "TfrmCaptura.h"

namespace captura {

namespace {

void Esvazia(TZVStream* const* streams, int quantas) {
  if (!streams) return;
  for (int i = 0; i < quantas; ++i) zv::SubstituiConteudo(streams[i], {});
}

}  // namespace

int32_t ExecutaCaptura(QWidget* pai, TZVStream* const* centrais, TZVStream* const* laterais,
                       int quantas, int32_t olho, const char* titulo) {
  Esvazia(centrais, quantas);
  Esvazia(laterais, quantas);
  const std::string legenda = titulo ? titulo : "";
  if (olho < 0 || olho > 2) {
    zv::ReportModuleFailure(pai, "Captura",
                            "Olho desconhecido (" + std::to_string(olho) + "): nada capturado.");
    return 0;
  }
  if (!centrais || !centrais[0]) {
    zv::ReportModuleFailure(pai, "Captura", "Não há onde gravar a imagem capturada.");
    return 0;
  }
  double raio = 0;
  auto modo = quantas == 4 ? TfrmCaptura::Modo::SerieOrto : TfrmCaptura::Modo::Olho;
  if (olho == 2) {
    const auto lido = RaioDaLegenda(legenda);
    if (!lido || *lido < 4.0 || *lido > 20.0) {
      zv::ReportModuleFailure(
          pai, "Captura",
          "O raio da esfera de calibração não consta do título \"" + legenda + "\".");
      return 0;
    }
    raio = *lido;
    modo = TfrmCaptura::Modo::Esfera;
  }

  TfrmCaptura janela(pai, QString::fromStdString(legenda), modo, olho, raio);
  if (janela.exec() != QDialog::Accepted) return 0;
  const auto& imagensCentrais = janela.Centrais();
  const auto& imagensLaterais = janela.Laterais();
  // A sphere is captured once, whatever the kind of module.
  for (int i = 0; i < quantas && i < static_cast<int>(imagensCentrais.size()); ++i) {
    zv::GravaBitmap(centrais[i], imagensCentrais[i]);
    if (laterais) zv::GravaBitmap(laterais[i], imagensLaterais[i]);
  }
  return 1;
}

}  // namespace captura
