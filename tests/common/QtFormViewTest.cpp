// The window bridge proven on the wait notice: the model writes through FormView, the Qt view
// finds the widgets by name, and the fake records the same names.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QTimer>

#include "FakeFormView.h"
#include "QtFormView.h"
#include "TfrmAguarde.h"

namespace zv {
namespace {

TEST(TfrmAguarde, ModelAndQtViewAgreeOnNamesAndText) {
  test::FakeFormView fake;
  TfrmAguarde model(fake);
  model.FormShow();
  EXPECT_EQ(fake["pnlAguarde"].text, "Aguarde...");

  TfrmAguardeView view;
  QtFormView bridge(&view);
  for (const auto& name : fake.UsedNames()) EXPECT_TRUE(bridge.Has(name)) << name;
  EXPECT_EQ(bridge.Text("pnlAguarde"), "Aguarde...");
  EXPECT_EQ(view.size(), QSize(191, 62));
  EXPECT_TRUE(view.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(view.windowFlags() & Qt::FramelessWindowHint);
  auto* picture = view.findChild<QLabel*>("imgAguarde");
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->geometry(), QRect(16, 16, 30, 30));
}

TEST(QtFormView, ReachesEachKindOfControlAndRefusesUnknownNames) {
  QDialog root;
  root.setObjectName("frmTeste");
  auto* check = new QCheckBox(&root);
  check->setObjectName("chkAneis");
  auto* combo = new QComboBox(&root);
  combo->setObjectName("cbxMedico");
  auto* timer = new QTimer(&root);
  timer->setObjectName("Timer1");
  QtFormView v(&root);
  v.SetText("frmTeste", "Título");
  EXPECT_EQ(root.windowTitle(), "Título");
  v.SetChecked("chkAneis", true);
  EXPECT_TRUE(v.Checked("chkAneis"));
  v.SetItems("cbxMedico", {"Ana", "Bia"});
  v.SetItemIndex("cbxMedico", 1);
  EXPECT_EQ(v.Text("cbxMedico"), "Bia");
  v.SetTimer("Timer1", true, 150);
  EXPECT_TRUE(v.TimerEnabled("Timer1"));
  EXPECT_EQ(timer->interval(), 150);
  v.SetVisible("chkAneis", false);
  EXPECT_FALSE(v.Visible("chkAneis"));
  auto* label = new QLabel(&root);
  label->setObjectName("lblNome");
  v.SetText("lblNome", "<b>Ana</b>");
  EXPECT_EQ(label->textFormat(), Qt::PlainText);  // a typed name is never markup
  EXPECT_EQ(v.Text("lblNome"), "<b>Ana</b>");
  EXPECT_THROW(v.SetText("btnInexistente", "x"), std::logic_error);
  EXPECT_THROW(v.SetValue("chkAneis", 3), std::logic_error);
}

}  // namespace
}  // namespace zv
