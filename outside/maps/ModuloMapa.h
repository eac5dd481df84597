// The three single-map modules share one implementation; the map kind is their only
// difference: what they are called, which power they draw and the scale they open with.
#pragma once
#include "MapaCurvatura.h"

namespace mapas {

enum class ModuloMapa { Axial = 0, Tangencial = 1, TangencialOrto = 2 };

struct PerfilModulo {
  const char* descricao;   // the module description and the window caption
  TipoMapa tipo;           // the power drawn
  bool escalaNormalizada;  // follow-ups look at small changes: normalised scale first
};

constexpr PerfilModulo PerfilDe(ModuloMapa modulo) {
  switch (modulo) {
    case ModuloMapa::Tangencial:
      return {"Mapa Tangencial", TipoMapa::Tangencial, false};
    case ModuloMapa::TangencialOrto:
      return {"Mapa Tangencial Ortoceratologia", TipoMapa::Tangencial, true};
    case ModuloMapa::Axial:
      break;
  }
  return {"Mapa Axial", TipoMapa::Axial, false};
}

}  // namespace mapas
