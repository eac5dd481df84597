// The exam-selection wizard in per-eye and free mode, and its Qt view's control names.
#include <gtest/gtest.h>

#include <QScreen>

#include "FakeFormView.h"
#include "QtFormView.h"
#include "ScriptedDialogs.h"
#include "TfrmWizard.h"
#include "TfrmWizardView.h"

namespace kandor {
namespace {

using Linhas = std::vector<std::string>;

std::string D(int n) {
  return "Olho Direito - 0" + std::to_string(n) + "/03/2026 10:00:00";
}
std::string E(int n) {
  return "Olho Esquerdo - 0" + std::to_string(n) + "/04/2026 11:00:00";
}
Linhas ComPrefixo(const Linhas& linhas) {
  Linhas out;
  for (const auto& l : linhas) out.push_back("O" + l);
  return out;
}

struct Assistente : ::testing::Test {
  zv::test::FakeFormView view;
  zv::test::ScriptedDialogs dialogos;
  TfrmWizard wizard{view, dialogos};

  void Mostra(const Linhas& candidatos, int modelo = 0) {
    wizard.ListaCandidatos = ComPrefixo(candidatos);
    wizard.Infos.Modelo = uint8_t(modelo);
    wizard.FormShow();
  }
  // Chooses the line `linha` in a list and runs its change handler.
  void Escolhe(const char* lista, const std::string& linha) {
    const auto itens = view[lista].items;
    const auto it = std::find(itens.begin(), itens.end(), linha);
    ASSERT_NE(it, itens.end()) << linha << " not offered in " << lista;
    view[lista].itemIndex = int(it - itens.begin());
    if (std::string(lista) == "cmbPre") wizard.cmbPreChange();
    if (std::string(lista) == "cmbPos") wizard.cmbPosChange();
    if (std::string(lista) == "cmbAcomp1") wizard.cmbAcomp1Change();
  }
};

TEST_F(Assistente, ThreeRightTwoLeftCannotBeConfirmed) {
  Mostra({D(1), E(1), D(2), E(2), D(3)});
  EXPECT_EQ(view["cmbPre"].items, (Linhas{D(1), D(2), D(3)}));
  EXPECT_EQ(view["cmbPre"].itemIndex, -1);
  for (const char* c : {"cmbPos", "lblpos", "cmbAcomp1", "lblac1", "cmbAcomp2", "lblac2"})
    EXPECT_FALSE(view[c].enabled) << c;
  Escolhe("cmbPre", D(2));
  EXPECT_EQ(view["cmbPos"].items, (Linhas{D(1), D(3)}));
  EXPECT_TRUE(view["cmbPos"].enabled && view["lblpos"].enabled);
  Escolhe("cmbPos", D(3));
  EXPECT_EQ(view["cmbAcomp1"].items, (Linhas{D(1)}));
  Escolhe("cmbAcomp1", D(1));
  EXPECT_TRUE(view["cmbAcomp2"].items.empty());
  EXPECT_TRUE(view["cmbAcomp2"].enabled);

  wizard.Button1Click();
  ASSERT_EQ(dialogos.shown.size(), 1u);
  EXPECT_EQ(dialogos.shown[0].text, "Todos os exames devem ser selecionados.");
  EXPECT_EQ(dialogos.shown[0].caption, "Informação");
  EXPECT_EQ(dialogos.shown[0].icon, zv::MsgIcon::Information);
  EXPECT_FALSE(view.closed);
  EXPECT_FALSE(wizard.Confirmado());
}

TEST_F(Assistente, FewerThanThreeOfEachEyeOffersNothing) {
  Mostra({D(1), E(1), D(2), E(2)});
  EXPECT_TRUE(view["cmbPre"].items.empty());
  Mostra({E(1), D(1), E(2), E(3)});
  EXPECT_EQ(view["cmbPre"].items, (Linhas{E(1), E(2), E(3)}));
}

TEST_F(Assistente, BothEyesListedAndTheFirstChoiceKeepsItsEye) {
  const Linhas todas{D(1), E(1), D(2), E(2), D(3), E(3), D(4), E(4)};
  Mostra(todas);
  EXPECT_EQ(view["cmbPre"].items, todas);
  Escolhe("cmbPre", E(2));
  EXPECT_EQ(view["cmbPos"].items, (Linhas{E(1), E(3), E(4)}));

  // A complete selection, then a new first choice: removals are undone, later lists cleared.
  Escolhe("cmbPos", E(4));
  Escolhe("cmbAcomp1", E(1));
  Escolhe("cmbPre", E(3));
  EXPECT_EQ(view["cmbPos"].items, (Linhas{E(1), E(2), E(4)}));
  EXPECT_EQ(view["cmbPos"].itemIndex, -1);
  Escolhe("cmbPre", D(1));
  EXPECT_EQ(view["cmbPos"].items, (Linhas{D(2), D(3), D(4)}));
}

TEST_F(Assistente, ConfirmingGivesTheFourLinesInOrderWithoutPrefix) {
  Mostra({D(1), D(2), D(3), D(4), E(1)});
  Escolhe("cmbPre", D(3));
  Escolhe("cmbPos", D(1));
  Escolhe("cmbAcomp1", D(4));
  EXPECT_EQ(view["cmbAcomp2"].items, (Linhas{D(2)}));
  Escolhe("cmbAcomp2", D(2));
  wizard.Button1Click();
  EXPECT_TRUE(dialogos.shown.empty());
  EXPECT_TRUE(wizard.Confirmado());
  EXPECT_TRUE(view.closed);
  const Linhas esperadas{D(3), D(1), D(4), D(2)};
  EXPECT_EQ(wizard.ListaSelecionados(), esperadas);
  EXPECT_EQ(wizard.ListaExtra(), esperadas);
}

TEST_F(Assistente, FreeModeOffersEveryOtherExamWhateverItsEye) {
  Mostra({D(1), E(1), D(2), E(2), D(3)}, 3);
  EXPECT_EQ(view["cmbPre"].items, (Linhas{D(1), E(1), D(2), E(2), D(3)}));
  Escolhe("cmbPre", E(1));
  EXPECT_EQ(view["cmbPos"].items, (Linhas{D(1), D(2), E(2), D(3)}));
  Escolhe("cmbPre", D(3));  // a second choice starts again from every candidate
  EXPECT_EQ(view["cmbPos"].items, (Linhas{D(1), E(1), D(2), E(2)}));
  Escolhe("cmbPos", E(2));
  Escolhe("cmbAcomp1", D(1));
  Escolhe("cmbAcomp2", E(1));
  wizard.Button1Click();
  EXPECT_EQ(wizard.ListaSelecionados(), (Linhas{D(3), E(2), D(1), E(1)}));
}

TEST_F(Assistente, CancelLeavesNoOutput) {
  Mostra({D(1), D(2), D(3), D(4)});
  Escolhe("cmbPre", D(1));
  wizard.btnCancelarClick();
  EXPECT_TRUE(view.closed);
  EXPECT_FALSE(wizard.Confirmado());
  EXPECT_TRUE(wizard.ListaExtra().empty());
  EXPECT_TRUE(wizard.ListaSelecionados().empty());
}

TEST_F(Assistente, EveryControlTheModelUsesExistsInTheQtView) {
  Mostra({D(1), D(2), D(3), D(4)});
  Escolhe("cmbPre", D(1));
  Escolhe("cmbPos", D(2));
  Escolhe("cmbAcomp1", D(3));
  wizard.Button1Click();
  wizard.btnCancelarClick();
  TfrmWizardView janela;
  zv::QtFormView ponte(&janela);
  for (const auto& nome : view.UsedNames()) EXPECT_TRUE(ponte.Has(nome)) << nome;
  EXPECT_EQ(janela.size(), QSize(625, 326));
  EXPECT_EQ(janela.windowTitle(), "Assistente de Kandor");
  EXPECT_EQ(ponte.Text("Button1"), "&Processar");
  EXPECT_EQ(ponte.Text("btnCancelar"), "&Cancelar");
  EXPECT_EQ(ponte.Text("lblac2"), "Exame 4");
  // Refilling a real drop-down list leaves it without a choice, as the model expects.
  zv::test::ScriptedDialogs d;
  TfrmWizard real(ponte, d);
  real.ListaCandidatos = ComPrefixo({D(1), D(2), D(3), D(4)});
  real.FormShow();
  EXPECT_EQ(ponte.ItemIndex("cmbPre"), -1);
  EXPECT_FALSE(ponte.Enabled("cmbPos"));
}

TEST(TfrmWizardView, OpensInTheMiddleOfTheScreenWhereverTheHostIs) {
  QWidget hospedeiro;
  hospedeiro.setGeometry(0, 0, 200, 150);
  hospedeiro.show();
  TfrmWizardView janela(&hospedeiro);
  janela.show();
  // Centred with its frame: the client area may sit off by the frame's top-left margins.
  const QPoint meio = janela.screen()->availableGeometry().center();
  const QPoint centro = janela.geometry().center();
  const int moldura =
      (janela.geometry().topLeft() - janela.frameGeometry().topLeft()).manhattanLength();
  EXPECT_LE((centro - meio).manhattanLength(), moldura + 2) << centro.x() << "," << centro.y();
}

}  // namespace
}  // namespace kandor
