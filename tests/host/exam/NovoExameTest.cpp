// The new-exam assistant over a real database and real files, with recording modules that
// note what each step passes them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "FakeFormView.h"
#include "ModuleLibrary.h"
#include "ScriptedDialogs.h"
#include "TestDatabase.h"
#include "TextFile.h"
#include "UBArquivosExame.h"
#include "UDMedicos.h"
#include "UDPacientes.h"
#include "UfrmNovoExame.h"

namespace zv::exam {
namespace {

namespace fs = std::filesystem;
using test::FakeFormView;
using test::ScriptedDialogs;
constexpr int D = TfrmNovoExame::kDireito, S = TfrmNovoExame::kEsquerdo;

struct Navegador : NavegadorExames {
  std::vector<std::string> chamadas;
  void RecarregaMedicos() override { chamadas.push_back("recarrega"); }
  void SelecionaPaciente(const std::string& nome, const std::string& filtro) override {
    chamadas.push_back(nome + " | " + filtro);
  }
  std::string MedicoAtual() const override { return ""; }
  int QuantidadeMedicos() const override { return 0; }
};

struct NovoExameTest : ::testing::Test {
  test::ConnectedModule db;
  test::TempDir raiz;
  FakeFormView view;
  ScriptedDialogs dialogs;
  Navegador navegador;
  std::string exames = raiz / "Exames", mapas = raiz / "Mapas", captura = raiz / "Captura.so",
              proc = raiz / "Processamento.so", capturaOrto = raiz / "CapturaOrto.so",
              procOrto = raiz / "Vessik.so", banco = raiz / "Banco", log = raiz / "log.txt";
  int paciente = 0;
  std::unique_ptr<TfrmNovoExame> form;

  void SetUp() override {
    fs::create_directories(mapas);
    for (const auto& [origem, destino] : std::vector<std::pair<std::string, std::string>>{
             {ZV_RECORDING_STANDARD, captura},
             {ZV_RECORDING_STANDARD, proc},
             {ZV_RECORDING_STANDARD, mapas + "/" + ModuleFileName("Pelmo")},
             {ZV_RECORDING_STANDARD, mapas + "/" + ModuleFileName("Rusk")},
             {ZV_RECORDING_ORTHO, capturaOrto},
             {ZV_RECORDING_ORTHO, procOrto},
             {ZV_RECORDING_ORTHO, mapas + "/" + ModuleFileName("Kandor")}})
      fs::copy_file(origem, destino);
    setenv("ZV_REC_LOG", log.c_str(), 1);
    unsetenv("ZV_REC_CANCEL");
    unsetenv("ZV_REC_PROC");
    data::TDMedicos(*db.dm).InsereMedico({.nome = "Dr. Abel"});
    data::TDMedicos(*db.dm).InsereMedico({.nome = "Dra. Inês"});
    data::TDPacientes(*db.dm).InserePaciente({.nome = "Zé d'Ávila"}, DateTime::Now(), 2);
    paciente = data::TDPacientes(*db.dm).CodigoDoPaciente("Zé d'Ávila");
  }
  void Abre(bool orto, const std::string& medico = "Dra. Inês") {
    ContextoNovoExame c;
    c.infos.NumAneis = 16;
    c.infos.TipoCone = "4";
    c.infos.MapaPadraoNovoExame = "Axial";
    c.infos.QualidadeImagem = 80;
    c.infos.SalvarImagemCentral = 1;
    c.paths.DirExames = exames.c_str();
    c.paths.DirMapas = mapas.c_str();
    c.paths.DirBancoDados = banco.c_str();
    c.paths.ModDigitalizacao = captura.c_str();
    c.paths.ModProcessamento = proc.c_str();
    c.paths.ModDigitalizacaoOrto = capturaOrto.c_str();
    c.paths.ModProcOrto = procOrto.c_str();
    c.codPaciente = paciente;
    c.nomePaciente = "Zé d'Ávila";
    c.rg = "123";
    c.medicoNavegador = medico;
    c.modoOrto = orto;
    c.pausaOrto = [] {};
    form = std::make_unique<TfrmNovoExame>(view, dialogs, *db.dm, navegador, c);
    form->FormShow();
    // The doctor box is a drop-down: its text is the selected item.
    const auto& combo = view["ComboMedicos"];
    view["ComboMedicos"].text = combo.itemIndex > 0 ? combo.items[combo.itemIndex] : "";
  }
  std::vector<std::string> Log() {
    std::ifstream in(log);
    std::vector<std::string> linhas;
    for (std::string l; std::getline(in, l);) linhas.push_back(l);
    fs::remove(log);
    return linhas;
  }
  std::vector<std::string> Arquivo(int codigo, char letra) {
    return DecodeLines(ReadFileBytes(CaminhoArquivoExame(exames, paciente, codigo, letra)));
  }
  int Conta(const std::string& sql) {
    auto& q = db.dm->Operation(sql);
    q.Open();
    const int n = static_cast<int>(q.FieldByName("COUNT").AsInteger());
    q.Close();
    return n;
  }
};

TEST_F(NovoExameTest, DoctorOfTheBrowserIsPreselectedOrCaptureRefused) {
  Abre(false);
  EXPECT_EQ(view["ComboMedicos"].items, (std::vector<std::string>{"", "Dr. Abel", "Dra. Inês"}));
  EXPECT_EQ(view["ComboMedicos"].itemIndex, 2);
  EXPECT_TRUE(view["rbtAxial"].checked);
  EXPECT_FALSE(view["rbtKandor"].visible);

  Abre(false, "*** Todos");
  EXPECT_EQ(view["ComboMedicos"].itemIndex, 0);
  form->sbtExecutarDClick();
  EXPECT_EQ(dialogs.Texts(),
            std::vector<std::string>{"Selecione um médico responsável pelo exame."});
  EXPECT_EQ(form->Passo(D), 1);
  EXPECT_TRUE(view["sbtExecutarD"].enabled);
  EXPECT_TRUE(Log().empty());
}

// Both eyes captured and processed, then the right eye shown and saved: the right eye's own
// centre, tables, counts, pupil and index reach the map and the files.
TEST_F(NovoExameTest, EyesKeepTheirOwnDataThroughMapAndSave) {
  Abre(false);
  form->sbtExecutarDClick();
  EXPECT_EQ(view["sbtFechar"].text, "Cancelar");
  EXPECT_FALSE(view["ComboMedicos"].enabled);
  form->sbtExecutarSClick();
  form->sbtExecutarSClick();
  form->sbtExecutarDClick();
  EXPECT_EQ(Log(), (std::vector<std::string>{
                       "Digitalizar olho=1 titulo=Digitalizando Imagem do Olho vazio=1",
                       "Digitalizar olho=0 titulo=Digitalizando Imagem do Olho vazio=1",
                       "ProcessaImagem olho=0 pupila=0,0,0,0 aneis=16",
                       "ProcessaImagem olho=1 pupila=0,0,0,0 aneis=16"}));
  EXPECT_EQ(form->Passo(D), 3);
  EXPECT_EQ(form->Passo(S), 3);
  EXPECT_EQ(view["Olho1"].image.pixelColor(0, 1).blue(), 11);  // the right eye's capture

  form->sbtExecutarDClick();  // map of the right eye, on the axial module
  const auto mapa = Log();
  ASSERT_EQ(mapa.size(), 1u);
  EXPECT_EQ(mapa[0].substr(0, mapa[0].find(" cab=")),
            "ProcessaMapa olho=1 cx=311 cy=211 pix=12 dio=41.25 pupila=11");
  EXPECT_NE(mapa[0].find("|Dra. In"), std::string::npos) << mapa[0];  // header in Windows-1252
  EXPECT_TRUE(form->Grande());
  EXPECT_TRUE(view["pnlDireito"].visible);

  view["Memo3"].text = "Ceratocone";
  form->sbtExecutarDClick();  // save
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Exame gravado com sucesso"});
  EXPECT_EQ(form->Passo(D), 5);
  EXPECT_FALSE(view["sbtExecutarD"].enabled);
  for (int linha = 1; linha <= 4; ++linha) EXPECT_FALSE(form->Azul(D, linha));
  EXPECT_TRUE(view["sbtExecutarS"].enabled);
  EXPECT_EQ(view["sbtFechar"].text, "Cancelar");  // the left eye is still at its map
  EXPECT_TRUE(form->Grande());

  auto& q = db.dm->Operation("SELECT * FROM Exames");
  q.Open();
  const int codigo = static_cast<int>(q.FieldByName("Codigo").AsInteger());
  EXPECT_EQ(q.FieldByName("Olho").AsString(), "OD");
  EXPECT_EQ(q.FieldByName("IndConf").AsFloat(), 91);
  EXPECT_EQ(q.FieldByName("Diag").AsString(), "Ceratocone");
  EXPECT_EQ(q.FieldByName("CodResp").AsInteger(), 2);
  q.Close();
  const auto a = Arquivo(codigo, 'a');
  ASSERT_EQ(a.size(), 7u + 360u);
  EXPECT_EQ(std::vector<std::string>(a.begin(), a.begin() + 8),
            (std::vector<std::string>{"311", "211", "@", "11", "2", "3", "4", "16"}));
  EXPECT_EQ(Arquivo(codigo, 'd')[0].substr(0, 12), "41.00 41.25 ");
  EXPECT_EQ(Arquivo(codigo, 'm')[0].substr(0, 12), "11.00 12.00 ");
  EXPECT_EQ(Conta("SELECT COUNT(*) FROM Arquivos"), 1);
  EXPECT_EQ(data::TDPacientes(*db.dm).TotalExamesDoPaciente(paciente), 3);
  EXPECT_EQ(navegador.chamadas, (std::vector<std::string>{"recarrega", "Zé d'Ávila | Dra. Inês"}));
}

TEST_F(NovoExameTest, FailedStepsStayWhereTheyWere) {
  Abre(false);
  setenv("ZV_REC_CANCEL", "1", 1);
  form->sbtExecutarDClick();
  EXPECT_EQ(form->Passo(D), 1);
  EXPECT_EQ(view["sbtFechar"].text, "Fechar");
  unsetenv("ZV_REC_CANCEL");
  form->sbtExecutarDClick();
  setenv("ZV_REC_PROC", "0", 1);
  form->sbtExecutarDClick();
  EXPECT_EQ(form->Passo(D), 2);
  unsetenv("ZV_REC_PROC");
  form->sbtExecutarDClick();
  fs::remove(mapas + "/" + ModuleFileName("Pelmo"));
  form->sbtExecutarDClick();
  EXPECT_EQ(form->Passo(D), 3);
  EXPECT_TRUE(view["sbtExecutarD"].enabled);
  // A blue label runs its step again: back to the capture.
  EXPECT_FALSE(form->Azul(D, 4));
  form->lblPassoClick(D, 4);
  EXPECT_EQ(form->Passo(D), 3);
  Log();
  form->lblPassoClick(D, 1);
  EXPECT_EQ(form->Passo(D), 2);
  EXPECT_EQ(Log().size(), 1u);
  EXPECT_TRUE(dialogs.shown.empty());
}

// A save that fails stores nothing, tells the operator, and can be repeated.
TEST_F(NovoExameTest, SaveIntoAnUnwritableDirectoryStoresNothing) {
  Abre(false);
  for (int i = 0; i < 3; ++i) form->sbtExecutarSClick();
  WriteFileAtomic(exames, "a file where the exams directory should be");
  form->sbtExecutarSClick();
  EXPECT_EQ(dialogs.shown.back().text,
            "Não foi possivel salvar o exame, verifique se o disco rigido\restá cheio ou entre "
            "em contato com a nossa assistência técnica.");
  EXPECT_EQ(form->Passo(S), 4);
  EXPECT_EQ(Conta("SELECT COUNT(*) FROM Exames"), 0);
  EXPECT_EQ(data::TDPacientes(*db.dm).TotalExamesDoPaciente(paciente), 2);
  fs::remove(exames);
  form->sbtExecutarSClick();
  EXPECT_EQ(form->Passo(S), 5);
  EXPECT_EQ(Conta("SELECT COUNT(*) FROM Exames"), 1);
}

TEST_F(NovoExameTest, OrthokeratologySaveStoresFourExamsWithTheirBlocks) {
  Abre(true);
  EXPECT_TRUE(view["rbtKandor"].checked);
  EXPECT_FALSE(view["rbtAxial"].visible);
  EXPECT_EQ(view["frmNovoExame"].text, "Assistente para criação do exame - Ortoceratologia");
  for (int i = 0; i < 3; ++i) form->sbtExecutarSClick();
  const auto log = Log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[1], "ProcessaImagemOrto olho=0");
  // Each image's own tables, values and confidence index (line 7 of its header).
  for (int i = 0; i < 4; ++i) {
    const std::string esperado = "[" + std::to_string(i) + " pix=" + std::to_string(i + 1) +
                                 " dio=" + std::to_string(40 + i) +
                                 " sag=" + std::to_string(i + 1) + ".5" +
                                 " div=0.12345 r0=" + std::to_string(7 + i) + ".8 cab=";
    EXPECT_NE(log[2].find(esperado), std::string::npos) << esperado << "\n" << log[2];
  }
  form->sbtExecutarSClick();
  EXPECT_EQ(form->Passo(S), 5);
  auto& q = db.dm->Operation(
      "SELECT e.Codigo, e.TipoExame, e.IndConf, o.Div, o.Exc, o.Sag FROM Exames e JOIN "
      "ExamesOrto o ON o.CodExame = e.Codigo ORDER BY e.Codigo");
  q.Open();
  std::vector<int> codigos;
  for (int i = 0; !q.Eof(); q.Next(), ++i) {
    codigos.push_back(static_cast<int>(q.FieldByName("Codigo").AsInteger()));
    EXPECT_EQ(q.FieldByName("TipoExame").AsString(), "O");
    EXPECT_EQ(q.FieldByName("IndConf").AsFloat(), 70 + i);
    EXPECT_EQ(q.FieldByName("Div").AsFloat(), 0.1235);
    EXPECT_EQ(q.FieldByName("Exc").AsFloat(), 0);
    EXPECT_EQ(q.FieldByName("Sag").AsFloat(), 1.5 + i);
  }
  q.Close();
  ASSERT_EQ(codigos.size(), 4u);
  EXPECT_EQ(Arquivo(codigos[2], 'd').at(0).substr(0, 6), "42.00 ");
  EXPECT_EQ(Arquivo(codigos[2], 'm').at(359).substr(0, 6), "03.00 ");
  EXPECT_EQ(Arquivo(codigos[3], 'a').size(), 7u + 360u);
  EXPECT_EQ(data::TDPacientes(*db.dm).TotalExamesDoPaciente(paciente), 6);
}

TEST_F(NovoExameTest, CancelAsksWhileAnExamIsUnderWayAndEscDoesNot) {
  Abre(false);
  form->sbtFecharClick();
  EXPECT_TRUE(view.closed);
  EXPECT_TRUE(dialogs.shown.empty());
  view.closed = false;
  form->sbtExecutarDClick();
  form->sbtExecutarDClick();
  dialogs.answers = {MsgResult::No};
  form->sbtFecharClick();
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Tem ceteza que deseja cancelar o exame?"});
  EXPECT_FALSE(view.closed);
  form->KeyPress(27);
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

// Every control the model addresses exists, by that name, in the Qt view.
TEST_F(NovoExameTest, ModelAddressesOnlyControlsOfItsView) {
  for (bool orto : {false, true}) {
    Abre(orto);
    form->AumentaForm();
    form->sbtExecutarDClick();
    form->sbtFecharClick();
    ContextoNovoExame c;
    c.modoOrto = orto;
    TfrmNovoExameView janela(*db.dm, navegador, c);
    for (const auto& nome : view.UsedNames())
      EXPECT_TRUE(janela.objectName().toStdString() == nome ||
                  janela.findChild<QObject*>(QString::fromStdString(nome)))
          << nome;
  }
}

}  // namespace
}  // namespace zv::exam
