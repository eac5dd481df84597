// The search tip through the window bridge: the model's texts and control names, and the real
// Qt view that shows them.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTimer>

#include "FakeFormView.h"
#include "QtFormView.h"
#include "UfrmDica.h"

namespace zv {
namespace {

TEST(TfrmDica, ShowsTheThreeTipsExactlyAndClosesOnOk) {
  test::FakeFormView fake;
  TfrmDica model(fake);
  model.FormShow();
  EXPECT_EQ(fake["frmDica"].text, "Dica de Busca");
  EXPECT_EQ(fake["btnOk"].text, "&OK");
  EXPECT_EQ(fake["lblTexto2"].text,
            "A busca por diagnótico também pode ser feita por qualquer parte do mesmo, como por "
            "exemplo, uma busca para \"astigmatismo irregular\" poderá ser digitado somente "
            "\"irreg\".");
  EXPECT_EQ(fake["lblTexto3"].text.rfind("Para ver um paciente/exame", 0), 0u);
  model.btnOkClick();
  EXPECT_TRUE(fake.closed);

  TfrmDicaView view;
  QtFormView bridge(&view);
  for (const auto& name : fake.UsedNames()) EXPECT_TRUE(bridge.Has(name)) << name;
  EXPECT_EQ(view.size(), QSize(540, 168));
  EXPECT_EQ(bridge.Text("lblTexto1"), TfrmDica::kTextos[0]);
  // The real button ends the modal loop.
  QTimer::singleShot(0, [&] { view.findChild<QPushButton*>("btnOk")->click(); });
  EXPECT_EQ(view.exec(), QDialog::Accepted);
}

}  // namespace
}  // namespace zv
