// The browser's real Qt window over a real database, driven by clicks: a patient, an exam, the
// mini map and a single map through the built Pelmo module.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "BrowserFixture.h"
#include "JanelaModulo.h"
#include "QtFormView.h"
#include "UfrmExamesView.h"

namespace zv::browser::test {
namespace {

void Clica(QListWidget* lista, int linha) {
  ASSERT_LT(linha, lista->count());
  lista->scrollToItem(lista->item(linha));
  QTest::mouseClick(lista->viewport(), Qt::LeftButton, {},
                    lista->visualItemRect(lista->item(linha)).center());
}

class BrowserWindow : public BrowserFixture {
 protected:
  // A sphere of 7.8 mm seen by every ring, so the real map module has a cornea to draw.
  int ExameEsferico(int pac, const std::string& olho, const DateTime& hora) {
    const int codigo = NovoExame(pac, helena, olho, "T", DateTime{2024, 5, 10}, hora);
    auto tabelas = std::make_unique<std::array<TMatrizAngAnel, 2>>();
    for (int k = 0; k < 360; ++k)
      for (int j = 1; j <= 32; ++j) {
        (*tabelas)[0][k][j] = 6.0 * j;
        (*tabelas)[1][k][j] = 337.5 / 7.8;
      }
    GravaTabelaM(root / "exames", pac, codigo, (*tabelas)[0], 32);
    GravaTabelaD(root / "exames", pac, codigo, (*tabelas)[1], 32);
    return codigo;
  }
  void InstalaPelmoReal() {
    for (const char* ext : {".so", ".bmp"})
      std::filesystem::copy_file(zv::test::BinDir() + "/Pelmo" + ext,
                                 root / ("mapas/Pelmo" + std::string(ext)),
                                 std::filesystem::copy_options::overwrite_existing);
  }
};

TEST_F(BrowserWindow, ClickingAPatientAnExamTheMiniMapAndASingleMap) {
  InstalaPelmoReal();
  const int pac = NovoPaciente("Zeca Moura");
  NovoPaciente("Ana Reis");
  ExameEsferico(pac, "OD", DateTime{1899, 12, 30, 9, 30, 0});
  TBProcuraModulos scan(m.dialogs);
  scan.ProcuraModulos(root / "mapas");
  TfrmExamesView janela({&m.dialogs, *m.dm, settings, records, mapOperation, scan.Botoes()});
  janela.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));

  auto* grade = janela.findChild<QListWidget*>("DBGridPacientes");
  ASSERT_EQ(grade->count(), 2) << ::testing::PrintToString(m.dialogs.Texts());
  Clica(grade, 1);  // by name: Ana Reis, Zeca Moura
  EXPECT_EQ(janela.Model().PacienteAtual(), pac);
  auto* exames = janela.findChild<QListWidget*>("lswPrincipal");
  ASSERT_EQ(exames->count(), 1);
  EXPECT_EQ(exames->item(0)->text(), "OD - 10/05/2024 09:30:00");

  janela.findChild<QCheckBox*>("cBoxMiniMapa")->setChecked(true);
  Clica(exames, 0);
  const QImage mini = janela.Bridge().Image("imgVisualizar");
  EXPECT_FALSE(mini.isNull()) << "Pelmo drew the mini map";
  EXPECT_EQ(janela.Bridge().Text("lblOlho"), "Olho Direito");

  bool mapaAberto = false;
  zv::test::QuandoAparecer("frmMapaSimples", [&](QWidget* mapa) {
    mapaAberto = true;
    QTest::keyClick(mapa, Qt::Key_Escape);
  });
  auto* botao = janela.findChild<QToolButton*>("tbMapaPelmo");
  ASSERT_NE(botao, nullptr);
  botao->click();
  EXPECT_TRUE(mapaAberto);
  EXPECT_TRUE(m.dialogs.shown.empty()) << m.dialogs.Texts().front();
  QTest::mouseClick(janela.findChild<QPushButton*>("btnFechar"), Qt::LeftButton);
  EXPECT_EQ(ReadProfileString(root / "Zarvik.ini", "CLINICA", "PACIENTEATIVO").value_or(""),
            "Zeca Moura");
}

// Every control the model touches on its main paths exists in the real window under that name.
TEST_F(BrowserWindow, EveryControlTheModelUsesExistsInTheView) {
  const int pac = NovoPaciente("Zeca Moura");
  NovoExame(pac, helena, "OD", "O", DateTime{2024, 5, 10}, DateTime{1899, 12, 30, 9, 0, 0});
  NovoExame(pac, helena, "OS", "T", DateTime{2024, 5, 10}, DateTime{1899, 12, 30, 9, 5, 0});
  auto b = Abre();
  view["pnlInfoExame"].visible = true;
  b->lswPrincipalSelectItem(0);
  b->lswPrincipalDblClick();
  b->SpeedButton2Click();
  b->SpeedButton3Click();
  b->edtFindGridChange();
  b->bbtnBuscaAvClick();
  b->btnLocPacClick();
  b->btnFecharBuscaClick();
  b->MapaClick("Gavrel");
  b->Timer1Timer();
  view["pcExames"].itemIndex = 1;
  b->pcExamesChange();
  b->btnFecharClick();
  b->FormClose();
  TfrmExamesView janela({&m.dialogs, *m.dm, settings, records, mapOperation, {}});
  for (const auto& nome : view.UsedNames()) EXPECT_TRUE(janela.Bridge().Has(nome)) << nome;
}

}  // namespace
}  // namespace zv::browser::test
