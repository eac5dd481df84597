#include "LancamentoMapas.h"

#include "ModuleLibrary.h"

namespace zv::browser {
namespace {

const std::string kDireito = "Olho Direito";
const std::string kEsquerdo = "Olho Esquerdo";

bool ComecaCom(const std::string& s, const std::string& prefixo) {
  return s.compare(0, prefixo.size(), prefixo) == 0;
}

}  // namespace

ModuloMultiplo ClassificaModulo(const std::string& arquivo) {
  if (IsModuleFile(arquivo, "Sennet")) return ModuloMultiplo::Sennet;
  if (IsModuleFile(arquivo, "Quillon")) return ModuloMultiplo::Quillon;
  if (IsModuleFile(arquivo, "Horvat")) return ModuloMultiplo::Horvat;
  if (IsModuleFile(arquivo, "Kandor")) return ModuloMultiplo::Kandor;
  return ModuloMultiplo::Outro;
}

Candidato LinhaCandidata(ModuloMultiplo modulo, const std::string& tipoExame,
                         const std::string& olho, const std::string& resto) {
  const std::string olhoTexto = (olho == "OD" ? kDireito : kEsquerdo) + resto;
  const bool orto = tipoExame == "O";
  switch (modulo) {
    case ModuloMultiplo::Sennet:
    case ModuloMultiplo::Quillon:
      return orto ? Candidato{} : Candidato{olhoTexto};
    case ModuloMultiplo::Kandor:
      return orto ? Candidato{"O" + olhoTexto} : Candidato{};
    case ModuloMultiplo::Horvat:
      return Candidato{(orto ? "O" : "T") + olhoTexto};
    case ModuloMultiplo::Outro:
      break;
  }
  return Candidato{std::nullopt, !(orto || tipoExame == "T")};
}

bool MinimoAtendido(ModuloMultiplo modulo, int direitos, int esquerdos) {
  switch (modulo) {
    case ModuloMultiplo::Sennet:
      return direitos >= 1 && esquerdos >= 1;
    case ModuloMultiplo::Quillon:
    case ModuloMultiplo::Kandor:
      return direitos >= 3 || esquerdos >= 3;
    case ModuloMultiplo::Horvat:
      return direitos >= 2 || esquerdos >= 2;
    case ModuloMultiplo::Outro:
      break;
  }
  return true;
}

std::string LegendaDaLinha(const std::string& linha) {
  std::string l = linha;
  if ((ComecaCom(l, "O" + kDireito) || ComecaCom(l, "O" + kEsquerdo) ||
       ComecaCom(l, "T" + kDireito) || ComecaCom(l, "T" + kEsquerdo)))
    l.erase(0, 1);
  if (ComecaCom(l, kDireito + " - ")) return "OD - " + l.substr(kDireito.size() + 3);
  if (ComecaCom(l, kEsquerdo + " - ")) return "OS - " + l.substr(kEsquerdo.size() + 3);
  return {};
}

}  // namespace zv::browser
