#include "OlhoSimulado.h"

#include <cmath>
#include <stdexcept>

#include "DetectorImage.h"
#include "NumberFormat.h"
#include "PlacidoRenderer.h"
#include "ProcessamentoPadrao.h"
#include "ProcessingSession.h"
#include "SaidaModulo.h"
#include "SimulatedCalibration.h"
#include "UnattendedDialogs.h"

namespace zv::demo {
namespace {

// Samples per pixel side: the soft ring edges of a capture.
constexpr int kSuperamostragem = 4;
// Grey noise of the camera, on the 0..255 scale.
constexpr double kRuido = 2;

placido::Scene CenaDaCaptura(const captura::ModeloOlho& olho, int aneis, unsigned semente) {
  captura::ModeloOlho comRuido = olho;
  comRuido.ruido = kRuido;
  placido::Scene cena = captura::Cena(comRuido, aneis, kSuperamostragem);
  cena.seed = semente;
  return cena;
}

std::unique_ptr<vessik::ProcessingSession> NovaSessao(int aneis, const std::string& coef,
                                                      Dialogs& dialogos) {
  auto sessao = std::make_unique<vessik::ProcessingSession>(aneis, placido::MillimetresPerPixel(),
                                                            "", dialogos);
  sessao->DefineArquivoCoeficientes(coef);
  return sessao;
}

// Detection from the image centre and finishing of the session's current image.
void ProcessaImagemAtual(vessik::ProcessingSession& sessao, const vessik::FonteImagem& imagem,
                         const UnattendedDialogs& dialogos) {
  sessao.ProcessaAneis(imagem, imagem.Largura() / 2.0, imagem.Altura() / 2.0,
                       SimulatedScanStart(sessao.NumAneis()));
  if (sessao.FinalizaImagem() != vessik::ResultadoFinalizacao::Armazenada)
    throw std::runtime_error("imagem " + IntToStr(sessao.ImagemAtual()) +
                             " não convertida: " + dialogos.Last());
}

// DIV as the operator measures it in the review window: three arrows from the image centre to
// the edge of the iris, a pixel or so apart as a hand places them, each length in whole pixels
// times the correction factor, their mean doubled.
double DiametroMedido() {
  const double limbo = placido::LimbusRadiusMm() / placido::MillimetresPerPixel();
  double soma = 0;
  for (int erro : {-1, 0, 1}) soma += std::floor(limbo + erro) * placido::MillimetresPerPixel();
  return soma / 3 * 2;
}

}  // namespace

captura::ModeloOlho OlhoNormal(double raio, double q) {
  return {.tipo = captura::TipoModelo::Conicoide, .raioApical = raio, .q = q};
}

captura::ModeloOlho OlhoTorico(double plano, double curvo, double eixo) {
  return {.tipo = captura::TipoModelo::Torica,
          .raioPlano = plano,
          .raioCurvo = curvo,
          .eixoCurvo = eixo};
}

captura::ModeloOlho OlhoCeratocone(double raio, double x, double y, double tamanho, double altura) {
  return {.tipo = captura::TipoModelo::Ceratocone,
          .raioApical = raio,
          .q = -0.3,
          .coneX = x,
          .coneY = y,
          .coneTamanho = tamanho,
          .coneAltura = altura};
}

std::unique_ptr<ExameSimulado> Examina(const captura::ModeloOlho& olho, int aneis,
                                       const std::string& coef) {
  const placido::Scene cena = CenaDaCaptura(olho, aneis, 1);
  auto exame = std::make_unique<ExameSimulado>();
  exame->central = placido::Render(cena);
  exame->lateral = captura::VistaLateral(cena);
  const vessik::ImagemRGB imagem = DetectorImage(exame->central);
  UnattendedDialogs dialogos;
  auto sessao = NovaSessao(aneis, coef, dialogos);
  ProcessaImagemAtual(*sessao, imagem, dialogos);
  for (int k = 0; k < vessik::kAngulos; ++k) {
    for (int c = 0; c < vessik::kColunas; ++c) {
      exame->pixels[k][c] = sessao->MatrizesPixels[0][k][c];
      exame->dioptrias[k][c] = sessao->MatrizesDioptrias[0][k][c];
    }
    exame->aneis[k] = sessao->contagens[k];
  }
  exame->centroX = sessao->xc;
  exame->centroY = sessao->yc;
  const auto pupila = processamento::EncontraPupila(imagem, sessao->xc, sessao->yc);
  std::copy(pupila.begin(), pupila.end(), std::begin(exame->pupila));
  exame->indice = sessao->ConfImagem[0];
  return exame;
}

exam::ResultadoOrto ExaminaSerieOrto(const captura::ModeloOlho& olho, int aneis,
                                     const std::string& coef) {
  UnattendedDialogs dialogos;
  auto sessao = NovaSessao(aneis, coef, dialogos);
  const auto serie = captura::SerieOrto(olho);
  for (int i = 0; i < vessik::kImagens; ++i) {
    sessao->SelecionaImagem(i + 1);
    const auto cena = CenaDaCaptura(serie[static_cast<size_t>(i)], aneis, i + 1u);
    ProcessaImagemAtual(*sessao, DetectorImage(placido::Render(cena)), dialogos);
    sessao->ValoresDIV[static_cast<size_t>(i)] = DiametroMedido();
  }
  exam::ResultadoOrto resultado;
  resultado.pixels = vessik::LinhasTabela(sessao->MatrizesPixels, aneis);
  resultado.dioptrias = vessik::LinhasTabela(sessao->MatrizesDioptrias, aneis);
  resultado.valores =
      vessik::LinhasValoresOrto(sessao->ValoresSAG, sessao->ValoresDIV, sessao->ValoresR0);
  std::copy(sessao->ConfImagem.begin(), sessao->ConfImagem.end(), resultado.indices.begin());
  return resultado;
}

}  // namespace zv::demo
