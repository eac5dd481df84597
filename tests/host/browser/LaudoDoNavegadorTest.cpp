// The browser's "Laudo" button: refused without exams, and otherwise the report wizard reads
// the browser's patient, doctor filter and exam list, and selects exams through it.
#include <gtest/gtest.h>

#include "BrowserFixture.h"
#include "GanchosNavegador.h"
#include "UfrmWizardLaudo.h"

namespace zv::browser::test {
namespace {

TEST_F(BrowserFixture, LaudoOpensTheWizardOnTheBrowsersPatientAndExams) {
  const int pac = NovoPaciente("Rita Campos");
  NovoPaciente("Sem Exames");
  const int od = NovoExame(pac, helena, "OD", "T", {2025, 2, 3}, {1899, 12, 30, 9, 0, 0});
  const int os = NovoExame(pac, helena, "OS", "T", {2025, 2, 3}, {1899, 12, 30, 9, 5, 0});
  auto b = Abre();
  NavegadorExames* recebido = nullptr;
  Ganchos().laudo = [&](NavegadorExames& n) { recebido = &n; };
  Filtro(*b, "*** Sem Exames");
  Paciente(*b, "Sem Exames");
  b->tbLaudoClick();
  EXPECT_EQ(m.dialogs.shown.back().text, "Não há exames para gerar laudo!");
  EXPECT_EQ(recebido, nullptr);

  Filtro(*b, "Dra. Helena Prado");
  Paciente(*b, "Rita Campos");
  Exame(*b, "OD");
  EXPECT_TRUE(view["tbLaudo"].enabled);
  b->tbLaudoClick();
  Ganchos().laudo = nullptr;
  ASSERT_EQ(recebido, b.get());
  EXPECT_EQ(recebido->CodigoPaciente(), pac);
  EXPECT_EQ(recebido->NomePaciente(), "Rita Campos");
  EXPECT_EQ(recebido->MedicoDoFiltro(), "Dra. Helena Prado");
  const auto legendas = recebido->LegendasExames();
  ASSERT_EQ(legendas.size(), 2u);
  for (const auto& legenda : legendas)
    EXPECT_EQ(recebido->SelecionaLegenda(legenda), legenda.rfind("OD", 0) == 0 ? od : os);
  EXPECT_EQ(recebido->SelecionaLegenda("OD - 01/01/1990 00:00:00"), -1);

  // The wizard's lists come from the browser.
  FakeFormView wv;
  TfrmWizLaudo wiz(wv, m.dialogs, *m.dm, *recebido, {}, [] { return nullptr; });
  wiz.FormShow();
  EXPECT_EQ(wv["cmbOD"].items.size(), 2u);
  EXPECT_EQ(wv["cmbOS"].items.size(), 2u);
  EXPECT_EQ(wv["cmbOD"].items.back(), "Nenhum");
}

}  // namespace
}  // namespace zv::browser::test
