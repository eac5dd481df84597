// A clinic's day on a real installation, end to end: the real main window, browser,
// registration and new-exam windows over a real database, with the real built capture,
// processing, Vessik, Kandor and Pelmo modules, every window driven as an operator drives it.
// The oracle is the modules themselves: called again on the same captures, outside the
// workflow, they give the tables that the stored exams must hold.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "Installation.h"
#include "JanelaModulo.h"
#include "NumberFormat.h"
#include "QtDialogs.h"
#include "Streams.h"
#include "TestDatabase.h"
#include "TextFile.h"
#include "UBArquivosExame.h"
#include "UBCapturaDLL.h"
#include "UBCapturaOrtoDLL.h"
#include "UBJpeg.h"
#include "UBMapOperation.h"
#include "UBProcDLL.h"
#include "UBProcOrtoDLL.h"
#include "UDArquivos.h"
#include "UfrmNovoExame.h"
#include "UfrmPrincipalView.h"

namespace zv {
namespace {

namespace fs = std::filesystem;
using test::QuandoAparecer;

constexpr const char* kMedico = "Dra. Luíza D'Ávila";
constexpr const char* kPaciente = "João Conceição";
constexpr const char* kTitulo = "Digitalizando Imagem do Olho";

void Clica(QWidget* janela, const char* nome) {
  auto* botao = janela->findChild<QAbstractButton*>(nome);
  ASSERT_NE(botao, nullptr) << nome;
  botao->click();
}

template <class T>
T* Filho(QWidget* janela, const char* nome) {
  T* w = janela->findChild<T*>(nome);
  EXPECT_NE(w, nullptr) << nome;
  return w;
}

std::string Selecionado(QWidget* janela, const char* lista) {
  auto* l = Filho<QListWidget>(janela, lista);
  return l && l->currentItem() ? l->currentItem()->text().toStdString() : std::string();
}

std::string TextoDa(QWidget* janela, const char* caixa) {
  return Filho<QComboBox>(janela, caixa)->currentText().toStdString();
}

// Answers the next message box with its default button, keeping its text.
void Responde(std::vector<std::string>& textos) {
  QuandoAparecer("QMessageBox", [&textos](QWidget* w) {
    auto* caixa = static_cast<QMessageBox*>(w);
    textos.push_back(caixa->text().toStdString());
    caixa->accept();
  });
}

bool AvisoVisivel() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "frmAguarde" && w->isVisible()) return true;
  return false;
}

// ---- what the operator does in the modules' windows, in the workflow and for the oracle

// Right eye: a toric cornea with its curved meridian at 30 degrees.
void CapturaToro(QWidget* janela) {
  auto* modelo = Filho<QComboBox>(janela, "cbxModelo");
  modelo->setCurrentIndex(modelo->findText("Tórica"));
  Filho<QDoubleSpinBox>(janela, "edtEixo")->setValue(30);
  Clica(janela, "btnCapturar");
}

// Left eye: a follow-up flattening the centre by 4 D.
void CapturaOrto(QWidget* janela) {
  Filho<QDoubleSpinBox>(janela, "edtAchatamento")->setValue(4.0);
  Clica(janela, "btnCapturar");
}

void AceitaRevisao(QWidget* janela) {
  Clica(janela, "btnOK");
}

// The four images processed automatically (the pointer over the picture), then "OK".
void RevisaQuatro(QWidget* janela) {
  auto* imagem = Filho<QWidget>(janela, "Image1");
  for (int i = 0; i < 4; ++i) {
    const QPointF ponto(100 + i, 100);
    QMouseEvent mover(QEvent::MouseMove, ponto, imagem->mapToGlobal(ponto), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(imagem, &mover);
    if (i < 3) Clica(janela, "btnProxima");
  }
  Clica(janela, "btnOK");
}

// Runs the current step of an eye of the new-exam window, with `acao` on the window that the
// step's module opens (none for the save); true when the eye moved on to the next step.
bool ExecutaPasso(QWidget* janela, int olho, const char* modulo,
                  const std::function<void(QWidget*)>& acao) {
  auto& modelo = static_cast<exam::TfrmNovoExameView*>(janela)->Model();
  const int antes = modelo.Passo(olho);
  if (modulo) QuandoAparecer(modulo, acao);
  Clica(janela, olho == exam::TfrmNovoExame::kDireito ? "sbtExecutarD" : "sbtExecutarS");
  EXPECT_EQ(modelo.Passo(olho), antes + 1) << "step " << antes << ": " << (modulo ? modulo : "");
  return modelo.Passo(olho) == antes + 1;
}

// ---- the oracle: the modules called on their own

struct TabelasPadrao {
  TMatrizAngAnel pixels{}, dioptrias{};
  TMatrizAng aneis{};
  TPupila pupila{};
  double cx = 0, cy = 0, indice = 0;
};

std::unique_ptr<TabelasPadrao> ProcessaPadrao(const TZVRecords& r) {
  QWidget hospedeiro;
  MemoryStream central, lateral;
  EXPECT_TRUE(UBCapturaDLL::CarregaModulo(r.Paths.ModDigitalizacao));
  QuandoAparecer("frmCaptura", CapturaToro);
  UBCapturaDLL::Digitalizar(&hospedeiro, central.Handle(), lateral.Handle(), 1, kTitulo);
  UBCapturaDLL::LiberaModulo();
  auto t = std::make_unique<TabelasPadrao>();
  EXPECT_TRUE(UBProcDLL::CarregaModulo(r.Paths.ModProcessamento));
  QuandoAparecer("frmRevisao", AceitaRevisao);
  StreamRewind(central.Handle());
  EXPECT_EQ(
      UBProcDLL::ProcessaImagem(&hospedeiro, central.Handle(), &t->cx, &t->cy, &t->pixels,
                                &t->aneis, &t->dioptrias, &t->pupila, &t->indice, r.Infos, r.Paths),
      1);
  UBProcDLL::LiberaModulo();
  return t;
}

struct TabelasOrto {
  std::vector<std::string> pixels, dioptrias, valores;
  std::array<double, 4> indices{};
};

TabelasOrto ProcessaOrto(const TZVRecords& r) {
  QWidget hospedeiro;
  std::array<MemoryStream, 4> centrais, laterais;
  std::array<TZVStream*, 4> c{}, l{};
  for (int i = 0; i < 4; ++i) c[i] = centrais[i].Handle(), l[i] = laterais[i].Handle();
  EXPECT_TRUE(UBCapturaOrtoDLL::CarregaModulo(r.Paths.ModDigitalizacaoOrto));
  QuandoAparecer("frmCaptura", CapturaOrto);
  UBCapturaOrtoDLL::Digitalizar(&hospedeiro, c.data(), l.data(), 0, kTitulo);
  UBCapturaOrtoDLL::LiberaModulo();
  for (auto* s : c) StreamRewind(s);
  MemoryStream pixels, dioptrias, valores;
  TabelasOrto t;
  EXPECT_TRUE(UBProcOrtoDLL::CarregaModulo(r.Paths.ModProcOrto));
  QuandoAparecer("frmInicial", RevisaQuatro);
  EXPECT_EQ(
      UBProcOrtoDLL::ProcessaImagem(&hospedeiro, c.data(), pixels.Handle(), dioptrias.Handle(),
                                    valores.Handle(), t.indices.data(), r.Infos, r.Paths),
      1);
  UBProcOrtoDLL::LiberaModulo();
  t.pixels = DecodeLines(pixels.Bytes());
  t.dioptrias = DecodeLines(dioptrias.Bytes());
  t.valores = DecodeLines(valores.Bytes());
  return t;
}

// The first cell where a table read back from the exam files differs from the module's table
// by more than the files' two decimals; empty when none does.
std::string Diferenca(const char* nome, const TMatrizAngAnel& lido, const TMatrizAngAnel& modulo,
                      int aneis) {
  for (int k = 0; k < 360; ++k)
    for (int j = 0; j <= aneis; ++j)
      if (std::abs(lido[k][j] - modulo[k][j]) > 0.005 + 1e-9)
        return std::string(nome) + "[" + std::to_string(k) + "][" + std::to_string(j) +
               "]: " + std::to_string(lido[k][j]) + " != " + std::to_string(modulo[k][j]);
  return {};
}

void ComparaExamePadrao(const TBMapOperation& op, const TabelasPadrao& t, int aneis) {
  auto lido = std::make_unique<TabelasPadrao>();
  op.GetPixelTable(lido->pixels);
  op.GetDioptreTable(lido->dioptrias);
  op.GetRingCounts(lido->aneis);
  op.GetPupil(lido->pupila);
  EXPECT_EQ(Diferenca("dioptrias", lido->dioptrias, t.dioptrias, aneis), "");
  EXPECT_EQ(Diferenca("pixels", lido->pixels, t.pixels, aneis), "");
  EXPECT_TRUE(std::equal(std::begin(lido->aneis), std::end(lido->aneis), std::begin(t.aneis)));
  EXPECT_TRUE(std::equal(std::begin(lido->pupila), std::end(lido->pupila), std::begin(t.pupila)));
  EXPECT_NEAR(op.GetCenterX(), t.cx, 0.005);
  EXPECT_NEAR(op.GetCenterY(), t.cy, 0.005);
}

// The first line where a file differs from the module's lines; empty when none does.
std::string LinhaDiferente(const std::vector<std::string>& arquivo,
                           const std::vector<std::string>& modulo) {
  if (arquivo.size() != modulo.size())
    return std::to_string(arquivo.size()) + " lines, not " + std::to_string(modulo.size());
  for (size_t k = 0; k < modulo.size(); ++k)
    if (arquivo[k] != modulo[k]) return "line " + std::to_string(k) + ": " + arquivo[k];
  return {};
}

struct ExameGravado {
  int codigo, codResp;
  std::string olho, tipo;
  double indice;
};

// ---- the day

class DiaNaClinica : public ::testing::Test {
 protected:
  void SetUp() override {
    inst.CreateDatabase();
    for (const char* m : {"Captura", "CapturaOrto", "Processamento", "Vessik"})
      fs::copy_file(test::BinDir() + "/" + m + ".so", inst / (std::string(m) + ".so"));
    for (const char* m : {"Kandor.so", "Pelmo.so", "Pelmo.bmp"})
      fs::copy_file(test::BinDir() + "/" + m, inst / (std::string("Mapas/") + m));
    // The calibration of the simulated camera, as the demo installation has it.
    const std::string calibra = test::BinDir() + "/demo-calibration --rings 32 --out '" +
                                inst / "Calibração/Coef.txt" + "'";
    ASSERT_EQ(std::system(calibra.c_str()), 0) << calibra;
    // No question about a low confidence in the review windows.
    inst.SetSetting("INDICECONF", "0");
    inst.SetSetting("AUTOEXAME", "1");
  }

  std::vector<ExameGravado> Exames(int paciente) {
    std::vector<ExameGravado> lista;
    auto& q = dm.Operation(
        "SELECT Codigo, CodResp, Olho, TipoExame, IndConf FROM Exames WHERE CodPaciente = :P "
        "ORDER BY Codigo");
    q.SetParam("P", paciente);
    for (q.Open(); !q.Eof(); q.Next())
      lista.push_back({static_cast<int>(q.FieldByName("Codigo").AsInteger()),
                       static_cast<int>(q.FieldByName("CodResp").AsInteger()),
                       q.FieldByName("Olho").AsString(), q.FieldByName("TipoExame").AsString(),
                       q.FieldByName("IndConf").AsFloat()});
    q.Close();
    return lista;
  }
  // The column N of the first row of `sql`.
  int Inteiro(const std::string& sql) {
    auto& q = dm.Operation(sql);
    q.Open();
    const int n = q.Eof() ? -1 : static_cast<int>(q.FieldByName("N").AsInteger());
    q.Close();
    return n;
  }
  std::vector<std::string> Arquivo(int paciente, int exame, char letra) {
    return DecodeLines(
        ReadFileBytes(CaminhoArquivoExame(records.Paths.DirExames, paciente, exame, letra)));
  }

  test::Installation inst;
  QtDialogs dialogs;
  data::TDMPrincipal dm{dialogs};
  TZVRecords records;
};

TEST_F(DiaNaClinica, RegisterExamineSaveAndOpenTheMapsAgain) {
  TfrmPrincipalView principal(dm, records, {"", inst.Root(), inst.NoFixedLocation()});
  principal.show();
  for (int i = 0; i < 300 && !principal.Model().Iniciado(); ++i) QTest::qWait(10);
  ASSERT_TRUE(principal.Model().Iniciado());
  // A window left open by a failure would wait for the operator for ever.
  QTimer::singleShot(180000, [] {
    std::fprintf(stderr, "the clinic's day did not end; windows open:\n");
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!w->isVisible()) continue;
      const auto* caixa = qobject_cast<QMessageBox*>(w);
      std::fprintf(stderr, "  %s %s\n", qPrintable(w->objectName()),
                   caixa ? qPrintable(caixa->text()) : "");
    }
    std::abort();
  });
  std::vector<std::string> mensagens;

  // The doctor, through the main window's doctors button.
  QuandoAparecer("frmCadastroMedicos", [](QWidget* form) {
    Clica(form, "sbtAdd");
    Filho<QLineEdit>(form, "dbeNome")->setText(kMedico);
    Clica(form, "sbtAtualizar");
    Clica(form, "btnFechar");
  });
  QTest::mouseClick(principal.findChild<QWidget*>("BtnImage1"), Qt::LeftButton);
  const int medico = Inteiro("SELECT Codigo AS N FROM Medicos");
  ASSERT_GT(medico, 0);

  // The new-exam window of the right eye: the doctor is chosen by hand (the browser shows the
  // patients without exams), then capture, rings, map and save.
  bool avisoNoMapa = false;
  const auto exameDireito = [&](QWidget* janela) {
    constexpr int D = exam::TfrmNovoExame::kDireito;
    auto* medicos = Filho<QComboBox>(janela, "ComboMedicos");
    EXPECT_EQ(medicos->currentText(), "");
    medicos->setCurrentIndex(medicos->findText(kMedico));
    const bool gravado = ExecutaPasso(janela, D, "frmCaptura", CapturaToro) &&
                         ExecutaPasso(janela, D, "frmRevisao", AceitaRevisao) &&
                         ExecutaPasso(janela, D, "frmMapaSimples",
                                      [&](QWidget* mapa) {
                                        avisoNoMapa = AvisoVisivel();
                                        QTest::keyClick(mapa, Qt::Key_Escape);
                                      }) &&
                         (Responde(mensagens), ExecutaPasso(janela, D, nullptr, {}));
    if (!gravado) return static_cast<void>(janela->close());
    Clica(janela, "sbtFechar");
  };
  // The orthokeratology window of the left eye starts on the browser's doctor.
  std::string medicoOrto;
  const auto exameEsquerdo = [&](QWidget* janela) {
    constexpr int S = exam::TfrmNovoExame::kEsquerdo;
    medicoOrto = TextoDa(janela, "ComboMedicos");
    const bool gravado =
        ExecutaPasso(janela, S, "frmCaptura", CapturaOrto) &&
        ExecutaPasso(janela, S, "frmInicial", RevisaQuatro) &&
        ExecutaPasso(janela, S, "frmMapa", [](QWidget* mapa) { Clica(mapa, "btnFechar"); }) &&
        (Responde(mensagens), ExecutaPasso(janela, S, nullptr, {}));
    if (!gravado) return static_cast<void>(janela->close());
    Clica(janela, "sbtFechar");
  };

  // The browser: a new patient, whose exam opens at once (AutoExame); after its save the
  // browser shows the patient under the exam's doctor, and "Orto" opens the left eye's exam.
  std::string filtroAposCadastro, pacienteAposCadastro, filtroAposExame, pacienteAposExame;
  QuandoAparecer("frmExames", [&](QWidget* navegador) {
    QuandoAparecer("frmNovoPaciente", [](QWidget* dialogo) {
      Filho<QLineEdit>(dialogo, "edtNomePac")->setText(kPaciente);
      QuandoAparecer("frmCadastroPacientes", [](QWidget* form) {
        Filho<QLineEdit>(form, "dbeRG")->setText("12.345.678-9");
        Clica(form, "sbtOk");
      });
      Clica(dialogo, "Button1");
    });
    QuandoAparecer("frmNovoExame", [&](QWidget* janela) {
      filtroAposCadastro = TextoDa(navegador, "CBMedicos");
      pacienteAposCadastro = Selecionado(navegador, "DBGridPacientes");
      exameDireito(janela);
    });
    Clica(navegador, "tbtCadPaciente");
    filtroAposExame = TextoDa(navegador, "CBMedicos");
    pacienteAposExame = Selecionado(navegador, "DBGridPacientes");
    QuandoAparecer("frmNovoExame", exameEsquerdo);
    Clica(navegador, "tbExameOrto1");
    Clica(navegador, "btnFechar");
  });
  QTest::mouseClick(principal.findChild<QWidget*>("BtnImage0"), Qt::LeftButton);

  EXPECT_EQ(filtroAposCadastro, "*** Sem Exames");
  EXPECT_EQ(pacienteAposCadastro, kPaciente);
  EXPECT_EQ(filtroAposExame, kMedico);
  EXPECT_EQ(pacienteAposExame, kPaciente);
  EXPECT_EQ(medicoOrto, kMedico);
  EXPECT_TRUE(avisoNoMapa) << "the wait notice is up while the map opens";
  EXPECT_EQ(mensagens,
            (std::vector<std::string>{"Exame gravado com sucesso", "Exame gravado com sucesso"}));

  // What was stored: one standard exam of the right eye, four orthokeratology exams of the left.
  const int paciente = Inteiro("SELECT Codigo AS N FROM Pacientes");
  const auto exames = Exames(paciente);
  ASSERT_EQ(exames.size(), 5u);
  EXPECT_EQ(Inteiro("SELECT TotalExames AS N FROM Pacientes"), 5);
  const TabelasOrto orto = ProcessaOrto(records);
  const auto padrao = ProcessaPadrao(records);
  const int aneis = records.Infos.NumAneis;
  EXPECT_EQ(exames[0].olho, "OD");
  EXPECT_EQ(exames[0].tipo, "T");
  EXPECT_EQ(exames[0].codResp, medico);
  EXPECT_DOUBLE_EQ(exames[0].indice, padrao->indice);
  TBMapOperation arquivos(dialogs);
  ASSERT_TRUE(arquivos.LoadExam(std::string(records.Paths.DirExames) + "/" +
                                std::to_string(paciente) + "/" + std::to_string(exames[0].codigo)));
  ComparaExamePadrao(arquivos, *padrao, aneis);
  MemoryStream central, lateral;
  data::TDArquivos(dm).LeImagens(exames[0].codigo, central.Handle(), lateral.Handle());
  EXPECT_TRUE(data::TBJpeg::DescomprimeJpeg(central.Handle())) << "the central image as JPEG";

  ASSERT_EQ(orto.dioptrias.size(), 1440u);
  ASSERT_EQ(orto.valores.size(), 16u);
  for (int i = 0; i < 4; ++i) {
    const ExameGravado& e = exames[static_cast<size_t>(i) + 1];
    SCOPED_TRACE("image " + std::to_string(i + 1));
    EXPECT_EQ(e.olho, "OS");
    EXPECT_EQ(e.tipo, "O");
    EXPECT_EQ(e.codResp, medico);
    EXPECT_DOUBLE_EQ(e.indice, orto.indices[static_cast<size_t>(i)]);
    const auto bloco = [i](const std::vector<std::string>& linhas) {
      return std::vector<std::string>(linhas.begin() + i * 360, linhas.begin() + (i + 1) * 360);
    };
    EXPECT_EQ(LinhaDiferente(Arquivo(paciente, e.codigo, 'd'), bloco(orto.dioptrias)), "");
    EXPECT_EQ(LinhaDiferente(Arquivo(paciente, e.codigo, 'm'), bloco(orto.pixels)), "");
    auto& q = dm.Operation("SELECT Sag, Div, Raio FROM ExamesOrto WHERE CodExame = :C");
    q.SetParam("C", e.codigo);
    q.Open();
    ASSERT_FALSE(q.Eof());
    const auto quatroCasas = [&](int linha) {
      return StrToFloat(FormatFloat("#0.0000", StrToFloat(orto.valores[4 * i + linha])));
    };
    EXPECT_DOUBLE_EQ(q.FieldByName("Sag").AsFloat(), quatroCasas(0));
    EXPECT_DOUBLE_EQ(q.FieldByName("Div").AsFloat(), quatroCasas(1));
    EXPECT_DOUBLE_EQ(q.FieldByName("Raio").AsFloat(), quatroCasas(2));
    q.Close();
  }

  // The browser again, on the doctor of the settings read at start-up (none: every patient)
  // and so on the only patient; Pelmo shows the right eye's exam from its files, Kandor the
  // four exams of the left eye.
  QStringList legendas;
  QString nomeKandor;
  std::string pacienteAoReabrir;
  QuandoAparecer("frmExames", [&](QWidget* navegador) {
    pacienteAoReabrir = Selecionado(navegador, "DBGridPacientes");
    auto* lista = Filho<QListWidget>(navegador, "lswPrincipal");
    for (int i = 0; i < lista->count(); ++i) legendas << lista->item(i)->text();
    const auto od = lista->findItems("OD - ", Qt::MatchStartsWith);
    if (od.size() != 1) return Clica(navegador, "btnFechar");
    lista->scrollToItem(od[0]);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(od[0]).center());
    QuandoAparecer("frmMapaSimples", [](QWidget* mapa) { QTest::keyClick(mapa, Qt::Key_Escape); });
    Clica(navegador, "tbMapaPelmo");
    ComparaExamePadrao(*principal.Model().MapOperation(), *padrao, aneis);

    QuandoAparecer("frmWizard", [](QWidget* wizard) {
      for (const char* nome : {"cmbPre", "cmbPos", "cmbAcomp1", "cmbAcomp2"}) {
        auto* c = Filho<QComboBox>(wizard, nome);
        c->setCurrentIndex(c->count() - 1);
        emit c->activated(c->count() - 1);
      }
      Clica(wizard, "Button1");
    });
    QuandoAparecer("frmMapa", [&](QWidget* mapa) {
      nomeKandor = Filho<QLabel>(mapa, "lblnome")->text();
      Clica(mapa, "btnFechar");
    });
    Clica(navegador, "tbMapaKandor");
    Clica(navegador, "btnFechar");
  });
  QTest::mouseClick(principal.findChild<QWidget*>("BtnImage0"), Qt::LeftButton);
  EXPECT_EQ(pacienteAoReabrir, kPaciente);
  EXPECT_EQ(legendas.size(), 5);
  EXPECT_EQ(legendas.filter("OS - ").size(), 4);
  EXPECT_TRUE(nomeKandor.contains(kPaciente)) << nomeKandor.toStdString();
  QTest::mouseClick(principal.findChild<QWidget*>("BtnImage6"), Qt::LeftButton);
}

}  // namespace
}  // namespace zv
