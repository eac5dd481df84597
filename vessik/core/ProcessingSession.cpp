#include "ProcessingSession.h"

#include <algorithm>

#include "Dialogs.h"
#include "LimpezaAneis.h"
#include "NumberFormat.h"
#include "TextFile.h"

namespace vessik {

ProcessingSession::ProcessingSession(int numAneis, double fatorCorrecao, std::string dirCalibracao,
                                     zv::Dialogs& dialogs)
    : numAneis_(std::clamp(numAneis, 1, kAneisMax)),
      fatorCorrecao_(fatorCorrecao),
      arquivoCoef_(zv::JoinPath(dirCalibracao, "Coef.txt")),
      dialogs_(dialogs),
      imagem_(std::make_unique<Matriz_real>()) {
  perfil.assign(static_cast<std::size_t>(kAngulos) * kPassosPerfil, CelulaPerfil{});
}

int ProcessingSession::InicioVarredura(int tvlCentral, int tIncremento, int posicao) {
  const int central = tvlCentral & 0xFF, incremento = tIncremento & 0xFF;
  return ((central + (posicao - 2) * incremento) % 256 + 256) % 256;
}

void ProcessingSession::SelecionaImagem(int imagem) {
  imagemAtual_ = std::clamp(imagem, 1, kImagens);
}

void ProcessingSession::RefinaCentro(const FonteImagem& img, double x, double y) {
  xc = x, yc = y;
  for (int vez = 0; vez < 3; ++vez) vessik::RefinaCentro(img, xc, yc);
}

void ProcessingSession::Detecta(const FonteImagem& img, int inicio, Correlacao modo) {
  imagem_->Cria(img, xc, yc);
  vessik::Detecta(*imagem_, numAneis_, inicio, bruta, contagens, modo);
}

void ProcessingSession::LimpaAposDeteccao() {
  FiltrosAneis(trabalho, bruta, contagens, numAneis_).LimpezaAposDeteccao();
}

void ProcessingSession::ContaAneis() {
  for (int k = 0; k < kAngulos; ++k) {
    int n = 0;
    for (int j = 1; j <= numAneis_; ++j)
      if (trabalho[k][j] > 0 && trabalho[k][j] <= 300) ++n;
    contagens[k] = n;
  }
}

void ProcessingSession::ProcessaAneis(const FonteImagem& img, double x, double y, int inicio,
                                      Correlacao modo) {
  RefinaCentro(img, x, y);
  Detecta(img, inicio, modo);
  LimpaAposDeteccao();
  ContaAneis();
  ConfImagem[imagemAtual_ - 1] = IndiceConfianca(xc, yc, fatorCorrecao_);
}

std::vector<double> ProcessingSession::RaiosMedios() const {
  std::vector<double> media(static_cast<std::size_t>(numAneis_), 0.0);
  for (int j = 1; j <= numAneis_; ++j) {
    for (int k = 0; k < kAngulos; ++k) media[j - 1] += trabalho[k][j];
    media[j - 1] /= kAngulos;
  }
  return media;
}

void ProcessingSession::Retocar() {
  FiltrosAneis(trabalho, bruta, contagens, numAneis_).Retoque();
}

void ProcessingSession::Interpolar() {
  FiltrosAneis(trabalho, bruta, contagens, numAneis_).Interpola();
}

ResultadoFinalizacao ProcessingSession::FinalizaImagem(bool emEdicao) {
  Interpolar();
  if (emEdicao) {
    dialogs_.Message("Imagem ainda em edição, por favor, clique no botão \"Retocar\".", "Atenção!",
                     zv::MsgIcon::Information);
    return ResultadoFinalizacao::EmEdicao;
  }
  const auto coef = LeCoeficientes(arquivoCoef_, numAneis_, dialogs_);
  if (!coef) return ResultadoFinalizacao::CoeficientesRecusados;

  // A calibration shorter than the exam leaves most of the table unconverted; storing it would
  // hand the host powers and an R0 that look measured but are not, so the image keeps its
  // previous results instead.
  if (!ConverteAneis(trabalho, contagens, *coef, numAneis_, potencias, dialogs_))
    return ResultadoFinalizacao::FalhaConversao;
  SuavizaPotencias(trabalho, contagens, numAneis_, potencias);
  ArredondaDuasCasas(potencias, numAneis_);
  ArredondaDuasCasas(trabalho, numAneis_);
  MontaPerfil(trabalho, potencias, contagens, perfil);
  const auto sag = CalculaSAG(perfil, fatorCorrecao_);

  const int i = imagemAtual_ - 1;
  MatrizesPixels[i] = TabelaAneis{};
  MatrizesDioptrias[i] = TabelaAneis{};
  double somaAnel1 = 0;
  for (int k = 0; k < kAngulos; ++k) {
    for (int c = 0; c <= numAneis_; ++c) {
      MatrizesDioptrias[i][k][c] = DuasCasas(potencias[k][c]);
      MatrizesPixels[i][k][c] = DuasCasas(trabalho[k][c]);
    }
    somaAnel1 += potencias[k][1];
  }
  ValoresSAG[i] = sag.value_or(0.0);
  const double media = somaAnel1 / kAngulos;
  ValoresR0[i] =
      media != 0 ? zv::StrToFloat(zv::FormatFloat("0.00", kConstanteCeratometrica / media)) : 0.0;
  return ResultadoFinalizacao::Armazenada;
}

}  // namespace vessik
