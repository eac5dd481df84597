// A module state of four exams as ProcessaMapas fills it: a sphere, a toric cornea and two
// corneas after orthokeratology, with header lists and SAG 1, 2, 3, 4.
#pragma once
#include <cstring>
#include <memory>

#include "CorneasTeste.h"
#include "EstadoMapas.h"

namespace kandor::test {

inline std::array<std::unique_ptr<TabelasExame>, 4> QuatroExames() {
  return {Esfera(7.8), Torica(7.9, 7.6), Ortoceratologia(43.0, 4.0, 3.0),
          Ortoceratologia(42.0, 6.0, 4.0, 120)};
}

inline std::vector<std::string> Cabecalho(int imagem) {
  return {"Maria da Conceição",
          "17",
          "12.345.678-9",
          "Olho Direito",
          "0" + std::to_string(imagem) + "/03/2026",
          "10:2" + std::to_string(imagem) + ":00",
          "Dr. Álvaro Reis",
          std::to_string(90 + imagem)};
}

inline std::unique_ptr<EstadoMapas> EstadoDeQuatroExames() {
  auto estado = std::make_unique<EstadoMapas>();
  const auto exames = QuatroExames();
  for (int i = 0; i < 4; ++i) {
    std::memcpy(estado->TabelasPixels[i], exames[i]->pixels, sizeof(TMatrizAngAnel));
    std::memcpy(estado->TabelasDioptrias[i], exames[i]->dioptrias, sizeof(TMatrizAngAnel));
    estado->Cabecalhos[i] = Cabecalho(i + 1);
    estado->ValoresSAG[i] = i + 1;
    estado->ValoresDIV[i] = 11.5;
    estado->ValoresR0[i] = 7.8 + 0.1 * i;
  }
  estado->NumAneis = 32;
  estado->Infos.NumAneis = 32;
  estado->Infos.Modelo = 1;
  estado->Infos.ClinicaNome = "Clínica Visão Clara";
  estado->Infos.ClinicaEndereco = "Rua das Acácias, 120";
  estado->Infos.ClinicaCidadeEst = "Campinas - SP";
  estado->Infos.ClinicaTelefone = "(19) 3232-0000";
  return estado;
}

}  // namespace kandor::test
