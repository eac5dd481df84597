// The examples page with the real multi-map modules of the installation: the demo's example
// exams (model eyes rendered by the simulated camera and processed as the workstation does),
// each module's wizard driven as the operator does, and the window each opens with the
// example tables.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <regex>

#include "BrowserFixture.h"
#include "ExemplosDemo.h"
#include "JanelaModulo.h"
#include "MapaOrto.h"
#include "SimulatedCalibration.h"

namespace zv::browser::test {
namespace {

using zv::test::QuandoAparecer;

// The examples the tests open, written once for the suite.
class ExemplosComModulos : public BrowserFixture {
 protected:
  static void SetUpTestSuite() {
    dir_ = new zv::test::TempDir;
    const std::string coef16 = *dir_ / "Coef.txt";
    zv::WriteSimulatedCalibration(coef16, zv::demo::kAneisExemplos);
    std::vector<zv::demo::Exemplo> usados;
    for (auto& e : zv::demo::Exemplos())
      if (e.nome.rfind("Orto", 0) == 0 || e.nome.rfind("Central", 0) == 0)
        usados.push_back(std::move(e));
    std::filesystem::create_directories(*dir_ / "exemplos");
    zv::demo::GravaExemplos(*dir_ / "exemplos", usados, coef16);
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }

  void SetUp() override {
    BrowserFixture::SetUp();
    records.SetText(records.Paths.DirExemplos, *dir_ / "exemplos");
    for (const char* modulo : {"Kandor", "Horvat", "Quillon", "Sennet"})
      std::filesystem::copy_file(zv::test::BinDir() + "/" + ModuleFileName(modulo),
                                 root / ("mapas/" + ModuleFileName(modulo)),
                                 std::filesystem::copy_options::overwrite_existing);
  }

  // The browser on the examples page, showing group `grupo`; the modules' windows open over
  // `hospedeiro`.
  std::unique_ptr<TfrmExames> AbreExemplos(int grupo) {
    auto b = std::make_unique<TfrmExames>(
        view, AmbienteNavegador{
                  &m.dialogs, *m.dm, settings, records, mapOperation, {}, nullptr, &hospedeiro});
    b->FormShow();
    view["pcExames"].itemIndex = 1;
    b->pcExamesChange();
    b->GridExemplosSelectCell(grupo);
    return b;
  }

  QWidget hospedeiro;

 private:
  inline static zv::test::TempDir* dir_ = nullptr;
};

// Chooses, in the selection list `lista`, the exam of that date ("dd/mm/yy").
void Escolhe(QWidget* janela, const char* lista, const std::string& data) {
  auto* c = janela->findChild<QComboBox*>(lista);
  ASSERT_NE(c, nullptr) << lista;
  const int i = c->findText(QString::fromStdString(data), Qt::MatchContains);
  ASSERT_GE(i, 0) << lista << " offers no exam of " << data;
  c->setCurrentIndex(i);
  emit c->activated(i);
}

// The first number of a text ("K: 43.25 D / ..." gives 43.25); not a number without one.
double PrimeiroNumero(const QString& texto) {
  std::smatch m;
  const std::string s = texto.toStdString();
  return std::regex_search(s, m, std::regex(R"(\d+[.,]\d+)"))
             ? std::stod(std::regex_replace(m.str(), std::regex(","), "."))
             : std::nan("");
}

// The power a Kandor map shows at a pixel: the lower bound of the scale level whose colour it
// has, or not a number for any other colour (background, marks).
double PotenciaDoMapa(const QImage& mapa, int x, int y) {
  const kandor::EscalaCores escala = kandor::PreparaEscala();
  for (size_t k = 0; k < escala.Cores.size(); ++k)
    if (mapa.pixel(x, y) == escala.Cores[k].Argb()) return escala.LimitesDioptrias[k];
  return std::nan("");
}

// The dates the examples page gives the items of a group: the 10th of January 2001 for the
// first, two days later for each next one.
std::string DataDoItem(int item) {
  return std::to_string(8 + 2 * item) + "/01/01";
}

TEST_F(ExemplosComModulos, KandorShowsTheFourOrthokeratologyExamplesAsMaps) {
  auto b = AbreExemplos(5);
  std::array<QImage, 4> mapas;
  std::string olho;
  QuandoAparecer("frmWizard", [&](QWidget* j) {
    Escolhe(j, "cmbPre", DataDoItem(1));
    Escolhe(j, "cmbPos", DataDoItem(4));
    Escolhe(j, "cmbAcomp1", DataDoItem(2));
    Escolhe(j, "cmbAcomp2", DataDoItem(3));
    QuandoAparecer("frmMapa", [&](QWidget* janela) {
      const char* nomes[4] = {"Img01", "IMg02", "Img03", "Img04"};
      for (int i = 0; i < 4; ++i)
        mapas[i] = janela->findChild<QWidget*>(nomes[i])->grab().toImage().convertToFormat(
            QImage::Format_RGB32);
      olho = janela->findChild<QLabel*>("lblOlho")->text().toStdString();
      janela->findChild<QPushButton*>("btnFechar")->click();
    });
    j->findChild<QPushButton*>("Button1")->click();
  });
  b->MapasClick("Kandor");
  EXPECT_THAT(m.dialogs.Texts(), ::testing::IsEmpty());
  EXPECT_EQ(olho, "OD");  // the eye as the examples page names it
  // Left and right of the centre, 1.5 mm out: before the lens a normal cornea of about 43 D,
  // after it the central flattening.
  std::array<double, 4> centro{};
  for (int i = 0; i < 4; ++i) {
    ASSERT_FALSE(mapas[i].isNull()) << i;
    double soma = 0;
    int n = 0;
    for (int dx : {-15, 15}) {
      const double p = PotenciaDoMapa(mapas[i], kandor::kCentroX + dx, kandor::kCentroY);
      if (std::isfinite(p)) soma += p, ++n;
    }
    ASSERT_GT(n, 0) << "map " << i + 1 << " has no scale colour near its centre";
    centro[i] = soma / n;
    EXPECT_GE(centro[i], 38) << i;
    EXPECT_LE(centro[i], 47) << i;
  }
  EXPECT_LT(centro[1], centro[0]) << "after the lens the centre is flatter";
}

TEST_F(ExemplosComModulos, HorvatShowsTheDifferenceBetweenTheFirstAndTheLastOrthokeratology) {
  auto b = AbreExemplos(5);
  QString k1, k2, central, titulo2;
  QuandoAparecer("frmSelecaoExames", [&](QWidget* j) {
    Escolhe(j, "cmbExame1", DataDoItem(1));
    Escolhe(j, "cmbExame2", DataDoItem(4));
    QuandoAparecer("frmMultiMapas", [&](QWidget* janela) {
      k1 = janela->findChild<QLabel*>("lblK1")->text();
      k2 = janela->findChild<QLabel*>("lblK2")->text();
      central = janela->findChild<QLabel*>("lblVariacaoCentral")->text();
      titulo2 = janela->findChild<QLabel*>("lblExame2")->text();
      janela->close();
    });
    j->findChild<QPushButton*>("btnProcessar")->click();
  });
  b->MapasClick("Horvat");
  EXPECT_THAT(m.dialogs.Texts(), ::testing::IsEmpty());
  EXPECT_NEAR(PrimeiroNumero(k1), 337.5 / 7.8, 1.0) << k1.toStdString();
  EXPECT_LT(PrimeiroNumero(k2), PrimeiroNumero(k1) - 1) << k2.toStdString();
  EXPECT_LT(PrimeiroNumero(central.remove(QChar(0x2212)).remove('-')), 5) << central.toStdString();
  EXPECT_TRUE(titulo2.contains(QString::fromStdString(DataDoItem(4)))) << titulo2.toStdString();
}

TEST_F(ExemplosComModulos, QuillonAndSennetShowTheKeratometryOfTheChosenExamples) {
  auto b = AbreExemplos(0);
  struct Caso {
    const char* modulo;
    std::vector<int> itens;  // the group's items chosen in lists 1, 2, ...
  } casos[] = {{"Quillon", {1, 2, 3}}, {"Sennet", {1, 5}}};
  for (const auto& c : casos) {
    std::vector<QString> ks, titulos;
    QuandoAparecer("frmSelecaoExames", [&](QWidget* j) {
      for (size_t i = 0; i < c.itens.size(); ++i)
        Escolhe(j, ("cmbExame" + std::to_string(i + 1)).c_str(), DataDoItem(c.itens[i]));
      QuandoAparecer("frmMultiMapas", [&](QWidget* janela) {
        for (size_t i = 1; i <= c.itens.size(); ++i) {
          ks.push_back(janela->findChild<QLabel*>(QString("lblK%1").arg(i))->text());
          titulos.push_back(janela->findChild<QLabel*>(QString("lblExame%1").arg(i))->text());
        }
        janela->close();
      });
      j->findChild<QPushButton*>("btnProcessar")->click();
    });
    b->MapasClick(c.modulo);
    EXPECT_THAT(m.dialogs.Texts(), ::testing::IsEmpty()) << c.modulo;
    ASSERT_EQ(ks.size(), c.itens.size()) << c.modulo;
    for (size_t i = 0; i < ks.size(); ++i) {
      // Keratoconus at the centre: steeper than a normal cornea, below 60 D.
      EXPECT_GT(PrimeiroNumero(ks[i]), 40) << c.modulo << " " << ks[i].toStdString();
      EXPECT_LT(PrimeiroNumero(ks[i]), 60) << c.modulo << " " << ks[i].toStdString();
      EXPECT_TRUE(titulos[i].contains(QString::fromStdString(DataDoItem(c.itens[i]))))
          << c.modulo << " " << titulos[i].toStdString();
    }
    if (std::string(c.modulo) == "Quillon") {
      // Three different cones: each list shows its own example's tables.
      EXPECT_NE(ks[0], ks[1]);
      EXPECT_NE(ks[1], ks[2]);
      EXPECT_NE(ks[0], ks[2]);
    } else {
      // The left eye is the right one mirrored: the same keratometry.
      EXPECT_NEAR(PrimeiroNumero(ks[0]), PrimeiroNumero(ks[1]), 0.3);
    }
  }
}

}  // namespace
}  // namespace zv::browser::test
