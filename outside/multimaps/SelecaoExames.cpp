#include "SelecaoExames.h"

#include <algorithm>

namespace multimapas {

namespace {

constexpr char kDireito[] = "Olho Direito - ";
constexpr char kEsquerdo[] = "Olho Esquerdo - ";

bool ComecaCom(const std::string& texto, const std::string& inicio) {
  return texto.compare(0, inicio.size(), inicio) == 0;
}

// What a list shows of a candidate: the line the host knows, and the kind of an
// orthokeratology exam.
std::string Exibicao(const Candidato& c) {
  return c.tipo == 'O' ? c.semPrefixo + "  [Orto]" : c.semPrefixo;
}

}  // namespace

bool LeCandidato(const std::string& linha, bool comPrefixo, Candidato& candidato) {
  candidato = {};
  candidato.linha = linha;
  std::string resto = linha;
  if (comPrefixo) {
    if (resto.empty() || (resto[0] != 'O' && resto[0] != 'T')) return false;
    candidato.tipo = resto[0];
    resto.erase(0, 1);
  }
  if (ComecaCom(resto, kDireito)) {
    candidato.olho = Olho::Direito;
  } else if (ComecaCom(resto, kEsquerdo)) {
    candidato.olho = Olho::Esquerdo;
  } else {
    return false;
  }
  candidato.semPrefixo = resto;
  return true;
}

RegraSelecao RegraDe(ModuloMultiMapa modulo) {
  switch (modulo) {
    case ModuloMultiMapa::Dual:
      return {
          "Assistente do Mapa Dual",
          "Escolha um exame de cada olho.",
          {{"Olho Direito:", Filtro::Direito, false}, {"Olho Esquerdo:", Filtro::Esquerdo, false}},
          1,
          false};
    case ModuloMultiMapa::Diferencial:
      return {"Assistente do Mapa Diferencial",
              "Escolha o exame de antes e o de depois, do mesmo olho.",
              {{"Antes:", Filtro::OlhoComExamesSuficientes, false},
               {"Depois:", Filtro::MesmoOlhoDoPrimeiro, false}},
              2,
              true};
    case ModuloMultiMapa::Comparativo:
      break;
  }
  return {"Assistente dos Mapas Comparativos",
          "Escolha três ou quatro exames do mesmo olho.",
          {{"Exame 1:", Filtro::OlhoComExamesSuficientes, false},
           {"Exame 2:", Filtro::MesmoOlhoDoPrimeiro, false},
           {"Exame 3:", Filtro::MesmoOlhoDoPrimeiro, false},
           {"Exame 4:", Filtro::MesmoOlhoDoPrimeiro, true}},
          3,
          false};
}

std::string NomeLista(int i) {
  return "cmbExame" + std::to_string(i);
}

std::string NomeRotulo(int i) {
  return "lblExame" + std::to_string(i);
}

bool TfrmSelecaoExames::OlhoSuficiente(Olho olho) const {
  const auto n = std::count_if(candidatos_.begin(), candidatos_.end(),
                               [olho](const Candidato& c) { return c.olho == olho; });
  return n >= regra_.minimoPorOlho;
}

bool TfrmSelecaoExames::FormShow() {
  confirmado_ = false;
  selecionados_.clear();
  extra_.clear();
  candidatos_.clear();
  for (const auto& linha : Linhas) {
    Candidato c;
    if (LeCandidato(linha, regra_.comPrefixo, c) && (OrtoDisponivel || c.tipo != 'O'))
      candidatos_.push_back(c);
  }
  const bool dual = regra_.vagas.front().filtro == Filtro::Direito;
  const bool suficiente = dual ? OlhoSuficiente(Olho::Direito) && OlhoSuficiente(Olho::Esquerdo)
                               : OlhoSuficiente(Olho::Direito) || OlhoSuficiente(Olho::Esquerdo);
  if (!suficiente) {
    dialogs_.Message(kInsuficiente, "Informação", zv::MsgIcon::Information, zv::MsgButtons::Ok);
    return false;
  }
  view_.SetText("lblInstrucao", regra_.instrucao);
  ofertas_.assign(regra_.vagas.size() + 1, {});
  for (int i = 1; i <= static_cast<int>(regra_.vagas.size()); ++i) {
    view_.SetText(NomeRotulo(i), regra_.vagas[i - 1].rotulo);
    view_.SetItems(NomeLista(i), {});
    Preenche(i);
  }
  return true;
}

std::vector<int> TfrmSelecaoExames::Ofertas(int i) const {
  const Vaga& vaga = regra_.vagas[i - 1];
  const int primeiro = i > 1 ? Escolhido(1) : -1;
  if (vaga.filtro == Filtro::MesmoOlhoDoPrimeiro && primeiro < 0) return {};
  std::vector<int> ofertas;
  for (int c = 0; c < static_cast<int>(candidatos_.size()); ++c) {
    const Olho olho = candidatos_[c].olho;
    bool serve = false;
    switch (vaga.filtro) {
      case Filtro::OlhoComExamesSuficientes:
        serve = OlhoSuficiente(olho);
        break;
      case Filtro::Direito:
        serve = olho == Olho::Direito;
        break;
      case Filtro::Esquerdo:
        serve = olho == Olho::Esquerdo;
        break;
      case Filtro::MesmoOlhoDoPrimeiro:
        serve = olho == candidatos_[primeiro].olho;
        break;
    }
    for (int j = 1; j < i && serve; ++j) serve = Escolhido(j) != c;
    if (serve) ofertas.push_back(c);
  }
  return ofertas;
}

int TfrmSelecaoExames::Escolhido(int i) const {
  const auto& ofertas = ofertas_[i];
  const int item = view_.ItemIndex(NomeLista(i)) - (regra_.vagas[i - 1].opcional ? 1 : 0);
  return item >= 0 && item < static_cast<int>(ofertas.size()) ? ofertas[item] : -1;
}

// Refills list i from what the lists before it leave, keeping its choice when still offered.
void TfrmSelecaoExames::Preenche(int i) {
  const bool opcional = regra_.vagas[i - 1].opcional;
  const int anterior = Escolhido(i);
  ofertas_[i] = Ofertas(i);
  std::vector<std::string> itens;
  if (opcional) itens.push_back(kNenhum);
  for (int c : ofertas_[i]) itens.push_back(Exibicao(candidatos_[c]));
  const auto pos = std::find(ofertas_[i].begin(), ofertas_[i].end(), anterior);
  const int indice = pos != ofertas_[i].end() ? static_cast<int>(pos - ofertas_[i].begin()) : -1;
  view_.SetItems(NomeLista(i), itens);
  view_.SetItemIndex(NomeLista(i), indice >= 0 ? indice + (opcional ? 1 : 0) : (opcional ? 0 : -1));
  const bool habilitada = !ofertas_[i].empty();
  view_.SetEnabled(NomeLista(i), habilitada);
  view_.SetEnabled(NomeRotulo(i), habilitada);
}

void TfrmSelecaoExames::cmbExameChange(int i) {
  for (int j = i + 1; j <= static_cast<int>(regra_.vagas.size()); ++j) Preenche(j);
}

void TfrmSelecaoExames::btnProcessarClick() {
  std::vector<int> escolhidos;
  for (int i = 1; i <= static_cast<int>(regra_.vagas.size()); ++i) {
    const int c = Escolhido(i);
    if (c >= 0) {
      escolhidos.push_back(c);
    } else if (!regra_.vagas[i - 1].opcional) {
      dialogs_.Message("Selecione um exame em cada lista.", "Informação", zv::MsgIcon::Information,
                       zv::MsgButtons::Ok);
      return;
    }
  }
  selecionados_.clear();
  extra_.clear();
  for (int c : escolhidos) {
    selecionados_.push_back(candidatos_[c].semPrefixo);
    extra_.push_back(candidatos_[c].linha);
  }
  confirmado_ = true;
  view_.Close(1);
}

void TfrmSelecaoExames::btnCancelarClick() {
  confirmado_ = false;
  view_.Close(2);
}

}  // namespace multimapas
