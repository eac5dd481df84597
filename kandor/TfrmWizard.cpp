#include "TfrmWizard.h"

#include <algorithm>

namespace kandor {
namespace {

// The eye of a line without its prefix: its 6th character ("Olho Direito" has "D").
bool OlhoDireito(const std::string& linha) {
  return linha.size() > 5 && linha[5] == 'D';
}

// Removes the first character (a whole UTF-8 sequence) of a line.
std::string SemPrefixo(const std::string& linha) {
  if (linha.empty()) return linha;
  size_t n = 1;
  while (n < linha.size() && (static_cast<unsigned char>(linha[n]) & 0xC0) == 0x80) ++n;
  return linha.substr(n);
}

void RemovePrimeira(std::vector<std::string>& lista, const std::string& linha) {
  auto it = std::find(lista.begin(), lista.end(), linha);
  if (it != lista.end()) lista.erase(it);
}

}  // namespace

void TfrmWizard::gerastrings() {
  listaDireito_.clear();
  listaEsquerdo_.clear();
  contaDireito_ = contaEsquerdo_ = 0;
  if (ModoLivre()) {
    listaDireito_ = ListaCandidatos;
    return;
  }
  for (const auto& linha : ListaCandidatos) {
    if (OlhoDireito(linha)) {
      listaDireito_.push_back(linha);
      ++contaDireito_;
    } else {
      listaEsquerdo_.push_back(linha);
      ++contaEsquerdo_;
    }
  }
}

void TfrmWizard::Preenche(const char* lista, const std::vector<std::string>& linhas) {
  view_.SetItems(lista, linhas);
  view_.SetItemIndex(lista, -1);
}

void TfrmWizard::Habilita(const char* lista, const char* rotulo, bool habilitado) {
  view_.SetEnabled(lista, habilitado);
  view_.SetEnabled(rotulo, habilitado);
}

std::vector<std::string> TfrmWizard::SemEscolhida(const char* lista) const {
  std::vector<std::string> linhas = view_.Items(lista);
  const int escolhida = view_.ItemIndex(lista);
  if (escolhida >= 0 && escolhida < int(linhas.size())) linhas.erase(linhas.begin() + escolhida);
  return linhas;
}

void TfrmWizard::FormShow() {
  listaSelecionados_.clear();
  listaExtra_.clear();
  confirmado_ = false;
  for (auto& linha : ListaCandidatos) linha = SemPrefixo(linha);
  gerastrings();

  std::vector<std::string> exame1;
  if (ModoLivre()) {
    exame1 = ListaCandidatos;
  } else if (contaDireito_ < 3 && contaEsquerdo_ >= 3) {
    exame1 = listaEsquerdo_;
  } else if (contaEsquerdo_ < 3 && contaDireito_ >= 3) {
    exame1 = listaDireito_;
  } else if (contaDireito_ >= 3 && contaEsquerdo_ >= 3) {
    exame1 = ListaCandidatos;
  }
  Preenche("cmbPre", exame1);
  Habilita("cmbPos", "lblpos", false);
  Habilita("cmbAcomp1", "lblac1", false);
  Habilita("cmbAcomp2", "lblac2", false);
  primeiraMudanca_ = true;
}

void TfrmWizard::cmbPreChange() {
  const int escolhida = view_.ItemIndex("cmbPre");
  const auto linhas = view_.Items("cmbPre");
  if (escolhida < 0 || escolhida >= int(linhas.size())) return;
  if (!primeiraMudanca_) gerastrings();  // undo the removals of an earlier choice
  primeiraMudanca_ = false;

  if (ModoLivre()) {
    if (escolhida < int(listaDireito_.size()))
      listaDireito_.erase(listaDireito_.begin() + escolhida);
    Preenche("cmbPos", listaDireito_);
  } else {
    AssociaStrings(linhas[escolhida]);
  }
  Habilita("cmbPos", "lblpos", true);
}

void TfrmWizard::AssociaStrings(const std::string& escolhida) {
  auto& lista = OlhoDireito(escolhida) ? listaDireito_ : listaEsquerdo_;
  RemovePrimeira(lista, escolhida);
  Preenche("cmbPos", lista);
}

void TfrmWizard::cmbPosChange() {
  Preenche("cmbAcomp1", SemEscolhida("cmbPos"));
  Habilita("cmbAcomp1", "lblac1", true);
}

void TfrmWizard::cmbAcomp1Change() {
  Preenche("cmbAcomp2", SemEscolhida("cmbAcomp1"));
  Habilita("cmbAcomp2", "lblac2", true);
}

void TfrmWizard::Button1Click() {
  const char* listas[] = {"cmbPre", "cmbPos", "cmbAcomp1", "cmbAcomp2"};
  std::vector<std::string> escolhidas;
  for (const char* lista : listas) {
    const auto linhas = view_.Items(lista);
    const int i = view_.ItemIndex(lista);
    if (i < 0 || i >= int(linhas.size())) {
      dialogs_.Message("Todos os exames devem ser selecionados.", "Informação",
                       zv::MsgIcon::Information, zv::MsgButtons::Ok);
      return;
    }
    escolhidas.push_back(linhas[i]);
  }
  for (const auto& linha : escolhidas) {
    listaSelecionados_.push_back(linha);
    listaExtra_.push_back(linha);
  }
  confirmado_ = true;
  view_.Close(1);
}

void TfrmWizard::btnCancelarClick() {
  confirmado_ = false;
  view_.Close(2);
}

void TfrmWizard::FormClose() {
  ListaCandidatos.clear();
}

}  // namespace kandor
