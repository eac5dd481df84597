#include <gtest/gtest.h>

#include "FakeFormView.h"
#include "QtFormView.h"
#include "UfrmDadosOrto.h"

namespace zv {
namespace {

TEST(TfrmDadosOrto, MeansAndDeviationsRoundToFourDecimals) {
  struct Case {
    std::array<double, 5> values;
    double mean, deviation;
  };
  for (const Case& c : {Case{{1, 2, 3, 4, 0}, 2.5, 1.291}, Case{{7.8, 7.8, 7.8, 7.8, 0}, 7.8, 0},
                        Case{{0.1, 0.2, 0.3, 0, 0}, 0.15, 0.1291},
                        Case{{1.00004, 1.00004, 1.00004, 1.00004, 0}, 1, 0.0}}) {
    auto v = c.values;
    CalculaMedia(v);
    EXPECT_DOUBLE_EQ(v[4], c.mean);
    EXPECT_DOUBLE_EQ(DesvioPadrao(v), c.deviation);
  }
}

TEST(TfrmDadosOrto, GridShowsEachValueInItsPattern) {
  std::array<double, 5> sag{1, 2, 3, 4, 0};
  std::array<double, 5> div{9.5, 9.5, 0, 9.5, 0};  // image 3 never measured
  std::array<double, 5> r0{7.812, 7.85, 7.9, 7.95, 0};
  ValoresOrtoImagens valores{sag, div, r0};
  test::FakeFormView view;
  TfrmDadosOrto model(view, valores);
  model.CalculaMedias();
  model.FormShow();
  auto cell = [&](int c, int r) { return view.Cell("stgOrto", c, r); };
  EXPECT_EQ(view["frmDadosOrto"].text, "Dados da Ortoceratologia");
  EXPECT_EQ(cell(0, 0), "");
  EXPECT_EQ(cell(1, 0), "SAG");
  EXPECT_EQ(cell(0, 4), "Imagem 04");
  EXPECT_EQ(cell(1, 1), "1.0000");
  EXPECT_EQ(cell(2, 3), "0.0000");
  EXPECT_EQ(cell(3, 1), "7.81");
  EXPECT_EQ(cell(0, 5), "Média");
  EXPECT_EQ(cell(1, 5), "2.5000");
  EXPECT_EQ(cell(2, 5), "7.1250");  // the unmeasured image pulls the mean down
  EXPECT_EQ(cell(3, 5), "7.8780");
  EXPECT_EQ(cell(0, 6), "Desvio Padrão");
  EXPECT_EQ(cell(1, 6), "1.291");
  EXPECT_EQ(sag[4], 2.5);  // the window stores the means

  sag = {3, 3, 3, 3, 0};
  model.CalculaMedias();
  model.FormShow();
  EXPECT_EQ(cell(1, 6), "0");

  TfrmDadosOrtoView window(valores);
  QtFormView bridge(&window);
  for (const auto& name : view.UsedNames()) EXPECT_TRUE(bridge.Has(name)) << name;
  window.Model().FormShow();
  EXPECT_EQ(bridge.Cell("stgOrto", 3, 5), "7.8780");
}

}  // namespace
}  // namespace zv
