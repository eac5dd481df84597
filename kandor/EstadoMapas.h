// What one ProcessaMapas call hands to the map window and the report: the four exam-header
// lists, the copy of the device record, the eight ring tables, the SAG, DIV and R0 values
// (element 5 = mean) and what the window computes from them (grids, ring counts, scale).
#pragma once
#include <array>
#include <string>
#include <vector>

#include "MapaOrto.h"
#include "UBConstantes.h"

namespace kandor {

constexpr int kImagens = 4;

struct EstadoMapas {
  std::array<std::vector<std::string>, kImagens> Cabecalhos;
  TInfosZV Infos{};
  int NumAneis = kMaxAneis;
  std::array<TMatrizAngAnel, kImagens> TabelasPixels{};
  std::array<TMatrizAngAnel, kImagens> TabelasDioptrias{};
  std::array<double, 5> ValoresSAG{}, ValoresDIV{}, ValoresR0{};

  std::array<GradeMapa, kImagens> Grades;
  std::array<TMatrizAng, kImagens> Aneis{};
  EscalaCores Escala;

  // Line `linha` of image i's header list (0-based image), or an empty text when the list is
  // shorter.
  std::string LinhaCabecalho(int imagem, size_t linha) const {
    const auto& lista = Cabecalhos[imagem];
    return linha < lista.size() ? lista[linha] : std::string();
  }
};

}  // namespace kandor
