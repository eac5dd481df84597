// The exam browser's model over a real database, real exam files and recording modules.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "BrowserFixture.h"
#include "ExportaExame.h"
#include "GanchosNavegador.h"
#include "LancamentoMapas.h"

namespace zv::browser::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

const DateTime kHoje{2024, 5, 10};
DateTime Hora(int h, int mi, int s = 0) {
  return DateTime{1899, 12, 30, h, mi, s};
}

std::vector<std::string> Nomes(const TfrmExames& b) {
  std::vector<std::string> out;
  for (const auto& p : b.PacientesListados()) out.push_back(p.nome);
  return out;
}

TEST_F(BrowserFixture, PatientsByDoctorFilterAndOrder) {
  const int zeca = NovoPaciente("Zeca Moura");
  const int ana = NovoPaciente("Ana Reis");
  NovoPaciente("Bruno Sem Exame");
  NovoExame(zeca, helena, "OD", "T", kHoje, Hora(9, 0));
  NovoExame(zeca, helena, "OS", "T", kHoje, Hora(9, 5));  // twice, listed once
  NovoExame(ana, otavio, "OD", "T", kHoje, Hora(10, 0));
  auto b = Abre();

  EXPECT_THAT(view["CBMedicos"].items,
              ElementsAre("Dr. Otávio Lins", "Dra. Helena Prado", "*** Sem Exames", "*** Todos"));
  EXPECT_EQ(view["CBMedicos"].itemIndex, 3) << "no active doctor: every patient";
  EXPECT_THAT(Nomes(*b), ElementsAre("Ana Reis", "Bruno Sem Exame", "Zeca Moura"));
  b->tbOrdemCriacaoClick();
  EXPECT_THAT(Nomes(*b), ElementsAre("Zeca Moura", "Ana Reis", "Bruno Sem Exame"));
  Filtro(*b, "*** Sem Exames");
  EXPECT_THAT(Nomes(*b), ElementsAre("Bruno Sem Exame"));
  Filtro(*b, "Dra. Helena Prado");
  EXPECT_THAT(Nomes(*b), ElementsAre("Zeca Moura"));
  b->tbOrdemAlfaClick();
  Filtro(*b, "Dr. Otávio Lins");
  EXPECT_THAT(Nomes(*b), ElementsAre("Ana Reis"));
}

TEST_F(BrowserFixture, ActiveDoctorAndPatientAreSelectedAtShowAndWrittenAtClose) {
  const int zeca = NovoPaciente("Zeca Moura");
  const int ana = NovoPaciente("Ana Reis");
  NovoExame(zeca, helena, "OD", "T", kHoje, Hora(9, 0));
  NovoExame(ana, helena, "OD", "T", kHoje, Hora(9, 1));
  WriteProfileString(root / "Zarvik.ini", "CLINICA", "MEDICOATIVO", "Dra. Helena Prado");
  WriteProfileString(root / "Zarvik.ini", "CLINICA", "PACIENTEATIVO", "Zeca Moura");
  ASSERT_TRUE(settings.LoadAll(1));
  auto b = Abre();
  EXPECT_EQ(FiltroMostrado(), "Dra. Helena Prado");
  EXPECT_EQ(b->PacienteAtual(), zeca);

  Paciente(*b, "Ana Reis");
  view["cBoxMiniMapa"].checked = false;
  b->FormClose();
  EXPECT_EQ(ReadProfileString(root / "Zarvik.ini", "CLINICA", "PACIENTEATIVO").value_or(""),
            "Ana Reis");
  EXPECT_EQ(ReadProfileString(root / "Zarvik.ini", "CLINICA", "MEDICOATIVO").value_or(""),
            "Dra. Helena Prado");
  EXPECT_EQ(ReadProfileString(root / "Zarvik.ini", "OPCOES", "AUTOMINIMAPA").value_or(""), "0");
}

// The registration and the new exam select their patient in the browser once they wrote.
TEST_F(BrowserFixture, ReloadAndSelectShowThePatientUnderTheFilterAsked) {
  const int zeca = NovoPaciente("Zeca Moura");
  NovoExame(zeca, helena, "OD", "T", kHoje, Hora(9, 0));
  auto b = Abre();
  Filtro(*b, "Dra. Helena Prado");

  // A patient registered meanwhile: the filter list offers "*** Sem Exames" once reloaded, and
  // the doctor chosen stays chosen until a selection moves it.
  const int bia = NovoPaciente("Bia Nova");
  b->RecarregaMedicos();
  EXPECT_THAT(view["CBMedicos"].items,
              ElementsAre("Dr. Otávio Lins", "Dra. Helena Prado", "*** Sem Exames", "*** Todos"));
  EXPECT_EQ(FiltroMostrado(), "Dra. Helena Prado");
  b->SelecionaPaciente("Bia Nova", "*** Sem Exames");
  EXPECT_EQ(FiltroMostrado(), "*** Sem Exames");
  EXPECT_EQ(b->PacienteAtual(), bia);
  EXPECT_EQ(view["lblPacienteID"].text, FormatFloat("0000", bia));

  // After a save: the exam's doctor and patient, with the patient's exams listed.
  b->SelecionaPaciente("Zeca Moura", "Dra. Helena Prado");
  EXPECT_EQ(FiltroMostrado(), "Dra. Helena Prado");
  EXPECT_EQ(b->PacienteAtual(), zeca);
  EXPECT_EQ(view["lswPrincipal"].items.size(), 1u);
  // A filter that is not offered shows every patient.
  b->SelecionaPaciente("Bia Nova", "Dr. Ninguém");
  EXPECT_EQ(FiltroMostrado(), "*** Todos");
  EXPECT_EQ(b->PacienteAtual(), bia);
  EXPECT_EQ(b->QuantidadeMedicos(), 4);
}

TEST_F(BrowserFixture, NewExamsNeedAPatientAndGetTheBrowserThatAsked) {
  int chamadas = 0;
  struct Desliga {
    ~Desliga() { Ganchos().novoExame = nullptr; }
  } desliga;
  Ganchos().novoExame = [&](TfrmExames& navegador, int, bool) {
    ++chamadas;
    navegador.SelecionaPaciente("Zeca Moura", "Dra. Helena Prado");
  };
  auto b = Abre();
  b->tbNovoExameClick();
  b->tbExameOrtoClick();
  EXPECT_EQ(chamadas, 0);
  ASSERT_EQ(m.dialogs.shown.size(), 2u);
  for (const auto& mensagem : m.dialogs.shown) {
    EXPECT_EQ(mensagem.text, "Selecione um Paciente para efetuar o exame!");
    EXPECT_EQ(mensagem.caption, "Informação");
    EXPECT_EQ(mensagem.icon, MsgIcon::Error);
  }

  // The window saved an exam and selected its patient and doctor: the browser keeps them.
  const int zeca = NovoPaciente("Zeca Moura");
  NovoExame(zeca, helena, "OD", "T", kHoje, Hora(9, 0));
  NovoPaciente("Ana Reis");
  b = Abre();
  b->tbExameOrtoClick();
  EXPECT_EQ(chamadas, 1);
  EXPECT_EQ(FiltroMostrado(), "Dra. Helena Prado");
  EXPECT_EQ(b->PacienteAtual(), zeca);
}

TEST_F(BrowserFixture, SelectingANameThatRepeatsKeepsThePatientShown) {
  NovoPaciente("Ana Reis", "111");
  NovoPaciente("Ana Reis", "222");
  auto b = Abre();
  const auto lista = b->PacientesListados();
  ASSERT_EQ(lista.size(), 2u);
  ASSERT_NE(lista[0].codigo, lista[1].codigo);
  for (int linha : {1, 0}) {
    b->DBGridPacientesSelect(linha);
    b->SelecionaPaciente("Ana Reis", "*** Sem Exames");
    EXPECT_EQ(b->PacienteAtual(), lista[static_cast<size_t>(linha)].codigo);
  }
}

TEST_F(BrowserFixture, ExamListAndPanelOfAnOrthokeratologyExam) {
  const int pac = NovoPaciente("Zeca Moura");
  NovoExame(pac, helena, "OD", "T", kHoje, Hora(9, 0, 7));
  const int orto = NovoExame(pac, otavio, "OS", "O", DateTime{2005, 1, 10}, Hora(14, 32, 10));
  auto b = Abre();
  Filtro(*b, "Dra. Helena Prado");
  EXPECT_THAT(view["lswPrincipal"].items, ElementsAre("OD - 10/05/2024 09:00:07"));
  EXPECT_TRUE(view["CBoxExames"].visible) << "the filter hides one of the two exams";
  view["CBoxExames"].checked = true;
  b->CBoxExamesClick();
  EXPECT_THAT(view["lswPrincipal"].items,
              ElementsAre("OD - 10/05/2024 09:00:07", "OS - 10/01/2005 14:32:10"));
  EXPECT_THAT(b->FigurasExames(), ElementsAre(1, 3));

  view["pnlInfoExame"].visible = true;
  view["cBoxMiniMapa"].checked = false;
  Exame(*b, "OS");
  ASSERT_TRUE(b->ExameSelecionado());
  EXPECT_EQ(b->ExameSelecionado()->codigo, orto);
  EXPECT_EQ(view["lblOlho"].text, "Olho Esquerdo");
  EXPECT_EQ(view["lblExameID"].text, FormatFloat("0000", orto));
  EXPECT_EQ(view["lblIndiceConf"].text, "97.25%");
  EXPECT_EQ(view["lblResponsavel"].text, "Dr. Otávio Lins");
  EXPECT_EQ(b->CorResponsavel(), "red") << "not the filter's doctor";
  EXPECT_FALSE(view["tbLaudo"].enabled);
  EXPECT_TRUE(view["pnlOrto"].visible);
  EXPECT_EQ(view["lblSAG"].text, "0.55");
  EXPECT_EQ(view["lblDIV"].text, "9.50");
  EXPECT_EQ(view["lblR0"].text, "7.75");
  EXPECT_EQ(view["rgTipoCone"].itemIndex, 2);

  Exame(*b, "OD");
  EXPECT_EQ(b->CorResponsavel(), "navy");
  EXPECT_TRUE(view["tbLaudo"].enabled);
  EXPECT_FALSE(view["pnlOrto"].visible);
}

TEST_F(BrowserFixture, DiagnosisObservationAndConeAreStoredAsTyped) {
  const int pac = NovoPaciente("Zeca Moura");
  const int codigo = NovoExame(pac, helena, "OD", "T", kHoje, Hora(9, 0));
  auto b = Abre();
  Exame(*b, "OD");
  view["dbDiag"].text = "Ceratocone 'grau 2' 50% _ok";
  b->SpeedButton1Click();
  view["dbObs"].text = "Revisar em 30 dias; \"urgente\"";
  b->SpeedButton4Click();
  view["rgTipoCone"].itemIndex = 0;
  b->rgTipoConeClick();
  auto& q = m.dm->Operation("SELECT Diag, Observacao, TipoCone FROM Exames WHERE Codigo=:C");
  q.SetParam("C", codigo);
  q.Open();
  EXPECT_EQ(q.FieldByName("Diag").AsString(), "Ceratocone 'grau 2' 50% _ok");
  EXPECT_EQ(q.FieldByName("Observacao").AsString(), "Revisar em 30 dias; \"urgente\"");
  EXPECT_EQ(q.FieldByName("TipoCone").AsString(), "1");
}

// ------------------------------------------------------------------------ searching

TEST_F(BrowserFixture, SearchesBindTheTypedTextAndMatchQuotesAndWildcardsLiterally) {
  const int davila = NovoPaciente("D'Ávila Souza", "12.345");
  const int analima = NovoPaciente("Ana_Lima", "99%77");
  const int anax = NovoPaciente("AnaXLima", "99177");
  const int exame = NovoExame(davila, helena, "OD", "T", kHoje, Hora(9, 0));
  exames.AtualizaDiagnostico(exame, "melhora 50% após lente");
  const int outro = NovoExame(anax, helena, "OD", "T", kHoje, Hora(9, 0));
  exames.AtualizaDiagnostico(outro, "melhora 500 após lente");
  ConsultasNavegador c(*m.dm);
  const auto codigos = [&](TipoBusca t, const std::string& s) {
    std::vector<int> out;
    for (const auto& p : c.Busca(t, s)) out.push_back(p.codigo);
    return out;
  };
  struct Caso {
    TipoBusca tipo;
    std::string texto;
    std::vector<int> esperados;
  };
  const std::vector<Caso> casos = {
      {TipoBusca::ParteNome, "d'ávila", {davila}},
      {TipoBusca::ParteNome, "a_l", {analima}},
      {TipoBusca::ParteNome, "%", {}},
      {TipoBusca::ParteNome, "'; DROP TABLE Pacientes; --", {}},
      {TipoBusca::PrimeiroNome, "D'", {davila}},
      {TipoBusca::PrimeiroNome, "ana", {anax, analima}},  // "X" sorts before "_"
      {TipoBusca::RgPaciente, "9%7", {analima}},
      {TipoBusca::CodigoPaciente, std::to_string(anax), {anax}},
      {TipoBusca::CodigoPaciente, "%", {}},
      {TipoBusca::CodigoExame, std::to_string(exame), {davila}},
      {TipoBusca::Diagnostico, "50%", {davila}},
      {TipoBusca::Observacao, "_", {}},
  };
  for (const auto& caso : casos)
    EXPECT_EQ(codigos(caso.tipo, caso.texto), caso.esperados) << caso.texto;
  EXPECT_EQ(medicos.ContaMedicos(), 2) << "nothing typed ran as a statement";
}

TEST_F(BrowserFixture, SearchPanelMovesToThePatientFound) {
  NovoPaciente("Ana Reis");
  const int davila = NovoPaciente("D'Ávila Souza");
  auto b = Abre();
  b->bbtnBuscaAvClick();
  EXPECT_TRUE(view["pnlFindPac"].visible);
  view["rgConsultarPor"].itemIndex = 1;
  view["edtFind"].text = "'ávila";
  m.dialogs.answers = {MsgResult::No};  // "Deseja continuar procurando?" -> stop here
  b->btnLocPacClick();
  EXPECT_EQ(b->PacienteAtual(), davila);
  EXPECT_FALSE(view["pnlFindPac"].visible);
  view["edtFind"].text = "ninguém";
  b->btnLocPacClick();
  EXPECT_THAT(m.dialogs.Texts().back(), HasSubstr("Paciente não encontrado!"));
}

// ------------------------------------------------------------------------- single map

TEST_F(BrowserFixture, SingleMapOfAStandardExamGetsItsTablesHeaderAndRingCount) {
  const int pac = NovoPaciente("Zeca Moura", "11.222");
  const int codigo = NovoExame(pac, helena, "OD", "T", kHoje, Hora(9, 0, 7), 41.25, 32, "3");
  // A central image that is no JPEG reaches the module as none.
  MemoryStream central(std::string("not a jpeg")), lateral;
  data::TDArquivos(*m.dm).InsereImagens(codigo, central.Handle(), lateral.Handle());
  auto b = Abre();
  Exame(*b, "OD");
  b->MapaClick("Gavrel");
  EXPECT_EQ(Valor("entry"), "ProcessaMapa");
  EXPECT_EQ(Valor("central"), "null");
  EXPECT_EQ(Valor("Dioptria"), "41.25");
  EXPECT_EQ(Valor("Pixel"), "141.25");
  EXPECT_EQ(Valor("Aneis"), "32");
  EXPECT_EQ(Valor("Pupila"), "1,2,3,4");
  EXPECT_EQ(Valor("Centro"), "320,240");
  EXPECT_EQ(Valor("NumAneis"), "32");
  EXPECT_EQ(Valor("TipoCone"), "3");
  EXPECT_THAT(Valor("cabecalho"), HasSubstr("Zeca Moura|"));
  EXPECT_THAT(Valor("cabecalho"), HasSubstr(FormatFloat("0000", codigo)));
  EXPECT_EQ(records.Infos.NumAneis, 16) << "restored after the call";
  EXPECT_STREQ(records.Infos.TipoCone, "4");
  EXPECT_TRUE(m.dialogs.shown.empty()) << m.dialogs.Texts().front();
}

TEST_F(BrowserFixture, SingleMapOfAnOrthokeratologyExamPassesSagDivAndR0) {
  const int pac = NovoPaciente("Zeca Moura");
  NovoExame(pac, helena, "OS", "O", kHoje, Hora(9, 0));
  auto b = Abre();
  for (const std::string modulo : {"Pelmo", "Rusk", "Gavrel"}) {
    std::filesystem::remove(root / "record.txt");
    Exame(*b, "OS");
    b->MapaClick(modulo);
    if (modulo == "Gavrel") {
      EXPECT_EQ(Valor("entry"), "ProcessaMapa") << "only Pelmo and Rusk take the values";
    } else {
      EXPECT_EQ(Valor("entry"), "ProcessaMapaOrto") << modulo;
      EXPECT_EQ(Valor("Orto"), "0.55,9.50,7.75") << "SAG, DIV, R0";
    }
  }
}

TEST_F(BrowserFixture, SingleMapFailuresAreReportedWithTheirCodes) {
  const int pac = NovoPaciente("Zeca Moura");
  const int codigo = NovoExame(pac, helena, "OD", "T", kHoje, Hora(9, 0));
  auto b = Abre();
  b->MapaClick("Pelmo");
  EXPECT_EQ(m.dialogs.Texts().back(),
            "Por favor, selecione um exame para que o mapa possa ser exibido.");
  Exame(*b, "OD");
  b->MapaClick("Ausente");
  EXPECT_EQ(m.dialogs.Texts().back(), "Não foi possível processar o mapa selecionado. ERROMAP02");
  std::filesystem::remove(CaminhoArquivoExame(root / "exames", pac, codigo, 'd'));
  b->MapaClick("Pelmo");
  EXPECT_THAT(m.dialogs.Texts().back(), HasSubstr("ERROMAP03\n\nDiretorio: "));
  EXPECT_NE(Valor("entry"), "ProcessaMapa");
  EXPECT_EQ(records.Infos.NumAneis, 16);
}

TEST_F(BrowserFixture, MiniMapIsDrawnThroughPelmoOncePerExam) {
  const int pac = NovoPaciente("Zeca Moura");
  NovoExame(pac, helena, "OD", "T", kHoje, Hora(9, 0));
  NovoExame(pac, helena, "OS", "T", kHoje, Hora(9, 5));
  auto b = Abre();
  view["pnlInfoExame"].visible = true;
  view["cBoxMiniMapa"].checked = true;
  Exame(*b, "OD");
  const QImage img = view["imgVisualizar"].image;
  ASSERT_EQ(img.size(), QSize(2, 1));
  EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::red));
  EXPECT_EQ(Valor("entry"), "Visualizar");
  EXPECT_EQ(Valor("zeros"), "0,0");
  std::filesystem::remove(root / "record.txt");
  Exame(*b, "OD");
  EXPECT_EQ(Valor("entry"), "<none>") << "the same exam is not drawn again";
  view["cBoxMiniMapa"].checked = false;
  b->cBoxMiniMapaClick();
  EXPECT_TRUE(view["imgVisualizar"].image.isNull());
}

// -------------------------------------------------------------------------- multi map

TEST(CandidateLines, PerModuleAndExamType) {
  struct Caso {
    ModuloMultiplo modulo;
    std::string tipo, olho;
    std::optional<std::string> linha;
    bool incorreto;
  };
  const std::string r = " - 10/01/2005 14:32:10";
  const std::vector<Caso> casos = {
      {ModuloMultiplo::Sennet, "T", "OD", "Olho Direito" + r, false},
      {ModuloMultiplo::Quillon, "T", "OS", "Olho Esquerdo" + r, false},
      {ModuloMultiplo::Quillon, "O", "OS", std::nullopt, false},
      {ModuloMultiplo::Kandor, "O", "OD", "OOlho Direito" + r, false},
      {ModuloMultiplo::Kandor, "T", "OD", std::nullopt, false},
      {ModuloMultiplo::Horvat, "O", "OS", "OOlho Esquerdo" + r, false},
      {ModuloMultiplo::Horvat, "T", "OS", "TOlho Esquerdo" + r, false},
      {ModuloMultiplo::Outro, "T", "OD", std::nullopt, false},
      {ModuloMultiplo::Outro, "X", "OD", std::nullopt, true},
  };
  for (const auto& c : casos) {
    const Candidato got = LinhaCandidata(c.modulo, c.tipo, c.olho, r);
    EXPECT_EQ(got.linha, c.linha) << c.tipo << c.olho;
    EXPECT_EQ(got.tipoIncorreto, c.incorreto) << c.tipo << c.olho;
  }
  EXPECT_EQ(LegendaDaLinha("Olho Direito" + r), "OD" + r);
  EXPECT_EQ(LegendaDaLinha("TOlho Esquerdo" + r), "OS" + r);
  EXPECT_EQ(LegendaDaLinha("qualquer"), "");
}

TEST(MinimumNumbers, PerModule) {
  EXPECT_TRUE(MinimoAtendido(ModuloMultiplo::Sennet, 1, 1));
  EXPECT_FALSE(MinimoAtendido(ModuloMultiplo::Sennet, 5, 0));
  EXPECT_FALSE(MinimoAtendido(ModuloMultiplo::Quillon, 2, 2));
  EXPECT_TRUE(MinimoAtendido(ModuloMultiplo::Quillon, 0, 3));
  EXPECT_FALSE(MinimoAtendido(ModuloMultiplo::Kandor, 2, 2));
  EXPECT_TRUE(MinimoAtendido(ModuloMultiplo::Kandor, 3, 0));
  EXPECT_FALSE(MinimoAtendido(ModuloMultiplo::Horvat, 1, 1));
  EXPECT_TRUE(MinimoAtendido(ModuloMultiplo::Horvat, 0, 2));
  EXPECT_TRUE(MinimoAtendido(ModuloMultiplo::Outro, 0, 0));
}

TEST_F(BrowserFixture, TwoRightAndTwoLeftExamsOpenHorvatAndSennetButNotQuillonOrKandor) {
  const int pac = NovoPaciente("Zeca Moura");
  NovoExame(pac, helena, "OD", "T", kHoje, Hora(9, 0), 41);
  NovoExame(pac, helena, "OD", "T", kHoje, Hora(9, 1), 42);
  NovoExame(pac, helena, "OS", "T", kHoje, Hora(9, 2), 43);
  NovoExame(pac, helena, "OS", "T", kHoje, Hora(9, 3), 44);
  auto b = Abre();
  for (const char* modulo : {"Quillon", "Kandor"}) {
    m.dialogs.shown.clear();
    b->MapasClick(modulo);
    EXPECT_THAT(m.dialogs.Texts(),
                ElementsAre("Número insuficiente de exames para gerar o mapa desejado"))
        << modulo;
  }
  EXPECT_EQ(Valor("entry"), "<none>") << "no wizard was shown";
  view["cBoxMiniMapa"].checked = false;

  b->MapasClick("Sennet");
  EXPECT_EQ(Valor("lista"),
            "Olho Direito - 10/05/2024 09:00:00|Olho Direito - 10/05/2024 09:01:00|"
            "Olho Esquerdo - 10/05/2024 09:02:00|Olho Esquerdo - 10/05/2024 09:03:00|");
  EXPECT_EQ(Valor("count"), "4");
  EXPECT_EQ(Valor("extraPos"), "0") << "the wizard's extra output is rewound";
  EXPECT_EQ(Valor("0Dioptria"), "41.00");
  EXPECT_EQ(Valor("3Dioptria"), "44.00");
  EXPECT_EQ(Valor("2Aneis"), "32");
  EXPECT_EQ(Valor("1Pupila"), "1,2,3,4");
  EXPECT_THAT(Valor("cabecalho2"), HasSubstr("Zeca Moura|"));

  std::filesystem::remove(root / "record.txt");
  b->MapasClick("Horvat");
  EXPECT_EQ(Valor("flag"), "1");
  EXPECT_THAT(Valor("lista"), HasSubstr("TOlho Direito - 10/05/2024 09:00:00|"));
  EXPECT_EQ(Valor("entry"), "ProcessaMapas");
  EXPECT_EQ(Valor("count"), "4");
}

TEST_F(BrowserFixture, KandorIsOfferedOnlyOrthokeratologyExamsAndGetsTheirValues) {
  const int pac = NovoPaciente("Zeca Moura");
  NovoExame(pac, helena, "OD", "T", kHoje, Hora(8, 0), 40);
  NovoExame(pac, helena, "OD", "O", kHoje, Hora(9, 0), 41);
  NovoExame(pac, helena, "OD", "O", kHoje, Hora(9, 1), 42);
  NovoExame(pac, helena, "OD", "O", kHoje, Hora(9, 2), 43);
  NovoExame(pac, helena, "OD", "O", kHoje, Hora(9, 3), 44);
  auto b = Abre();
  b->MapasClick("Quillon");
  EXPECT_THAT(m.dialogs.Texts(),
              ElementsAre("Número insuficiente de exames para gerar o mapa desejado"))
      << "Quillon counts only the one standard exam";
  b->MapasClick("Kandor");
  EXPECT_EQ(Valor("lista"),
            "OOlho Direito - 10/05/2024 09:00:00|OOlho Direito - 10/05/2024 09:01:00|"
            "OOlho Direito - 10/05/2024 09:02:00|OOlho Direito - 10/05/2024 09:03:00|");
  EXPECT_EQ(Valor("entry"), "ProcessaMapasOrto");
  EXPECT_EQ(Valor("count"), "4");
  EXPECT_EQ(Valor("0Dioptria"), "41.00");
  EXPECT_EQ(Valor("3Pixel"), "144.00");
  EXPECT_EQ(Valor("2Orto"), "0.55,9.50,7.75");
}

TEST_F(BrowserFixture, MultiMapWithAMissingExamFileStopsBeforeTheModule) {
  const int pac = NovoPaciente("Zeca Moura");
  NovoExame(pac, helena, "OD", "T", kHoje, Hora(9, 0));
  const int sem = NovoExame(pac, helena, "OS", "T", kHoje, Hora(9, 1));
  std::filesystem::remove(CaminhoArquivoExame(root / "exames", pac, sem, 'a'));
  auto b = Abre();
  b->MapasClick("Sennet");
  EXPECT_THAT(m.dialogs.Texts().back(),
              "Não foi encontrado um dos exames. Não é possível continuar.");
  EXPECT_EQ(Valor("entry"), "Wizard") << "ProcessaMapas never ran";
}

// ---------------------------------------------------------------------------- deletion

TEST_F(BrowserFixture, DeletingTheLastExamRemovesRowsFilesReportsAndMovesTheFilter) {
  const int pac = NovoPaciente("Zeca Moura");
  const int codigo = NovoExame(pac, helena, "OS", "O", kHoje, Hora(9, 0));
  laudos.InsereLaudo(pac, -1, codigo, "", kHoje, Hora(10, 0));
  const int laudo = laudos.IndiceLaudos();
  const std::string arquivoLaudo =
      root / ("laudos/" + std::to_string(pac) + "/" + std::to_string(laudo) + "l.txt");
  std::filesystem::create_directories(std::filesystem::path(arquivoLaudo).parent_path());
  WriteFileAtomic(arquivoLaudo, "laudo");
  auto b = Abre();
  Filtro(*b, "Dra. Helena Prado");
  Exame(*b, "OS");
  m.dialogs.answers = {MsgResult::Yes, MsgResult::Yes};
  b->tbtExcluirExameClick();
  EXPECT_THAT(m.dialogs.Texts(),
              ElementsAre("Confirma a exclusão do exame 'OS - 10/05/2024 09:00:00' ?",
                          "Existe(m)  1  Laudo(s) vinculado(s).\rConfirma a exclusão do(s) "
                          "Laudos(s)?"));
  EXPECT_EQ(exames.ContaExames(), 0);
  EXPECT_EQ(laudos.ContaLaudos(), 0);
  EXPECT_EQ(ConsultasNavegador(*m.dm).ValoresOrto(codigo).div, 0) << "orthokeratology row gone";
  EXPECT_EQ(pacientes.TotalExamesDoPaciente(pac), 0);
  EXPECT_FALSE(std::filesystem::exists(root / ("exames/" + std::to_string(pac))));
  EXPECT_FALSE(std::filesystem::exists(arquivoLaudo));
  EXPECT_EQ(FiltroMostrado(), "*** Sem Exames");
  EXPECT_THAT(Nomes(*b), ElementsAre("Zeca Moura"));
}

TEST_F(BrowserFixture, DeletingAnExamRewritesTheLastExamFromTheNewestLeft) {
  const int pac = NovoPaciente("Zeca Moura");
  NovoExame(pac, helena, "OD", "T", DateTime{2008, 3, 14}, Hora(9, 41, 7));
  NovoExame(pac, helena, "OS", "T", DateTime{2008, 3, 13}, Hora(23, 0));
  NovoExame(pac, helena, "OS", "T", kHoje, Hora(8, 0));
  auto b = Abre();
  Exame(*b, "OS - 10/05/2024");
  b->tbtExcluirExameClick();
  const auto p = ConsultasNavegador(*m.dm).Paciente(pac);
  EXPECT_EQ(p->ultimoExame, "OD 14/03/2008 09:41");
  EXPECT_EQ(p->totalExames, 2);
  EXPECT_EQ(view["lswPrincipal"].items.size(), 2u);
}

TEST_F(BrowserFixture, AnsweringNoKeepsTheExamAndItsReports) {
  const int pac = NovoPaciente("Zeca Moura");
  const int codigo = NovoExame(pac, helena, "OD", "T", kHoje, Hora(9, 0));
  laudos.InsereLaudo(pac, codigo, -1, "", kHoje, Hora(10, 0));
  auto b = Abre();
  Exame(*b, "OD");
  m.dialogs.answers = {MsgResult::Yes, MsgResult::No};
  b->tbtExcluirExameClick();
  EXPECT_EQ(m.dialogs.Texts().back(), "Exclusão cancelada!!!");
  EXPECT_EQ(exames.ContaExames(), 1);
  EXPECT_EQ(laudos.ContaLaudos(), 1);
  EXPECT_TRUE(std::filesystem::exists(CaminhoArquivoExame(root / "exames", pac, codigo, 'd')));
}

TEST_F(BrowserFixture, AFailedDeletionLeavesTheExamWholeWithItsFiles) {
  // The refusing trigger is made by the test as the connected user, who through a server is
  // the workstations' user without rights on the schema.
  if (zv::test::ServerMode()) GTEST_SKIP() << "changes the schema, which the server's user may not";
  const int pac = NovoPaciente("Zeca Moura");
  const int codigo = NovoExame(pac, helena, "OD", "O", kHoje, Hora(9, 0));
  laudos.InsereLaudo(pac, codigo, -1, "", kHoje, Hora(10, 0));
  // The engine refuses the exam row itself, after its report and orthokeratology rows.
  m.dm->Operation("CREATE EXCEPTION RecusaExclusao 'exclusao recusada'").ExecSQL();
  m.dm->PCommitDataBase();
  m.dm->Operation(
          "CREATE TRIGGER RecusaExclusao FOR EXAMES BEFORE DELETE AS BEGIN "
          "EXCEPTION RecusaExclusao; END")
      .ExecSQL();
  m.dm->PCommitDataBase();
  auto b = Abre();
  Exame(*b, "OD");
  m.dialogs.answers = {MsgResult::Yes, MsgResult::Yes};
  EXPECT_THROW(b->tbtExcluirExameClick(), fb::DatabaseError);
  EXPECT_EQ(exames.ContaExames(), 1);
  EXPECT_EQ(laudos.ContaLaudos(), 1);
  EXPECT_EQ(ConsultasNavegador(*m.dm).ValoresOrto(codigo).div, 9.5);
  for (char letra : {'a', 'd', 'm'})
    EXPECT_TRUE(std::filesystem::exists(CaminhoArquivoExame(root / "exames", pac, codigo, letra)));
  // The browser still opens it.
  b->MapaClick("Pelmo");
  EXPECT_EQ(Valor("entry"), "ProcessaMapaOrto");
}

TEST_F(BrowserFixture, APatientWithExamsIsNotDeleted) {
  const int pac = NovoPaciente("Zeca Moura");
  NovoExame(pac, helena, "OD", "T", kHoje, Hora(9, 0));
  NovoPaciente("Ana Reis");
  auto b = Abre();
  Paciente(*b, "Zeca Moura");
  b->tbtExcluirPacienteClick();
  EXPECT_EQ(m.dialogs.Texts().back(),
            "Não é possivel excluir o paciente Zeca Moura! \n\nPara excluir este paciente é "
            "preciso excluir todos os exames.");
  EXPECT_EQ(pacientes.ContaPacientes(), 2);
  Paciente(*b, "Ana Reis");
  b->tbtExcluirPacienteClick();
  EXPECT_EQ(m.dialogs.Texts().back(), "Confirma a exclusão do paciente 'Ana Reis'?");
  EXPECT_THAT(Nomes(*b), ElementsAre("Zeca Moura"));
}

// ------------------------------------------------------------------------------ export

TEST_F(BrowserFixture, ExportCutsLongLinesScramblesAndDecodesBack) {
  const int pac = NovoPaciente("Zeca Moura", "11.222");
  const int codigo = NovoExame(pac, helena, "OD", "T", kHoje, Hora(9, 0));
  for (int n = 1; n <= 4; ++n)
    WriteFileAtomic(root / ("Calibração/" + std::to_string(n) + ".txt"), "1.5 2.5\r\n");
  const std::string longa(300, 'x');
  WriteFileAtomic(root / "Calibração/Coef.txt", EncodeLines({"Ação", longa}));
  auto b = Abre();
  b->tbExportadorClick();
  EXPECT_EQ(m.dialogs.Texts().back(), "Por favor, selecione o exame que deseja exportar.");
  Exame(*b, "OD");
  m.dialogs.fileAnswers = {root / "saida"};
  b->tbExportadorClick();
  EXPECT_EQ(m.dialogs.Texts().back(), "Arquivo exportado com sucesso.");

  const std::string bytes = ReadFileBytes(root / "saida.exp");
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 'Z' ^ kChaveExportacao);
  const auto linhas = LeExp(root / "saida.exp");
  ASSERT_EQ(std::count(linhas.begin(), linhas.end(), "#"), 8) << "d, m, a, 1..4, Coef";
  EXPECT_THAT(std::vector<std::string>(linhas.begin(), linhas.begin() + 8),
              ElementsAre("Zeca Moura", std::to_string(pac), "11.222", "Olho Direito", "10/05/2024",
                          "09:00:00", "Dra. Helena Prado", "#"));
  const auto d = DecodeLines(ReadFileBytes(CaminhoArquivoExame(root / "exames", pac, codigo, 'd')));
  EXPECT_EQ(linhas[8], d[0]);
  EXPECT_EQ(linhas[linhas.size() - 2], "Ação");
  EXPECT_EQ(linhas.back(), std::string(255, 'x')) << "cut to 255 characters";
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");

  m.dialogs.fileAnswers = {root / "aberto"};
  b->tbExportadorAbertoClick();
  const std::string csv = ReadFileBytes(root / "aberto.csv");
  EXPECT_THAT(csv, HasSubstr("cabecalho,nome_paciente,Zeca Moura\r\n"));
  EXPECT_THAT(csv, HasSubstr("calibracao4,1,1.5,2.5\r\n"));
  EXPECT_THAT(csv, HasSubstr("coef,1,Ação\r\n"));
  EXPECT_THAT(csv, HasSubstr("coef,2," + longa + "\r\n")) << "the open export keeps it whole";
}

TEST_F(BrowserFixture, ExportWithAMissingCalibrationFileWritesNothing) {
  const int pac = NovoPaciente("Zeca Moura");
  NovoExame(pac, helena, "OD", "T", kHoje, Hora(9, 0));
  auto b = Abre();
  Exame(*b, "OD");
  m.dialogs.fileAnswers = {root / "saida"};
  b->tbExportadorClick();
  EXPECT_THAT(m.dialogs.Texts().back(), HasSubstr("1.txt"));
  EXPECT_FALSE(std::filesystem::exists(root / "saida.exp"));
}

// ---------------------------------------------------------------------------- examples

TEST_F(BrowserFixture, ExamplesPageListsGroupsAndDisablesExamButtons) {
  auto b = Abre();
  view["pcExames"].itemIndex = 1;
  b->pcExamesChange();
  EXPECT_FALSE(view["tbNovoExame1"].enabled);
  EXPECT_FALSE(view["tbExportador"].enabled);
  EXPECT_THAT(view["lswPrincipal"].items,
              ElementsAre("OD - Central01", "OD - Central02", "OD - Central03", "OD - Central04",
                          "OS - Central05", "OS - Central06"));
  b->GridExemplosSelectCell(5);
  EXPECT_THAT(view["lswPrincipal"].items, ElementsAre("Orto01", "Orto02", "Orto03", "Orto04"));
  EXPECT_THAT(b->FigurasExames(), ElementsAre(3, 3, 3, 3));
}

TEST_F(BrowserFixture, MapsOfAnExampleLoadTheFilesItsItemNamesAndKnowOrthokeratology) {
  auto caixa = std::make_unique<std::array<TMatrizAngAnel, 1>>();
  auto* tabela = &(*caixa)[0];
  TMatrizAng aneis;
  std::fill(std::begin(aneis), std::end(aneis), 16);
  const TPupila pupila = {0, 0, 0, 0};
  for (const auto& [nome, marca] :
       {std::pair{"Central03", 47.25}, std::pair{"Orto01", 41.5}, std::pair{"Orto02", 41.0},
        std::pair{"Orto03", 40.5}, std::pair{"Orto04", 40.0}}) {
    for (auto& linha : *tabela) linha[1] = marca;
    GravaArquivosExame(root / ("exemplos/" + std::string(nome)), *tabela, *tabela, aneis, 320, 240,
                       pupila, 16);
  }
  auto b = Abre();
  view["pcExames"].itemIndex = 1;
  b->pcExamesChange();
  view["lswPrincipal"].itemIndex = 2;  // "OD - Central03"
  b->MapaClick("Pelmo");
  EXPECT_EQ(Valor("entry"), "ProcessaMapa");
  EXPECT_EQ(Valor("Dioptria"), "47.25");
  std::filesystem::remove(root / "record.txt");
  b->GridExemplosSelectCell(5);
  view["lswPrincipal"].itemIndex = 0;  // "Orto01"
  b->MapaClick("Pelmo");
  EXPECT_EQ(Valor("entry"), "ProcessaMapaOrto");
  EXPECT_EQ(Valor("Dioptria"), "41.50");
  std::filesystem::remove(root / "record.txt");
  b->MapasClick("Kandor");
  EXPECT_EQ(Valor("lista"),
            "OOlho Direito - 10/01/01 00:00:00|OOlho Direito - 12/01/01 00:00:00|"
            "OOlho Direito - 14/01/01 00:00:00|OOlho Direito - 16/01/01 00:00:00|");
  EXPECT_EQ(Valor("entry"), "ProcessaMapasOrto");
  EXPECT_EQ(Valor("0Dioptria"), "41.50");
  EXPECT_EQ(Valor("3Dioptria"), "40.00");
  EXPECT_EQ(Valor("3Orto"), "0.00,0.00,0.00");
  std::filesystem::remove(root / "record.txt");
  b->MapasClick("Horvat");
  EXPECT_EQ(Valor("flag"), "1") << "Horvat's wizard takes the orthokeratology argument list";
  EXPECT_THAT(Valor("lista"), HasSubstr("OOlho Direito - 10/01/01 00:00:00|"));
  EXPECT_TRUE(m.dialogs.shown.empty()) << m.dialogs.Texts().front();
}

}  // namespace
}  // namespace zv::browser::test
