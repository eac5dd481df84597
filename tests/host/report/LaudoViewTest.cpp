// The report's Qt windows on the offscreen platform: every control the models address exists
// in the views, and the real wizard opens the real editor, whose tree fills a placeholder and
// colours it.  With ZV_SCREENSHOTS set to a directory the windows and the printed page are
// saved there.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QProcess>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

#include "JanelaModulo.h"
#include "LaudoFixture.h"
#include "UfrmLauRelat.h"
#include "UfrmLaudoView.h"

namespace zv::test {
namespace {

class LaudoView : public ::testing::Test, public LaudoFixture {
 protected:
  static std::string Pasta() {
    const char* p = std::getenv("ZV_SCREENSHOTS");
    return p ? p : "";
  }
  static void Foto(QWidget* w, const char* nome) {
    if (!Pasta().empty()) w->grab().save(QString::fromStdString(Pasta() + "/" + nome));
  }
};

TEST_F(LaudoView, EveryControlTheModelsUseExistsInTheViews) {
  auto e = NovoEditor();
  e->modelo->GerarNovoLaudo("Nenhum", legendaOS, false);
  e->modelo->reODMouseDown();
  e->modelo->reCMMouseDown();
  m.dialogs.answers = {MsgResult::No};
  e->modelo->sbtSalvarClick();
  e->modelo->AbrirLaudo("Laudo 1 - x", false);
  UfrmLaudoView editor(nullptr, *m.dm, navegador, Ambiente(), {});
  for (const std::string& nome : e->view.UsedNames()) EXPECT_TRUE(editor.View().Has(nome)) << nome;

  FakeFormView wv;
  TfrmWizLaudo wiz(wv, m.dialogs, *m.dm, navegador, Ambiente(), [] { return nullptr; });
  wiz.FormShow();
  wiz.rbLauExistClick();
  wiz.rbExcLaudoClick();
  wv["rbExcLaudo"].checked = true;
  wiz.btnOKClick();
  UfrmWizardLaudoView assistente(nullptr, *m.dm, navegador, Ambiente(), {});
  for (const std::string& nome : wv.UsedNames()) EXPECT_TRUE(assistente.View().Has(nome)) << nome;
}

TEST_F(LaudoView, WizardOpensTheEditorWhoseTreeFillsAPlaceholder) {
  UfrmWizardLaudoView assistente(nullptr, *m.dm, navegador, Ambiente(), {});
  assistente.Modelo().FormShow();
  assistente.View().SetItemIndex("cmbOD", 0);
  assistente.View().SetItemIndex("cmbOS", 0);
  assistente.show();
  Foto(&assistente, "report-wizard.png");

  std::string preenchido, cor;
  QuandoAparecer("frmLaudo", [&](QWidget* w) {
    auto* editor = static_cast<UfrmLaudoView*>(w);
    editor->Modelo().reODMouseDown();
    auto* arvore = w->findChild<QTreeWidget*>("trwLaudo");
    QTreeWidgetItem* frase = arvore->topLevelItem(1)->child(1);
    arvore->setCurrentItem(frase);
    editor->Modelo().trwLaudoDblClick();
    arvore->expandItem(arvore->topLevelItem(1));
    auto* od = w->findChild<QTextEdit*>("reOD");
    preenchido = od->toPlainText().toStdString();
    // The selected position 2 is red where it starts.
    QTextCursor c(od->document());
    c.setPosition(static_cast<int>(QString::fromStdString(preenchido).indexOf("#2-")) + 1);
    cor = c.charFormat().foreground().color().name().toStdString();
    Foto(w, "report-editor.png");
    if (!Pasta().empty()) {
      const std::string pdf = Pasta() + "/report-page.pdf";
      PreparaRelat(editor->Modelo(), m.dialogs).ImprimePdf(pdf);
      QProcess::execute("pdftoppm", {"-png", "-r", "80", "-singlefile", QString::fromStdString(pdf),
                                     QString::fromStdString(Pasta() + "/report-page")});
    }
    w->close();
  });
  assistente.findChild<QWidget*>("btnOK")->setFocus();
  QMetaObject::invokeMethod(
      &assistente, [&] { assistente.Modelo().btnOKClick(); }, Qt::QueuedConnection);
  assistente.exec();
  EXPECT_NE(preenchido.find("#2-"), std::string::npos) << preenchido;
  EXPECT_EQ(cor, "#ff0000");
}

}  // namespace
}  // namespace zv::test
