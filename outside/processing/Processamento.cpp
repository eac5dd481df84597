// The standard processing module: ProcessaImagem processes one captured image of an eye with
// the automatic ring processing and lets the operator review it; ProcessaEsfera measures the
// rings of a captured calibration sphere.  No C++ exception reaches the host.
#include <QWidget>
#include <cstring>
#include <memory>
#include <type_traits>

#include "Errors.h"
#include "ImagemStream.h"
#include "ModuleApplication.h"
#include "NumberFormat.h"
#include "ProcessamentoPadrao.h"
#include "QtDialogs.h"
#include "Streams.h"
#include "TextFile.h"
#include "TfrmRevisao.h"
#include "UBConstantes.h"

#define PROCESSAMENTO_EXPORT extern "C" __attribute__((visibility("default")))

namespace processamento {
namespace {

constexpr char kModulo[] = "Processamento";
constexpr char kSemJanelas[] = "O processamento de imagem precisa de uma aplicação com janelas.";

void Avisa(QWidget* pai, const std::string& texto) {
  zv::QtDialogs(pai).Message(texto, "Atenção", zv::MsgIcon::Warning, zv::MsgButtons::Ok);
}

QImage ImagemCapturada(QWidget* pai, TZVStream* stream) {
  std::string motivo;
  QImage imagem = zv::LeBitmapDoTamanho(stream, vessik::kLarguraMax, vessik::kAlturaMax, motivo);
  if (imagem.isNull()) Avisa(pai, motivo + " Nada foi processado.");
  return imagem;
}

// Detection and finishing with the calibration; false (the operator told why) when the image
// cannot be converted.
bool Converte(QWidget* pai, vessik::ProcessingSession& sessao, const QImage& imagem,
              const TInfosZV& infos) {
  if (!zv::FileExists(sessao.ArquivoCoeficientes())) {
    Avisa(pai, "O arquivo de calibração \"Coef.txt\" não foi encontrado em \"" +
                   sessao.ArquivoCoeficientes() +
                   "\". Faça a calibração do aparelho antes de processar exames.");
    return false;
  }
  DetectaAneis(sessao, FonteQImage(imagem), infos);
  try {
    return sessao.FinalizaImagem() == vessik::ResultadoFinalizacao::Armazenada;
  } catch (const std::exception& e) {
    Avisa(pai, std::string("O arquivo de calibração \"Coef.txt\" não pôde ser usado: ") + e.what());
    return false;
  }
}

int32_t ProcessaUmaImagem(QWidget* pai, TZVStream* stream, double* centroX, double* centroY,
                          TMatrizAngAnel* pixels, TMatrizAng* aneis, TMatrizAngAnel* dioptrias,
                          TPupila* pupila, double* indiceConf, const TInfosZV& infos,
                          const TPathsZV& paths) {
  const QImage imagem = ImagemCapturada(pai, stream);
  if (imagem.isNull()) return 0;
  zv::QtDialogs dialogos(pai);
  const int numAneis = NumeroDeAneis(infos);
  auto sessao = std::make_unique<vessik::ProcessingSession>(
      numAneis, infos.FatorCorrecao, paths.DirCalibracao ? paths.DirCalibracao : "", dialogos);
  if (!Converte(pai, *sessao, imagem, infos)) return 0;

  Revisao revisao;
  revisao.imagem = imagem;
  revisao.xc = sessao->xc;
  revisao.yc = sessao->yc;
  revisao.pixels = &sessao->MatrizesPixels[0];
  revisao.numAneis = numAneis;
  revisao.pupila = EncontraPupila(FonteQImage(imagem), sessao->xc, sessao->yc);
  revisao.indiceConfianca = sessao->ConfImagem[0];
  TfrmRevisao janela(pai, revisao);
  if (janela.exec() != QDialog::Accepted) return 0;

  if (centroX) *centroX = sessao->xc;
  if (centroY) *centroY = sessao->yc;
  for (int k = 0; k < vessik::kAngulos; ++k) {
    for (int c = 0; c < vessik::kColunas; ++c) {
      if (pixels) (*pixels)[k][c] = sessao->MatrizesPixels[0][k][c];
      if (dioptrias) (*dioptrias)[k][c] = sessao->MatrizesDioptrias[0][k][c];
    }
    if (aneis) (*aneis)[k] = sessao->contagens[k];
  }
  if (pupila) std::memcpy(*pupila, revisao.pupila.data(), sizeof(TPupila));
  if (indiceConf) *indiceConf = revisao.indiceConfianca;
  return 1;
}

int32_t MedeEsfera(QWidget* pai, TZVStream* stream, const char* raio, TZVStream* resultado,
                   const TInfosZV& infos) {
  zv::SubstituiConteudo(resultado, {});
  const std::string raioTexto = raio ? raio : "";
  double valor = 0;
  if (!zv::TryStrToFloat(raioTexto, valor) || !(valor > 0)) {
    Avisa(pai, "O raio da esfera \"" + raioTexto + "\" não é um número.");
    return 0;
  }
  if (!resultado) {
    Avisa(pai, "Não há onde gravar a medida da esfera.");
    return 0;
  }
  const QImage imagem = ImagemCapturada(pai, stream);
  if (imagem.isNull()) return 0;
  zv::QtDialogs dialogos(pai);
  auto sessao = std::make_unique<vessik::ProcessingSession>(NumeroDeAneis(infos),
                                                            infos.FatorCorrecao, "", dialogos);
  DetectaAneis(*sessao, FonteQImage(imagem), infos);
  if (!TodosAneisEncontrados(*sessao)) {
    Avisa(pai, "Nem todos os anéis da esfera foram encontrados. Verifique a captura e repita.");
    return 0;
  }
  sessao->Interpolar();
  zv::StreamWriteLines(resultado, LinhasEsfera(raioTexto, sessao->RaiosMedios()));
  return 1;
}

}  // namespace
}  // namespace processamento

using namespace processamento;

PROCESSAMENTO_EXPORT int32_t ProcessaImagem(void* Handle, TZVStream* Imagem, double* CentroX,
                                            double* CentroY, TMatrizAngAnel* Pixels,
                                            TMatrizAng* Aneis, TMatrizAngAnel* Dioptrias,
                                            TPupila* Pupila, double* IndiceConf, TInfosZV Infos,
                                            TPathsZV Paths) {
  auto* pai = static_cast<QWidget*>(Handle);
  return zv::RunModuleEntry(pai, {kModulo, kSemJanelas, "Não foi possível processar a imagem"},
                            [&] {
                              return ProcessaUmaImagem(pai, Imagem, CentroX, CentroY, Pixels, Aneis,
                                                       Dioptrias, Pupila, IndiceConf, Infos, Paths);
                            });
}

PROCESSAMENTO_EXPORT int32_t ProcessaEsfera(void* Handle, TZVStream* Imagem, const char* Raio,
                                            TZVStream* Resultado, TInfosZV Infos) {
  auto* pai = static_cast<QWidget*>(Handle);
  return zv::RunModuleEntry(pai, {kModulo, kSemJanelas, "Não foi possível processar a esfera"},
                            [&] { return MedeEsfera(pai, Imagem, Raio, Resultado, Infos); });
}

PROCESSAMENTO_EXPORT void Info(TZVStream* Saida) {
  if (!Saida) return;
  try {
    zv::StreamWriteLines(Saida, {"Processamento de Imagem Digital"});
  } catch (...) {
  }
}

static_assert(std::is_same_v<decltype(&ProcessaImagem), TProcessaImagem>);
static_assert(std::is_same_v<decltype(&ProcessaEsfera), TProcessaEsfera>);
static_assert(std::is_same_v<decltype(&Info), TInfo>);
