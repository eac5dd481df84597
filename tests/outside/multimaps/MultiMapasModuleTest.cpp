// The three multi-map modules loaded through the host's binding: their description and toolbar
// entries, the selection written back as the host reads it, the difference of two rendered
// spheres, the treatment zone of an orthokeratology follow-up taken with the capture module,
// and what they answer to exams they cannot show.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <array>
#include <cmath>
#include <cstring>
#include <map>

#include "ExameProcessado.h"
#include "JanelaModulo.h"
#include "ModeloOlho.h"
#include "NumberFormat.h"
#include "ScriptedDialogs.h"
#include "SimulatedCalibration.h"
#include "Streams.h"
#include "TestPaths.h"
#include "TextFile.h"
#include "UBCapturaOrtoDLL.h"
#include "UBMapasDLL.h"
#include "UBProcuraModulos.h"

namespace {

using zv::test::Exame;
using zv::test::QuandoAparecer;
using zv::test::QuandoMensagem;

// The exams of one call as the host hands them: header streams and tables in selection order.
struct Chamada {
  static constexpr int kMaximo = 4;
  std::vector<std::unique_ptr<zv::MemoryStream>> cabecalhos;
  std::vector<TZVStream*> handles;
  std::unique_ptr<TMatrizAngAnel[]> pixels{new TMatrizAngAnel[kMaximo]},
      dioptrias{new TMatrizAngAnel[kMaximo]};
  std::unique_ptr<TMatrizAng[]> aneis{new TMatrizAng[kMaximo]};
  TPupila pupilas[kMaximo] = {};
  zv::MemoryStream saidaWizard;

  void Adiciona(const Exame& e, const std::string& olho, const std::string& data) {
    const size_t k = handles.size();
    ASSERT_LT(k, size_t{kMaximo});
    cabecalhos.push_back(std::make_unique<zv::MemoryStream>());
    zv::StreamWriteLines(cabecalhos.back()->Handle(),
                         {"Maria Souza", "12", "RG 1", olho, data, "09:30:00", "Dr. Paulo", "98"});
    handles.push_back(cabecalhos.back()->Handle());
    std::memcpy(pixels[k], e.pixels, sizeof(TMatrizAngAnel));
    std::memcpy(dioptrias[k], e.dioptrias, sizeof(TMatrizAngAnel));
    std::memcpy(aneis[k], e.aneis, sizeof(TMatrizAng));
  }
  int32_t Executa(QWidget* hospedeiro, const TInfosZV& infos, int32_t n = -1) {
    const int32_t c = static_cast<int32_t>(handles.size());
    return zv::UBMapasDLL::ProcessaMapas(hospedeiro, {handles.data(), c}, {pixels.get(), c},
                                         {aneis.get(), c}, {dioptrias.get(), c}, {pupilas, c},
                                         n < 0 ? c : n, saidaWizard.Handle(), infos);
  }
};

double Numero(const QString& texto) {
  const QString n = texto.section(':', 1).trimmed().section(' ', 0, 0);
  return n.isEmpty() ? std::nan("") : zv::StrToFloat(n.toStdString());
}

class MultiMapas : public zv::test::SuiteDeExames {
 protected:
  void TearDown() override { zv::UBMapasDLL::LiberaModulo(); }
  static void Carrega(const std::string& modulo) {
    ASSERT_TRUE(zv::UBMapasDLL::CarregaModulo(zv::test::BinDir() + "/" + modulo + ".so"));
  }
  static std::unique_ptr<Exame> Esfera(double raio) {
    placido::Cornea esfera;
    esfera.apicalRadiusMm = raio;
    return zv::test::Processa(esfera, Coef());
  }
};

TEST_F(MultiMapas, TheHostsScanRegistersThemAsWizardsWithTheirPictures) {
  zv::test::TempDir mapas;
  for (const char* modulo : {"Horvat", "Quillon", "Sennet"})
    for (const char* extensao : {".so", ".bmp"}) {
      const std::string nome = std::string(modulo) + extensao;
      zv::WriteFileAtomic(mapas / nome, zv::ReadFileBytes(zv::test::BinDir() + "/" + nome));
    }
  zv::test::ScriptedDialogs dialogos;
  zv::TBProcuraModulos scan(dialogos);
  scan.ProcuraModulos(mapas.path());
  const std::vector<std::string> lista = {"Mapa Dual OD/OS",    "Wizard", "2", "1.2.0.0",
                                          "Mapas Comparativos", "Wizard", "4", "1.2.0.0",
                                          "Mapa Diferencial",   "Wizard", "3", "1.2.0.0"};
  EXPECT_EQ(scan.ListaModulos(), lista);
  ASSERT_EQ(scan.Botoes().size(), 3u);
  for (const auto& botao : scan.Botoes()) {
    EXPECT_EQ(botao.clique, zv::TipoClique::MapasClick) << botao.caption;
    EXPECT_EQ(botao.normal.size(), QSize(24, 24)) << botao.caption;
  }
}

// Chooses item `item` of list i as the operator does.
void Escolhe(QWidget* janela, int i, int item) {
  auto* lista = janela->findChild<QComboBox*>(QString("cmbExame%1").arg(i));
  lista->setCurrentIndex(item);
  emit lista->activated(item);
}

TEST_F(MultiMapas, WizardWritesTheChosenLinesAsTheHostReadsThem) {
  Carrega("Quillon");
  zv::MemoryStream lista, selecionados(std::string(200, 'x')), extra;
  zv::StreamWriteLines(
      lista.Handle(), {"Olho Direito - 10/01/2005 14:32:10", "Olho Esquerdo - 10/01/2005 14:35:00",
                       "Olho Direito - 12/01/2005 09:00:00", "Olho Direito - 15/01/2005 09:00:00"});
  QuandoAparecer("frmSelecaoExames", [](QWidget* j) {
    Escolhe(j, 1, 2);
    Escolhe(j, 2, 0);
    Escolhe(j, 3, 0);
    QTest::mouseClick(j->findChild<QPushButton*>("btnProcessar"), Qt::LeftButton);
  });
  EXPECT_EQ(zv::UBMapasDLL::Wizard(&hospedeiro, lista.Handle(), selecionados.Handle(),
                                   extra.Handle(), infos),
            1);
  EXPECT_EQ(selecionados.Bytes(),
            "Olho Direito - 15/01/2005 09:00:00\r\nOlho Direito - 10/01/2005 14:32:10\r\n"
            "Olho Direito - 12/01/2005 09:00:00\r\n");
  zv::UBMapasDLL::LiberaModulo();

  // The differential module's list: the type letter stays in the extra output only.
  Carrega("Horvat");
  zv::MemoryStream listaOrto, sel, extraOrto;
  zv::StreamWriteLines(listaOrto.Handle(), {"TOlho Esquerdo - 10/01/2005 14:35:00",
                                            "OOlho Esquerdo - 20/01/2005 08:00:00"});
  QuandoAparecer("frmSelecaoExames", [](QWidget* j) {
    Escolhe(j, 1, 0);
    Escolhe(j, 2, 0);
    QTest::mouseClick(j->findChild<QPushButton*>("btnProcessar"), Qt::LeftButton);
  });
  EXPECT_EQ(zv::UBMapasDLL::WizardOrto(&hospedeiro, listaOrto.Handle(), sel.Handle(),
                                       extraOrto.Handle(), 1, infos),
            1);
  EXPECT_EQ(sel.Bytes(),
            "Olho Esquerdo - 10/01/2005 14:35:00\r\nOlho Esquerdo - 20/01/2005 08:00:00\r\n");
  EXPECT_EQ(extraOrto.Bytes(),
            "TOlho Esquerdo - 10/01/2005 14:35:00\r\nOOlho Esquerdo - 20/01/2005 08:00:00\r\n");

  // Esc gives 0 and writes nothing.
  zv::MemoryStream vazio;
  QuandoAparecer("frmSelecaoExames", [](QWidget* j) { QTest::keyClick(j, Qt::Key_Escape); });
  EXPECT_EQ(zv::UBMapasDLL::WizardOrto(&hospedeiro, listaOrto.Handle(), vazio.Handle(), nullptr, 1,
                                       infos),
            0);
  EXPECT_TRUE(vazio.Bytes().empty());
}

// The difference map read under the pointer in twelve directions at radii 0.25 mm apart.  The
// detector's whole-pixel sampling scatters single meridians of each sphere's table by about a
// tenth of a dioptre, which the tangential slope magnifies, and the conversion of the innermost
// rings reads the two spheres about 0.1 D apart from their powers each way: the mean of the
// twelve directions is what must be uniform, from 0.75 mm outwards on the axial map.
TEST_F(MultiMapas, DifferenceOfTwoRenderedSpheresIsUniform) {
  const auto antes = Esfera(7.8), depois = Esfera(8.2);
  const double esperado = 337.5 / 8.2 - 337.5 / 7.8;  // -2.11 D
  Chamada chamada;
  chamada.Adiciona(*antes, "Olho Direito", "10/01/2026");
  chamada.Adiciona(*depois, "Olho Direito", "10/02/2026");
  Carrega("Horvat");
  int medidas = 0;
  std::map<std::string, QString> textos;
  QuandoAparecer("frmMultiMapas", [&](QWidget* j) {
    auto* dif = j->findChild<QLabel*>("imgDiferenca");
    auto* leitura = j->findChild<QLabel*>("lblLeituraDiferenca");
    const struct {
      const char* tipo;
      double deMm, ateMm, media, cada;  // radii, tolerance of the mean and of each reading
    } leituras[] = {{"rbtAxial", 0.75, 4.5, 0.05, 0.3}, {"rbtTangencial", 0.25, 4.25, 0.15, 0.6}};
    for (const auto& l : leituras) {
      QTest::mouseClick(j->findChild<QWidget*>(l.tipo), Qt::LeftButton);
      textos[l.tipo] = j->findChild<QLabel*>("lblVariacaoCentral")->text();
      for (double r = l.deMm; r <= l.ateMm; r += 0.25) {
        double soma = 0;
        for (double graus = 0; graus < 360; graus += 30) {
          zv::test::MovePonteiro(dif, r, graus);
          const double lido = Numero(leitura->text());
          EXPECT_NEAR(lido, esperado, l.cada) << l.tipo << " r " << r << " mm at " << graus;
          soma += lido;
          ++medidas;
        }
        EXPECT_NEAR(soma / 12, esperado, l.media) << l.tipo << " r " << r << " mm";
      }
    }
    textos["zona"] = j->findChild<QLabel*>("lblZonaTratamento")->text();
    j->close();
  });
  chamada.Executa(&hospedeiro, infos);
  EXPECT_EQ(medidas, (16 + 17) * 12);
  // The central change is read inside 0.5 mm, where the innermost rings are.
  EXPECT_NEAR(Numero(textos["rbtAxial"]), esperado, 0.3) << textos["rbtAxial"].toStdString();
  EXPECT_NEAR(Numero(textos["rbtTangencial"]), esperado, 0.3);
  // A uniform change has no rim: no treatment zone.
  EXPECT_EQ(textos["zona"], "Zona de tratamento: não definida");
}

TEST_F(MultiMapas, OrthokeratologyFollowUpFromTheCaptureModuleGivesTheModelledTreatmentZone) {
  ASSERT_TRUE(zv::UBCapturaOrtoDLL::CarregaModulo(zv::test::BinDir() + "/CapturaOrto.so"));
  std::array<zv::MemoryStream, 4> centrais, laterais;
  std::array<TZVStream*, 4> c{}, l{};
  for (int i = 0; i < 4; ++i) c[i] = centrais[i].Handle(), l[i] = laterais[i].Handle();
  const captura::ModeloOlho modelo;  // what the window opens with
  QuandoAparecer("frmCaptura", [](QWidget* j) {
    QTest::mouseClick(j->findChild<QPushButton*>("btnCapturar"), Qt::LeftButton);
  });
  zv::UBCapturaOrtoDLL::Digitalizar(&hospedeiro, c.data(), l.data(), 1,
                                    "Digitalizando Imagem do Olho");
  zv::UBCapturaOrtoDLL::LiberaModulo();
  auto Imagem = [](const zv::MemoryStream& s) {
    QImage img;
    img.loadFromData(reinterpret_cast<const uchar*>(s.Bytes().data()),
                     static_cast<int>(s.Bytes().size()), "BMP");
    return img.convertToFormat(QImage::Format_RGB32);
  };
  const auto antes = zv::test::ProcessaImagem(Imagem(centrais[0]), Coef());
  const auto depois = zv::test::ProcessaImagem(Imagem(centrais[3]), Coef());
  Chamada chamada;
  chamada.Adiciona(*antes, "Olho Direito", "10/01/2026");
  chamada.Adiciona(*depois, "Olho Direito", "13/01/2026");
  zv::StreamWriteLines(chamada.saidaWizard.Handle(), {"TOlho Direito - 10/01/2026 09:30:00",
                                                      "OOlho Direito - 13/01/2026 09:30:00"});
  Carrega("Horvat");
  QString zona, central, titulo;
  QuandoAparecer("frmMultiMapas", [&](QWidget* j) {
    zona = j->findChild<QLabel*>("lblZonaTratamento")->text();
    central = j->findChild<QLabel*>("lblVariacaoCentral")->text();
    titulo = j->findChild<QLabel*>("lblExame2")->text();
    j->close();
  });
  chamada.Executa(&hospedeiro, infos);
  EXPECT_NEAR(Numero(zona), modelo.zonaTratamento, 0.5) << zona.toStdString();
  // The modelled flattening shows at the centre of the tangential map.
  EXPECT_NEAR(Numero(central), -modelo.achatamento, 0.75) << central.toStdString();
  EXPECT_TRUE(titulo.endsWith("[Orto]")) << titulo.toStdString();
}

TEST_F(MultiMapas, ComparativeMapsShareTheScaleAndReadTheSameSpotOnEveryMap) {
  const auto a = Esfera(7.6), b = Esfera(7.8), d = Esfera(8.0);
  Chamada chamada;
  chamada.Adiciona(*a, "Olho Esquerdo", "10/01/2026");
  chamada.Adiciona(*b, "Olho Esquerdo", "10/02/2026");
  chamada.Adiciona(*d, "Olho Esquerdo", "10/03/2026");
  // What the selection wrote to its extra output: lines without a type letter.
  zv::StreamWriteLines(chamada.saidaWizard.Handle(), {"Olho Esquerdo - 10/01/2026 09:30:00",
                                                      "Olho Esquerdo - 10/02/2026 09:30:00",
                                                      "Olho Esquerdo - 10/03/2026 09:30:00"});
  Carrega("Quillon");
  std::vector<double> leituras, ks;
  std::vector<QString> titulos;
  bool aviso = true;
  QuandoAparecer("frmMultiMapas", [&](QWidget* j) {
    zv::test::MovePonteiro(j->findChild<QLabel*>("imgMapa2"), 1.0, 45);
    for (int i = 1; i <= 3; ++i) {
      leituras.push_back(
          Numero(": " + j->findChild<QLabel*>(QString("lblLeitura%1").arg(i))->text()));
      ks.push_back(Numero(j->findChild<QLabel*>(QString("lblK%1").arg(i))->text()));
      titulos.push_back(j->findChild<QLabel*>(QString("lblExame%1").arg(i))->text());
    }
    aviso = j->findChild<QLabel*>("lblAviso")->isVisible();
    j->close();
  });
  chamada.Executa(&hospedeiro, infos);
  ASSERT_EQ(leituras.size(), 3u);
  const double raios[] = {7.6, 7.8, 8.0};
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(leituras[i], 337.5 / raios[i], 0.3) << i;  // one meridian
    EXPECT_NEAR(ks[i], 337.5 / raios[i], 0.1) << i;
  }
  EXPECT_EQ(titulos[0], "Exame 1: Olho Esquerdo  10/01/2026 09:30:00");  // a standard exam
  EXPECT_FALSE(aviso);
}

TEST_F(MultiMapas, ExamsTheModulesCannotShowGiveAMessageAndNoWindow) {
  const auto esfera = Esfera(7.8);
  auto vazio = std::make_unique<Exame>();
  for (auto& linha : vazio->dioptrias)
    for (double& v : linha) v = std::nan("");
  for (auto& n : vazio->aneis) n = 32;
  const struct {
    const char* modulo;
    std::vector<std::pair<const Exame*, const char*>> exames;
    const char* mensagem;
  } casos[] = {
      {"Quillon",
       {{esfera.get(), "Olho Direito"}, {esfera.get(), "Olho Direito"}},
       "Número insuficiente de exames"},
      {"Sennet", {{esfera.get(), "Olho Direito"}}, "Número insuficiente de exames"},
      {"Horvat",
       {{esfera.get(), "Olho Direito"}, {esfera.get(), "Olho Esquerdo"}},
       "devem ser do mesmo olho"},
      {"Horvat",
       {{esfera.get(), "Olho Direito"}, {vazio.get(), "Olho Direito"}},
       "não possui anéis válidos"},
      {"Sennet",
       {{vazio.get(), "Olho Direito"}, {vazio.get(), "Olho Esquerdo"}},
       "não possuem anéis válidos"},
  };
  for (const auto& caso : casos) {
    Chamada chamada;
    for (const auto& [exame, olho] : caso.exames) chamada.Adiciona(*exame, olho, "10/01/2026");
    Carrega(caso.modulo);
    std::string mensagem;
    QuandoMensagem(mensagem);
    EXPECT_EQ(chamada.Executa(&hospedeiro, infos), 0);
    EXPECT_NE(mensagem.find(caso.mensagem), std::string::npos) << caso.modulo << ": " << mensagem;
    zv::UBMapasDLL::LiberaModulo();
  }
  // More exams announced than the arrays hold.
  Chamada curta;
  curta.Adiciona(*esfera, "Olho Direito", "10/01/2026");
  curta.Adiciona(*esfera, "Olho Direito", "11/01/2026");
  Carrega("Horvat");
  std::string mensagem;
  QuandoMensagem(mensagem);
  EXPECT_EQ(curta.Executa(&hospedeiro, infos, 3), 0);
  EXPECT_FALSE(mensagem.empty());
}

TEST_F(MultiMapas, DualMapWarnsWhenTheExamsHaveDifferentRingCounts) {
  const auto esfera = Esfera(7.8);
  auto dezesseis = std::make_unique<Exame>(*esfera);
  for (auto& n : dezesseis->aneis) n = std::min(n, 16);
  Chamada chamada;
  chamada.Adiciona(*esfera, "Olho Direito", "10/01/2026");
  chamada.Adiciona(*dezesseis, "Olho Esquerdo", "10/01/2026");
  Carrega("Sennet");
  QString aviso;
  bool visivel = false;
  QuandoAparecer("frmMultiMapas", [&](QWidget* j) {
    auto* l = j->findChild<QLabel*>("lblAviso");
    aviso = l->text();
    visivel = l->isVisible();
    j->close();
  });
  chamada.Executa(&hospedeiro, infos);
  EXPECT_TRUE(visivel);
  EXPECT_TRUE(aviso.contains("(16 e 32)")) << aviso.toStdString();
}

}  // namespace
