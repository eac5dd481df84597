// Registration windows over a real database: doctors form, doctor search, patient form and
// patient dialog, driven through fake views and scripted dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "FakeFormView.h"
#include "ScriptedDialogs.h"
#include "TestDatabase.h"
#include "UDExames.h"
#include "UDMedicos.h"
#include "UDPacientes.h"
#include "UfrmCadastroMedicos.h"
#include "UfrmCadastroPacientes.h"
#include "UfrmConsultaMedicos.h"
#include "UfrmNovoPaciente.h"

namespace zv::exam {
namespace {

using test::FakeFormView;
using test::ScriptedDialogs;

data::DadosMedico Medico(std::string nome, std::string cpf = "", std::string crm = "") {
  data::DadosMedico m;
  m.nome = std::move(nome);
  m.cpf = std::move(cpf);
  m.crm = std::move(crm);
  m.sexo = "F";
  m.estadoCivil = "C";
  return m;
}

void NovoPacienteDireto(data::TDMPrincipal& dm, const std::string& nome) {
  data::DadosPaciente p;
  p.nome = nome;
  data::TDPacientes(dm).InserePaciente(p, DateTime::Now(), 0);
}

struct DoctorsForm : ::testing::Test {
  test::ConnectedModule db;
  FakeFormView view;
  ScriptedDialogs dialogs;
  data::TDMedicos medicos{*db.dm};
  std::unique_ptr<TfrmCadastroMedicos> form;
  void Show(const std::string& ativo = "") {
    form = std::make_unique<TfrmCadastroMedicos>(view, dialogs, *db.dm, ativo);
    form->FormShow();
  }
  std::string Estados() {  // Adicionar, Alterar, Excluir, Atualizar, Localizar, navigator, name box
    std::string s;
    for (const char* c :
         {"sbtAdd", "sbtAlterar", "sbtDel", "sbtAtualizar", "sbtFind", "nbNext", "dbeNome"})
      s += view[c].enabled ? '1' : '0';
    return s + " " + view["sbtDel"].text;
  }
};

TEST_F(DoctorsForm, ButtonStatesFollowTheTable) {
  Show();
  EXPECT_EQ(Estados(), "1000010 Excluir");
  EXPECT_EQ(view["lblCodigo"].text, "Nenhum médico cadastrado!!!");
  EXPECT_FALSE(view["dbtCodigo"].visible);

  form->sbtAddClick();
  EXPECT_EQ(Estados(), "0011001 Cancelar");
  EXPECT_EQ(view["lblCodigo"].text, "Adcionando um novo médico");
  EXPECT_TRUE(view["rbtMasculino"].checked);
  EXPECT_TRUE(view["rbtSolteiro"].checked);

  view["dbeNome"].text = "Dra. Ana";
  form->sbtAtualizarClick();
  EXPECT_EQ(Estados(), "1110110 Excluir");
  EXPECT_EQ(view["lblCodigo"].text, "Código:");
  EXPECT_TRUE(view["dbtCodigo"].visible);

  form->sbtAlterarClick();
  EXPECT_EQ(Estados(), "0011001 Cancelar");
  view["dbeNome"].text = "typed, then cancelled";
  form->sbtDelClick();  // "Cancelar"
  EXPECT_EQ(Estados(), "1110110 Excluir");
  EXPECT_EQ(view["dbeNome"].text, "Dra. Ana");
  EXPECT_EQ(medicos.ContaMedicos(), 1);
}

TEST_F(DoctorsForm, StateListsDifferBetweenBirthAndResidence) {
  Show();
  const auto nat = view["dbcEstadoNaturalidade"].items;
  const auto res = view["dbcEstado"].items;
  ASSERT_EQ(nat.size(), 27u);
  EXPECT_EQ(nat.front(), "AC");
  EXPECT_EQ(nat.back(), "TO");
  ASSERT_EQ(res.size(), 27u);
  EXPECT_EQ(res[0], "");
  EXPECT_EQ(res[1], "AL");
  EXPECT_EQ(std::count(res.begin(), res.end(), "AC"), 0);
}

TEST_F(DoctorsForm, AddStoresEveryBoxAndRefusesAnEmptyName) {
  Show();
  form->sbtAddClick();
  form->sbtAtualizarClick();
  ASSERT_EQ(dialogs.Texts(), std::vector<std::string>{"Campo NOME é obrigatório!!!"});
  EXPECT_EQ(dialogs.shown[0].caption, "Informação");
  EXPECT_EQ(form->EstadoAtual(), TfrmCadastroMedicos::Estado::Adicionando);
  EXPECT_EQ(medicos.ContaMedicos(), 0);

  // Quotes and accents go in as typed; a box longer than its column is cut to the column.
  view["dbeNome"].text = "D'Ávila São João";
  view["dbeCRM"].text = "CRM-12345678901234567";  // 21 characters, column of 15
  view["dbcEstado"].text = "SP";
  view["rbtFeminino"].checked = true;
  view["rbtMasculino"].checked = false;
  form->sbtAtualizarClick();
  ASSERT_EQ(medicos.ContaMedicos(), 1);
  auto& q = db.dm->Operation("SELECT * FROM Medicos");
  q.Open();
  EXPECT_EQ(q.FieldByName("NOME").AsString(), "D'Ávila São João");
  EXPECT_EQ(q.FieldByName("CRM").AsString(), "CRM-12345678901");
  EXPECT_EQ(q.FieldByName("ESTADO").AsString(), "SP");
  EXPECT_EQ(q.FieldByName("SEXO").AsString(), "F");
  EXPECT_EQ(q.FieldByName("ESTADOCIVIL").AsString(), "S");
  q.Close();
  EXPECT_EQ(view["dbeNome"].text, "D'Ávila São João");
}

TEST_F(DoctorsForm, EditingStoresAnEmptiedNameAndKeepsTheRow) {
  medicos.InsereMedico(Medico("Alfa"));
  medicos.InsereMedico(Medico("Beta"));
  Show("BETA");  // the active doctor, found without regard to case
  EXPECT_EQ(view["dbeNome"].text, "Beta");
  form->sbtAlterarClick();
  view["dbeNome"].text = "";
  form->sbtAtualizarClick();
  EXPECT_EQ(data::TDMedicos(*db.dm).NomeDoMedico(form->CodigoAtual()), "");
  EXPECT_EQ(view["dbtCodigo"].text, std::to_string(medicos.CodigoDoMedico("Alfa") + 1));
}

TEST_F(DoctorsForm, DeleteRefusesADoctorWithExamsAndAsksForTheOthers) {
  medicos.InsereMedico(Medico("Com Exame"));
  medicos.InsereMedico(Medico("Sem Exame"));
  NovoPacienteDireto(*db.dm, "Paciente");
  const int comExame = medicos.CodigoDoMedico("Com Exame");
  data::TDExames(*db.dm).InsereExame(data::TDPacientes(*db.dm).CodigoDoPaciente("Paciente"),
                                     comExame, DateTime::Now(), DateTime::Now(), "OD", 90, "T", "",
                                     "", "", 16, "4");
  Show("Com Exame");
  form->sbtDelClick();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text,
            "Não é possivel excluir o Dr(a) Com Exame.\nPara excluir é preciso excluir todos os "
            "pacientes vinculados.");
  EXPECT_EQ(dialogs.shown[0].caption, "Infomração");
  EXPECT_EQ(medicos.ContaMedicos(), 2);

  form->nbLastClick();
  dialogs.answers = {MsgResult::No};
  form->sbtDelClick();
  EXPECT_EQ(dialogs.shown.back().text, "Deseja excluir o médico Sem Exame ?");
  EXPECT_EQ(medicos.ContaMedicos(), 2);

  form->nbLastClick();
  form->sbtDelClick();  // Yes
  EXPECT_EQ(medicos.ContaMedicos(), 1);
  EXPECT_EQ(view["dbeNome"].text, "Com Exame");  // the first row
}

TEST_F(DoctorsForm, ClosingWithUnsavedTypingAsksToSave) {
  for (const auto& [answer, stored] : {std::pair{MsgResult::Yes, 1}, std::pair{MsgResult::No, 0}}) {
    test::ConnectedModule fresh;
    FakeFormView v;
    ScriptedDialogs d;
    TfrmCadastroMedicos f(v, d, *fresh.dm, "");
    f.FormShow();
    f.sbtAddClick();
    v["dbeNome"].text = "Novo";
    d.answers = {answer};
    f.FormClose();
    EXPECT_EQ(d.shown.at(0).text, "Deseja salvar as alterações?");
    EXPECT_EQ(data::TDMedicos(*fresh.dm).ContaMedicos(), stored);
  }
}

TEST_F(DoctorsForm, SearchFindsTheTextAnywhereAndTakesItLiterally) {
  medicos.InsereMedico(Medico("Zeta", "99123000"));
  medicos.InsereMedico(Medico("Alfa", "12300000"));
  medicos.InsereMedico(Medico("Beta", "13200000"));
  medicos.InsereMedico(Medico("O'Brien", "", "50%"));
  Show();
  FakeFormView sv;
  TfrmConsultaMedicos busca(sv, *db.dm, [&](int c) { form->Localiza(c); });
  busca.FormShow();
  EXPECT_FALSE(sv["btnConsultar"].enabled);
  struct Caso {
    const char* criterio;
    const char* texto;
    std::vector<std::string> nomes;
  };
  for (const Caso& c : std::vector<Caso>{{"rbtCPF", "123", {"Alfa", "Zeta"}},
                                         {"rbtNome", "'bri", {"O'Brien"}},
                                         {"rbtNome", "ET", {"Beta", "Zeta"}},
                                         {"rbtCRM", "0%", {"O'Brien"}},
                                         {"rbtCRM", "5_", {}}}) {
    for (const char* r : {"rbtNome", "rbtRG", "rbtCPF", "rbtCRM"}) sv[r].checked = false;
    sv[c.criterio].checked = true;
    sv["edtPesquisa"].text = c.texto;
    busca.edtPesquisaChange();
    EXPECT_TRUE(sv["btnConsultar"].enabled);
    busca.btnConsultarClick();
    std::vector<std::string> nomes;
    for (int i = 0; i < sv["lswResultado"].value; ++i)
      nomes.push_back(sv.Cell("lswResultado", 1, i));
    EXPECT_EQ(nomes, c.nomes) << c.criterio << " " << c.texto;
  }
  sv["rbtCPF"].checked = true;
  sv["rbtCRM"].checked = false;
  sv["edtPesquisa"].text = "123";
  busca.btnConsultarClick();
  busca.lswResultadoDblClick(1);  // Zeta
  EXPECT_TRUE(sv.closed);
  EXPECT_EQ(view["dbeNome"].text, "Zeta");
}

// ---- patients ----

struct Navegador : NavegadorExames {
  std::vector<std::string> chamadas;
  std::string medico = "*** Todos";
  int quantidade = 3;
  void RecarregaMedicos() override { chamadas.push_back("recarrega"); }
  void SelecionaPaciente(const std::string& nome, const std::string& filtro) override {
    chamadas.push_back(nome + " | " + filtro);
  }
  std::string MedicoAtual() const override { return medico; }
  int QuantidadeMedicos() const override { return quantidade; }
};

struct PatientDialog : ::testing::Test {
  test::ConnectedModule db;
  FakeFormView view;
  ScriptedDialogs dialogs;
  Navegador navegador;
  std::vector<std::string> cadastros;  // names the patient form was opened with
  std::string nomeGravado;             // what the patient form "stores"
  std::unique_ptr<TfrmNovoPaciente> Abre(bool autoExame) {
    auto d = std::make_unique<TfrmNovoPaciente>(view, dialogs, *db.dm, navegador, autoExame,
                                                [this](const std::string& nome) {
                                                  cadastros.push_back(nome);
                                                  if (!nomeGravado.empty())
                                                    NovoPacienteDireto(*db.dm, nomeGravado);
                                                  return nomeGravado;
                                                });
    d->FormShow();
    return d;
  }
  std::vector<std::string> Nomes() {
    std::vector<std::string> nomes;
    for (int i = 0; i < view["DBGrid1"].value; ++i) nomes.push_back(view.Cell("DBGrid1", 1, i));
    return nomes;
  }
};

TEST_F(PatientDialog, SearchAsYouTypeListsNamesBeginningWithTheText) {
  for (const char* n : {"Maria Jo", "joão", "Jose", "JOANA", "Ana", "Jo%ge", "O'Neil"})
    NovoPacienteDireto(*db.dm, n);
  auto d = Abre(false);
  EXPECT_EQ(Nomes().size(), 7u);
  const std::vector<std::pair<std::string, std::vector<std::string>>> casos = {
      {"jo", {"JOANA", "Jo%ge", "Jose", "joão"}},
      {"JOÃ", {"joão"}},
      {"jo%", {"Jo%ge"}},
      {"o'n", {"O'Neil"}},
      {"j_", {}},
  };
  for (const auto& [texto, nomes] : casos) {
    view["edtNomePac"].text = texto;
    d->edtNomePacKeyUp();
    EXPECT_EQ(Nomes(), nomes) << texto;
  }
  view["edtNomePac"].text = "";
  d->edtNomePacKeyUp();
  EXPECT_EQ(Nomes().size(), 7u);
  d->DBGrid1CellClick(0);
  EXPECT_EQ(view["edtNomePac"].text, "Ana");
}

TEST_F(PatientDialog, ContinuarWithAnExistingNameRegistersNothing) {
  NovoPacienteDireto(*db.dm, "Pedro Alves");
  navegador.quantidade = 1;
  navegador.medico = "Dr. X";
  auto d = Abre(true);
  view["edtNomePac"].text = "Pedro Alves";
  d->Button1Click();
  EXPECT_TRUE(cadastros.empty());
  EXPECT_EQ(navegador.chamadas, std::vector<std::string>{"Pedro Alves | Dr. X"});
  EXPECT_FALSE(d->AbreNovoExame());
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(data::TDPacientes(*db.dm).ContaPacientes(), 1);
}

TEST_F(PatientDialog, ContinuarRegistersANewPatientAndAsksForTheExam) {
  NovoPacienteDireto(*db.dm, "Pedro Alves");
  auto d = Abre(true);
  view["edtNomePac"].text = "pedro alves";  // another case: another name
  nomeGravado = "Pedro Alves Filho";
  d->Button1Click();
  EXPECT_EQ(cadastros, std::vector<std::string>{"pedro alves"});
  EXPECT_EQ(navegador.chamadas,
            (std::vector<std::string>{"recarrega", "Pedro Alves Filho | *** Sem Exames"}));
  EXPECT_TRUE(d->AbreNovoExame());
  EXPECT_EQ(d->PacienteEscolhido(), "Pedro Alves Filho");
}

TEST_F(PatientDialog, CancelledFormOrEmptyNameOpensNothing) {
  auto d = Abre(true);
  d->Button1Click();
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Digite o nome do Paciente!!!"});
  EXPECT_FALSE(view.closed);
  view["edtNomePac"].text = "Novo";
  d->Button1Click();  // the form stores nothing
  EXPECT_EQ(cadastros.size(), 1u);
  EXPECT_TRUE(navegador.chamadas.empty());
  EXPECT_FALSE(d->AbreNovoExame());
}

TEST_F(PatientDialog, DoubleClickSelectsWithAllDoctors) {
  NovoPacienteDireto(*db.dm, "Rui");
  auto d = Abre(true);
  d->DBGrid1DblClick(5);  // no such row
  EXPECT_FALSE(view.closed);
  d->DBGrid1DblClick(0);
  EXPECT_EQ(navegador.chamadas, std::vector<std::string>{"Rui | *** Todos"});
  EXPECT_TRUE(d->AbreNovoExame());
  EXPECT_EQ(d->PacienteEscolhido(), "Rui");
}

struct PatientForm : ::testing::Test {
  test::ConnectedModule db;
  FakeFormView view;
  ScriptedDialogs dialogs;
};

TEST_F(PatientForm, AddStoresTheBoxesInProcedureOrder) {
  TfrmCadastroPacientes form(view, dialogs, *db.dm, "Add");
  form.PreparaInclusao(" ");
  form.sbtOkClick();
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Digite o nome do paciente ..."});
  EXPECT_EQ(dialogs.shown[0].caption, "Atenção");
  EXPECT_FALSE(view.closed);

  const std::vector<std::pair<const char*, const char*>> boxes = {
      {"dbeNome", "Lúcia \"Lu\" D'Arc"},
      {"dbeRG", "RG1"},
      {"dbeCPF", "CPF1"},
      {"dbeConjuge", "Conj"},
      {"dbeDataNascimento", "01/02/1990"},
      {"dbeNaturalidade", "Nat"},
      {"dbcEstadoNaturalidade", "MG"},
      {"dbePai", "Pai"},
      {"dbeMae", "Mae"},
      {"dbeRua", "Rua"},
      {"dbeComplemento", "Comp"},
      {"dbeBairro", "Bai"},
      {"dbeCidade", "Cid"},
      {"dbcEstado", "RJ"},
      {"dbeCEP", "12345-678"},
      {"dbeFone", "111"},
      {"dbeCelular", "222"},
      {"dbeConvenio", "Conv"},
      {"dbeProfissao", "Prof"},
      {"dbcTipoSang", "AB-"}};
  for (const auto& [c, t] : boxes) view[c].text = t;
  view["rbtCasado"].checked = true;
  view["rbtSolteiro"].checked = false;
  form.sbtOkClick();
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(form.NomeGravado(), "Lúcia \"Lu\" D'Arc");
  auto& q = db.dm->Operation("SELECT * FROM Pacientes");
  q.Open();
  for (const auto& c : kCamposPaciente) {
    for (const auto& [box, texto] : boxes) {
      if (box == std::string(c.controle)) {
        EXPECT_EQ(q.FieldByName(c.coluna).AsString(), texto);
      }
    }
  }
  EXPECT_EQ(q.FieldByName("SEXO").AsString(), "M");
  EXPECT_EQ(q.FieldByName("ESTADOCIVIL").AsString(), "C");
  EXPECT_EQ(q.FieldByName("TOTALEXAMES").AsInteger(), 0);
  q.Close();
}

TEST_F(PatientForm, EditingWithAnEmptyNameKeepsTheStoredName) {
  NovoPacienteDireto(*db.dm, "Original");
  const int codigo = data::TDPacientes(*db.dm).CodigoDoPaciente("Original");
  TfrmCadastroPacientes form(view, dialogs, *db.dm, "Atualiza");
  form.PreparaEdicao(codigo);
  EXPECT_EQ(view["dbeNome"].text, "Original");
  view["dbeNome"].text = " ";
  view["dbeCidade"].text = "Recife";
  form.sbtOkClick();
  EXPECT_EQ(data::TDPacientes(*db.dm).NomeDoPaciente(codigo), "Original");
  auto& q = db.dm->Operation("SELECT Cidade FROM Pacientes");
  EXPECT_EQ((q.Open(), q.FieldByName("CIDADE").AsString()), "Recife");
  q.Close();

  FakeFormView v2;
  TfrmCadastroPacientes cancel(v2, dialogs, *db.dm, "Atualiza");
  cancel.PreparaEdicao(codigo);
  v2["dbeNome"].text = "Never stored";
  cancel.sbtCancelarClick();
  EXPECT_EQ(data::TDPacientes(*db.dm).NomeDoPaciente(codigo), "Original");
}

// Every control a model addresses exists, by that name, in its Qt view.
TEST(RegistrationViews, ModelsAddressOnlyControlsOfTheirViews) {
  test::ConnectedModule db;
  Navegador navegador;
  const auto confere = [](QWidget& w, const FakeFormView& fake) {
    for (const auto& nome : fake.UsedNames())
      EXPECT_TRUE(w.objectName().toStdString() == nome ||
                  w.findChild<QObject*>(QString::fromStdString(nome)))
          << nome;
  };
  {
    FakeFormView fake;
    ScriptedDialogs d;
    TfrmCadastroMedicos m(fake, d, *db.dm, "");
    m.FormShow();
    m.sbtAddClick();
    TfrmCadastroMedicosView v(*db.dm, "");
    confere(v, fake);
  }
  {
    FakeFormView fake;
    TfrmConsultaMedicos m(fake, *db.dm, [](int) {});
    m.FormShow();
    m.btnConsultarClick();
    TfrmConsultaMedicosView v(*db.dm, [](int) {});
    confere(v, fake);
  }
  {
    FakeFormView fake;
    ScriptedDialogs d;
    TfrmCadastroPacientes m(fake, d, *db.dm, "Add");
    m.PreparaInclusao("x");
    m.FormShow();
    TfrmCadastroPacientesView v(*db.dm, "Add");
    confere(v, fake);
  }
  {
    FakeFormView fake;
    ScriptedDialogs d;
    TfrmNovoPaciente m(fake, d, *db.dm, navegador, false, nullptr);
    m.FormShow();
    m.DBGrid1CellClick(0);
    TfrmNovoPacienteView v(*db.dm, navegador, false);
    confere(v, fake);
  }
}

}  // namespace
}  // namespace zv::exam
