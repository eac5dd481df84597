// The report wizard on a real database: its lists, the doctor filter of the stored reports,
// the three choices and every path of deletion.
#include <gtest/gtest.h>

#include "LaudoFixture.h"
#include "TextFile.h"
#include "TextoLaudo.h"
#include "UDLaudos.h"

namespace zv::test {
namespace {

class WizLaudo : public ::testing::Test, public LaudoFixture {
 protected:
  TfrmWizLaudo& Abre() {
    // The wizard frees the editor it made; the test keeps the model to look at.
    struct Encaminha : JanelaLaudo {
      EditorDeTeste* e;
      explicit Encaminha(EditorDeTeste* e) : e(e) {}
      TfrmLaudo& Modelo() override { return e->Modelo(); }
      void MostraModal() override { e->MostraModal(); }
    };
    wiz = std::make_unique<TfrmWizLaudo>(view, m.dialogs, *m.dm, navegador, Ambiente(), [this] {
      editores.push_back(NovoEditor());
      editor = editores.back().get();
      return std::make_unique<Encaminha>(editor);
    });
    wiz->FormShow();
    return *wiz;
  }
  int NovoLaudo(int od, int os, bool comArquivo) {
    const int c = data::TDLaudos(*m.dm).InsereLaudo(navegador.paciente, od, os, "", {2025, 5, 6},
                                                    {1899, 12, 30, 7, 8, 9});
    if (comArquivo) {
      ForceDirectories(dirs / ("Laudos/" + std::to_string(navegador.paciente)));
      WriteFileAtomic(ArquivoLaudo(c), "a\r\n@\r\nb\r\n@\r\nc\r\n@\r\nd\r\n@\r\ne\r\n*");
    }
    return c;
  }
  int Linhas(int codigo) {
    auto& q =
        m.dm->Operation("SELECT COUNT(*) FROM Laudos WHERE Codigo = " + std::to_string(codigo));
    q.Open();
    return static_cast<int>(q.FieldByName("COUNT").AsInteger());
  }
  static std::string Item(int codigo) {
    return laudo::ItemLaudo(codigo, {2025, 5, 6}, {1899, 12, 30, 7, 8, 9});
  }

  FakeFormView view;
  std::unique_ptr<TfrmWizLaudo> wiz;
  std::vector<std::unique_ptr<EditorDeTeste>> editores;
  EditorDeTeste* editor = nullptr;
};

TEST_F(WizLaudo, ListsExamsByEyeAndOnlyTheFilterDoctorsReports) {
  const int outroOD = NovoExame("OD", {1899, 12, 30, 11, 0, 0}, 0, codOutroMed);
  navegador.exames.push_back({"OD - 03/04/2025 11:00:00", outroOD});
  const int a = NovoLaudo(exameOD, exameOS, false);
  NovoLaudo(outroOD, -1, false);                     // another doctor's
  const int c = NovoLaudo(outroOD, exameOS, false);  // left eye is hers
  const int d = NovoLaudo(-1, exameOS, false);
  Abre();
  const std::vector<std::string> od = {legendaOD, "OD - 03/04/2025 11:00:00", "Nenhum"};
  const std::vector<std::string> os = {legendaOS, "Nenhum"};
  EXPECT_EQ(view["cmbOD"].items, od);
  EXPECT_EQ(view["cmbOS"].items, os);
  const std::vector<std::string> laudos = {Item(a), Item(c), Item(d)};
  EXPECT_EQ(view["cmbEscLaudo"].items, laudos);
  EXPECT_EQ(view["cmbExcLaudo"].items, laudos);
  EXPECT_TRUE(view["rbLauExist"].enabled);
  EXPECT_TRUE(view["cmbOD"].enabled);
  EXPECT_FALSE(view["cmbEscLaudo"].enabled);
  wiz->rbExcLaudoClick();
  EXPECT_FALSE(view["cmbOD"].enabled);
  EXPECT_TRUE(view["cmbExcLaudo"].enabled);

  // A filter doctor the database does not know matches no report.
  navegador.medico = "Ninguém";
  Abre();
  EXPECT_TRUE(view["cmbEscLaudo"].items.empty());
  EXPECT_FALSE(view["rbLauExist"].enabled);
  EXPECT_FALSE(view["rbExcLaudo"].enabled);
}

TEST_F(WizLaudo, OkWithoutAChoiceAsksForOne) {
  NovoLaudo(exameOD, -1, true);
  Abre();
  view["rbLauExist"].checked = true;
  wiz->btnOKClick();
  EXPECT_EQ(m.dialogs.shown.back().text, "Por favor, selecione um laudo para ser aberto.");
  view["rbLauExist"].checked = false;
  view["rbExcLaudo"].checked = true;
  wiz->btnOKClick();
  EXPECT_EQ(m.dialogs.shown.back().text, "Por favor, selecione um laudo para ser excluído.");
  EXPECT_FALSE(view.closed);
}

TEST_F(WizLaudo, NewAndOpenShowTheEditor) {
  const int codigo = NovoLaudo(exameOD, -1, true);
  Abre();
  view["cmbOD"].itemIndex = 0;
  view["cmbOS"].itemIndex = 1;  // Nenhum
  wiz->btnOKClick();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->mostrado, 1);
  EXPECT_EQ(editor->modelo->ExameOD(), exameOD);
  EXPECT_EQ(editor->view["lblNome"].text, "Carlos Mendes");
  EXPECT_TRUE(view.closed);

  Abre();
  editor = nullptr;
  view["rgNovoLau"].checked = false;
  view["rbLauExist"].checked = true;
  view["cmbEscLaudo"].itemIndex = 0;
  wiz->btnOKClick();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->mostrado, 1);
  EXPECT_EQ(editor->modelo->CodigoLaudo(), codigo);
  EXPECT_EQ(editor->view["reOS"].text, " c");
  EXPECT_FALSE(editor->view["sbtSalvar"].enabled);

  // A missing label: the editor is not shown and the wizard stays.
  Abre();
  view.closed = false;
  view["rbLauExist"].checked = false;
  view["cmbOD"].itemIndex = 0;
  wiz->btnOKClick();
  EXPECT_EQ(editor->mostrado, 0);
  EXPECT_FALSE(view.closed);
}

TEST_F(WizLaudo, DeletePaths) {
  const int comArquivo = NovoLaudo(exameOD, -1, true);
  const int semArquivo = NovoLaudo(exameOD, exameOS, false);
  Abre();
  view["rbExcLaudo"].checked = true;

  view["cmbExcLaudo"].itemIndex = 0;
  m.dialogs.answers = {MsgResult::No};
  wiz->btnOKClick();
  EXPECT_EQ(m.dialogs.shown.back().text, "Confirma exclusão do " + Item(comArquivo) + "?");
  EXPECT_EQ(Linhas(comArquivo), 1);
  EXPECT_FALSE(view.closed);

  wiz->btnOKClick();  // Yes
  EXPECT_EQ(m.dialogs.shown.back().text, Item(comArquivo) + " excluído com sucesso.");
  EXPECT_EQ(Linhas(comArquivo), 0);
  EXPECT_FALSE(FileExists(ArquivoLaudo(comArquivo)));
  const std::vector<std::string> resto = {Item(semArquivo)};
  EXPECT_EQ(view["cmbEscLaudo"].items, resto);
  EXPECT_EQ(view["cmbExcLaudo"].items, resto);
  EXPECT_TRUE(view.closed);

  // A row without its file is deleted all the same.
  Abre();
  view["rbExcLaudo"].checked = true;
  view["cmbExcLaudo"].itemIndex = 0;
  wiz->btnOKClick();
  EXPECT_EQ(m.dialogs.shown.back().text, Item(semArquivo) + " não encontrado.");
  EXPECT_EQ(Linhas(semArquivo), 0);
}

}  // namespace
}  // namespace zv::test
