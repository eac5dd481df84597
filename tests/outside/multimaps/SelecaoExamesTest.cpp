// The multi-map modules' exam selection on a fake view: what each module's lists offer, what
// goes back to the host (lines without the type prefix, in the lists' order), and the
// candidates that cannot satisfy a module.
#include <gtest/gtest.h>

#include "FakeFormView.h"
#include "ScriptedDialogs.h"
#include "SelecaoExames.h"

namespace multimapas {
namespace {

const std::string OD1 = "Olho Direito - 10/01/2005 14:32:10",
                  OD2 = "Olho Direito - 12/01/2005 09:00:00",
                  OD3 = "Olho Direito - 15/01/2005 09:00:00",
                  OD4 = "Olho Direito - 20/01/2005 10:00:00",
                  OS1 = "Olho Esquerdo - 10/01/2005 14:35:00",
                  OS2 = "Olho Esquerdo - 12/01/2005 09:05:00",
                  OS3 = "Olho Esquerdo - 15/01/2005 09:05:00";

struct Selecao : ::testing::Test {
  zv::test::FakeFormView view;
  zv::test::ScriptedDialogs dialogs;
  std::unique_ptr<TfrmSelecaoExames> modelo;

  bool Mostra(ModuloMultiMapa modulo, std::vector<std::string> linhas, bool orto = true) {
    modelo = std::make_unique<TfrmSelecaoExames>(view, dialogs, RegraDe(modulo));
    modelo->Linhas = std::move(linhas);
    modelo->OrtoDisponivel = orto;
    return modelo->FormShow();
  }
  std::vector<std::string>& Itens(int i) { return view[NomeLista(i)].items; }
  // The operator chooses the line shown as `texto` in list i.
  void Escolhe(int i, const std::string& texto) {
    const auto& itens = Itens(i);
    const auto it = std::find(itens.begin(), itens.end(), texto);
    ASSERT_NE(it, itens.end()) << texto << " not offered in list " << i;
    view[NomeLista(i)].itemIndex = static_cast<int>(it - itens.begin());
    modelo->cmbExameChange(i);
  }
};

TEST_F(Selecao, CandidatesThatCannotSatisfyTheModuleGiveTheMessageAndNoWindow) {
  const struct {
    ModuloMultiMapa modulo;
    std::vector<std::string> linhas;
    bool orto;
  } casos[] = {
      {ModuloMultiMapa::Comparativo, {OD1, OD2, OS1, OS2}, true},  // two of each eye
      {ModuloMultiMapa::Dual, {OD1, OD2, OD3}, true},              // no left eye
      {ModuloMultiMapa::Diferencial, {"T" + OD1, "T" + OS1}, true},
      // the only second right-eye exam is an orthokeratology one and those are not available
      {ModuloMultiMapa::Diferencial, {"T" + OD1, "O" + OD2}, false},
      // lines not in the candidate form are not exams
      {ModuloMultiMapa::Comparativo, {OD1, OD2, "OD - 15/01/2005", ""}, true},
  };
  for (const auto& c : casos) {
    dialogs.shown.clear();
    EXPECT_FALSE(Mostra(c.modulo, c.linhas, c.orto));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, kInsuficiente);
  }
}

TEST_F(Selecao, ComparativeOffersOnlyAnEyeWithThreeExamsAndKeepsTheListsApart) {
  ASSERT_TRUE(Mostra(ModuloMultiMapa::Comparativo, {OD1, OS1, OD2, OS2, OD3}));
  EXPECT_EQ(Itens(1), (std::vector<std::string>{OD1, OD2, OD3}));
  EXPECT_FALSE(view["cmbExame2"].enabled);
  Escolhe(1, OD2);
  EXPECT_EQ(Itens(2), (std::vector<std::string>{OD1, OD3}));
  Escolhe(2, OD3);
  EXPECT_EQ(Itens(3), (std::vector<std::string>{OD1}));
  Escolhe(3, OD1);
  EXPECT_EQ(Itens(4), (std::vector<std::string>{kNenhum}));  // only three right-eye exams
  modelo->btnProcessarClick();
  EXPECT_TRUE(modelo->Confirmado());
  EXPECT_EQ(modelo->Selecionados(), (std::vector<std::string>{OD2, OD3, OD1}));
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(view.closeResult, 1);
}

TEST_F(Selecao, ChangingTheFirstExamToTheOtherEyeRefillsTheRestAndAsksAgain) {
  ASSERT_TRUE(Mostra(ModuloMultiMapa::Comparativo, {OD1, OD2, OD3, OD4, OS1, OS2, OS3}));
  EXPECT_EQ(Itens(1).size(), 7u);
  Escolhe(1, OD1);
  Escolhe(2, OD2);
  Escolhe(3, OD3);
  Escolhe(4, OD4);
  Escolhe(1, OS2);
  EXPECT_EQ(Itens(2), (std::vector<std::string>{OS1, OS3}));
  EXPECT_EQ(view["cmbExame2"].itemIndex, -1);
  EXPECT_EQ(Itens(4), (std::vector<std::string>{kNenhum, OS1, OS3}));
  EXPECT_EQ(view["cmbExame4"].itemIndex, 0);
  modelo->btnProcessarClick();
  EXPECT_FALSE(modelo->Confirmado());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Selecione um exame em cada lista.");
  EXPECT_FALSE(view.closed);
  // A choice kept in a later list stays when an earlier one changes to another exam.
  Escolhe(2, OS1);
  Escolhe(3, OS3);
  Escolhe(2, OS3);
  EXPECT_EQ(Itens(3), (std::vector<std::string>{OS1}));
  Escolhe(3, OS1);
  modelo->btnProcessarClick();
  EXPECT_EQ(modelo->Selecionados(), (std::vector<std::string>{OS2, OS3, OS1}));
}

TEST_F(Selecao, DualTakesOneExamOfEachEyeRightFirst) {
  ASSERT_TRUE(Mostra(ModuloMultiMapa::Dual, {OS1, OD1, OS2}));
  EXPECT_EQ(Itens(1), (std::vector<std::string>{OD1}));
  EXPECT_EQ(Itens(2), (std::vector<std::string>{OS1, OS2}));
  Escolhe(1, OD1);
  Escolhe(2, OS2);
  modelo->btnProcessarClick();
  EXPECT_EQ(modelo->Selecionados(), (std::vector<std::string>{OD1, OS2}));
}

TEST_F(Selecao, DifferentialReturnsBeforeAndAfterWithoutTheirTypeLetter) {
  ASSERT_TRUE(Mostra(ModuloMultiMapa::Diferencial, {"T" + OD1, "O" + OD2, "T" + OS1, "O" + OD3}));
  EXPECT_EQ(Itens(1), (std::vector<std::string>{OD1, OD2 + "  [Orto]", OD3 + "  [Orto]"}));
  Escolhe(1, OD1);
  Escolhe(2, OD3 + "  [Orto]");
  modelo->btnProcessarClick();
  ASSERT_TRUE(modelo->Confirmado());
  EXPECT_EQ(modelo->Selecionados(), (std::vector<std::string>{OD1, OD3}));
  EXPECT_EQ(modelo->Extra(), (std::vector<std::string>{"T" + OD1, "O" + OD3}));

  // Without orthokeratology only the standard exams are offered.
  ASSERT_TRUE(Mostra(ModuloMultiMapa::Diferencial, {"T" + OD1, "O" + OD2, "T" + OD3}, false));
  EXPECT_EQ(Itens(1), (std::vector<std::string>{OD1, OD3}));
}

TEST_F(Selecao, CancelConfirmsNothing) {
  ASSERT_TRUE(Mostra(ModuloMultiMapa::Dual, {OD1, OS1}));
  Escolhe(1, OD1);
  Escolhe(2, OS1);
  modelo->btnCancelarClick();
  EXPECT_FALSE(modelo->Confirmado());
  EXPECT_TRUE(modelo->Selecionados().empty());
  EXPECT_EQ(view.closeResult, 2);
}

}  // namespace
}  // namespace multimapas
