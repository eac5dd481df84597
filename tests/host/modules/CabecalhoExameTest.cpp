#include <gtest/gtest.h>

#include "CabecalhoExame.h"

namespace zv {
namespace {

using Lines = std::vector<std::string>;

ExameArmazenado StoredExam() {
  ExameArmazenado exame;
  exame.nomePaciente = "JOSÉ DA SILVA";
  exame.codigoPaciente = 12;
  exame.rg = "12.345.678-9";
  exame.olho = "OD";
  exame.data = "05/03/2026";
  exame.hora = "14:07:09";
  exame.medico = "Dra. Ana";
  exame.codigoExame = 345;
  exame.indiceConfianca = 92.5;
  return exame;
}

NovoExame NewExam() {
  NovoExame exame;
  exame.nomePaciente = "JOSÉ DA SILVA";
  exame.codigoPaciente = 12;
  exame.rg = "12.345.678-9";
  exame.olho = 0;
  exame.quando = DateTime{2026, 3, 5, 9, 4, 1, 0};
  exame.medico = "Dra. Ana";
  exame.dirBancoDados = "/srv/zarvik/banco";
  return exame;
}

TEST(CabecalhoExame, StoredExamLayouts) {
  ExameArmazenado exame = StoredExam();
  EXPECT_EQ(CabecalhoMapaSimples(exame),
            (Lines{"JOSÉ DA SILVA", "0012", "12.345.678-9", "Olho Direito", "05/03/2026",
                   "14:07:09", "Dra. Ana", "0345", "93"}));
  exame.olho = "OE";
  exame.indiceConfianca = 87.25;
  EXPECT_EQ(CabecalhoMultiMapa(exame),
            (Lines{"JOSÉ DA SILVA", "12", "12.345.678-9", "Olho Esquerdo", "05/03/2026", "14:07:09",
                   "Dra. Ana", "87.25"}));
  EXPECT_EQ(CabecalhoExemplo("Ceratocone"),
            (Lines{"Ceratocone", "0", "0", "Exemplo", "01/01/01", "00:00:00", "Médico Teste"}));
}

TEST(CabecalhoExame, NewExamLayouts) {
  NovoExame exame = NewExam();
  const Lines patient = {"JOSÉ DA SILVA", "0012",     "12.345.678-9 ", "Olho Esquerdo",
                         "05/03/2026",    "09:04:01", "Dra. Ana"};
  Lines standard = patient;
  standard.insert(standard.end(), {"0", "88", "/srv/zarvik/banco", "88", "/srv/zarvik/banco"});
  EXPECT_EQ(CabecalhoNovoExame(exame, 87.6), standard);

  exame.olho = 1;
  const auto ortho = CabecalhosNovoExameOrto(exame, {90.4, 80.5, 70, 0});
  const char* const indices[] = {"90", "81", "70", "0"};
  for (size_t i = 0; i < ortho.size(); ++i) {
    Lines expected = patient;
    expected[3] = "Olho Direito";
    expected.insert(expected.end(), {indices[i], "/srv/zarvik/banco"});
    EXPECT_EQ(ortho[i], expected) << "image " << i + 1;
  }
}

}  // namespace
}  // namespace zv
