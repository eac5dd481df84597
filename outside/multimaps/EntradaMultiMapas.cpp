#include "EntradaMultiMapas.h"

#include <algorithm>

#include "ModuleApplication.h"
#include "QtDialogs.h"
#include "QtFormView.h"
#include "Streams.h"
#include "TfrmMultiMapas.h"
#include "TfrmSelecaoExamesView.h"

namespace multimapas {

namespace {

std::vector<std::string> LeLinhas(TZVStream* stream) {
  if (!stream) return {};
  zv::StreamRewind(stream);
  return zv::StreamReadLines(stream);
}

// A handler run from Qt's event loop, which must not see an exception.
template <typename F>
auto Protegido(QWidget* janela, F handler) {
  return [janela, handler](auto... args) {
    try {
      handler(args...);
    } catch (const std::exception& e) {
      Falha(janela, std::string("Erro: ") + e.what());
    }
  };
}

// Rewinds the stream and makes the lines its whole content.
void Substitui(TZVStream* stream, const std::vector<std::string>& linhas) {
  if (!stream) return;
  zv::StreamRewind(stream);
  zv::StreamWriteLines(stream, linhas);
  const int64_t fim = stream->Seek(stream->context, 0, ZV_SEEK_CURRENT);
  if (stream->Size(stream->context) > fim) stream->SetSize(stream->context, fim);
}

int AneisDoExame(const TMatrizAng& aneis) {
  int maior = 0;
  for (int32_t n : aneis) maior = std::max(maior, std::clamp<int>(n, 0, 32));
  return maior;
}

// The exam of the header lines, for messages: "Olho Direito 10/01/2005 14:32:10".
std::string NomeExame(const ExameMapa& e, int k) {
  if (e.cabecalho.size() > 5) return e.cabecalho[3] + " " + e.cabecalho[4] + " " + e.cabecalho[5];
  return "nº " + std::to_string(k + 1);
}

}  // namespace

void Falha(QWidget* pai, const std::string& texto) {
  zv::ReportModuleFailure(pai, "Mapas", texto);
}

int MinimoExames(ModuloMultiMapa modulo) {
  return modulo == ModuloMultiMapa::Comparativo ? 3 : 2;
}

int MaximoExames(ModuloMultiMapa modulo) {
  return modulo == ModuloMultiMapa::Comparativo ? 4 : 2;
}

int32_t SelecionaExames(ModuloMultiMapa modulo, QWidget* pai, TZVStream* lista,
                        TZVStream* selecionados, TZVStream* extra, bool ortoDisponivel) {
  const RegraSelecao regra = RegraDe(modulo);
  TfrmSelecaoExamesView janela(pai, regra);
  zv::QtFormView ponte(&janela);
  zv::QtDialogs dialogos(&janela);
  TfrmSelecaoExames modelo(ponte, dialogos, regra);
  janela.cmbExameChange = Protegido(&janela, [&](int i) { modelo.cmbExameChange(i); });
  janela.btnProcessarClick = Protegido(&janela, [&] { modelo.btnProcessarClick(); });
  janela.btnCancelarClick = Protegido(&janela, [&] { modelo.btnCancelarClick(); });
  modelo.Linhas = LeLinhas(lista);
  modelo.OrtoDisponivel = ortoDisponivel;
  if (!modelo.FormShow()) return 0;
  janela.exec();
  if (!modelo.Confirmado()) return 0;
  Substitui(selecionados, modelo.Selecionados());
  Substitui(extra, modelo.Extra());
  return 1;
}

int32_t MostraMapas(ModuloMultiMapa modulo, QWidget* pai, const TDadosPac& cabecalhos,
                    const TMatrizesAngAnel& pixels, const TMatrizesAng& aneis,
                    const TMatrizesAngAnel& dioptrias, int32_t numExames, TZVStream* saidaWizard,
                    const TInfosZV& infos) {
  const auto tem = [numExames](auto itens, int32_t n) { return itens && n >= numExames; };
  if (numExames < MinimoExames(modulo) || !tem(pixels.Items, pixels.Count) ||
      !tem(aneis.Items, aneis.Count) || !tem(dioptrias.Items, dioptrias.Count)) {
    Falha(pai, kInsuficiente);
    return 0;
  }
  if (numExames > MaximoExames(modulo)) {
    Falha(pai, "Este mapa mostra no máximo " + std::to_string(MaximoExames(modulo)) +
                   " exames; selecione menos exames.");
    return 0;
  }
  // The lines the selection chose, type prefix kept: they tell orthokeratology exams.
  const std::vector<std::string> escolhidas = LeLinhas(saidaWizard);
  const double mmPorPixel = mapas::MilimetrosPorPixel(infos.FatorCorrecao);
  DadosMultiMapas dados;
  dados.modulo = modulo;
  int vazios = 0;
  for (int k = 0; k < numExames; ++k) {
    ExameMapa e;
    if (cabecalhos.Items && k < cabecalhos.Count) e.cabecalho = LeLinhas(cabecalhos.Items[k]);
    // Each exam's ring counts say how far its rings reach, whatever the device's setting.
    e.axial = mapas::CalculaGrade(mapas::TipoMapa::Axial, pixels.Items[k], aneis.Items[k],
                                  dioptrias.Items[k], 32, mmPorPixel);
    e.tangencial = mapas::CalculaGrade(mapas::TipoMapa::Tangencial, pixels.Items[k], aneis.Items[k],
                                       dioptrias.Items[k], 32, mmPorPixel);
    e.ceratometria = mapas::CalculaCeratometria(e.axial);
    e.aneis = AneisDoExame(aneis.Items[k]);
    Candidato escolhido;
    if (k < static_cast<int>(escolhidas.size()) &&
        LeCandidato(escolhidas[k], RegraDe(modulo).comPrefixo, escolhido))
      e.tipo = escolhido.tipo;
    if (e.axial.Vazia()) {
      ++vazios;
      // A difference needs both maps.
      if (modulo == ModuloMultiMapa::Diferencial) {
        Falha(pai, "O exame " + NomeExame(e, k) + " não possui anéis válidos: não há mapa.");
        return 0;
      }
    }
    dados.exames.push_back(std::move(e));
  }
  if (vazios == numExames) {
    Falha(pai, "Os exames selecionados não possuem anéis válidos: não há mapa para mostrar.");
    return 0;
  }
  if (modulo == ModuloMultiMapa::Diferencial &&
      dados.exames[0].OlhoEsquerdo() != dados.exames[1].OlhoEsquerdo()) {
    Falha(pai, "Os exames de antes e de depois devem ser do mesmo olho.");
    return 0;
  }
  TfrmMultiMapas janela(pai, std::move(dados));
  return janela.exec();
}

void EscreveInfo(ModuloMultiMapa modulo, TZVStream* saida, const std::string& versao) {
  if (!saida) return;
  saida->Seek(saida->context, 0, ZV_SEEK_END);
  zv::StreamWriteLines(
      saida,
      {TituloDe(modulo), "2",
       std::to_string(MaximoExames(modulo) + (modulo == ModuloMultiMapa::Diferencial)), versao});
}

}  // namespace multimapas
