// The demo installation's clinic and examples, laid out by tools/make-demo.sh: the doctors and
// patients, every exam readable the way the browser reads it, clinically what it claims to be,
// and an operator's records kept when the installation is laid out again.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <numeric>
#include <vector>

#include "GravacaoExame.h"
#include "ScriptedDialogs.h"
#include "Streams.h"
#include "TestDatabase.h"
#include "TestPaths.h"
#include "TextFile.h"
#include "UBArquivosExame.h"
#include "UBIniSettings.h"
#include "UBJpeg.h"
#include "UBMapOperation.h"
#include "UBRecords.h"
#include "UDArquivos.h"
#include "UDMedicos.h"
#include "UDPacientes.h"
#include "UfrmExames.h"

namespace zv {
namespace {

namespace fs = std::filesystem;

void MakeDemo(const std::string& root) {
  test::PrepareLockDirectory();
  const std::string command =
      test::SourceDir() + "/tools/make-demo.sh '" + test::BinDir() + "' '" + root + "' >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
}

// An exam row as the browser lists it.
struct Exame {
  int codigo, paciente;
  std::string olho, tipo, quando;
  double div = 0, raio = 0, sag = 0;
};

// The installation's settings and a connection to its database.
struct Instalacao {
  explicit Instalacao(const std::string& root) {
    TBIniSettings settings(dialogs, root, root + "/no-fixed-location");
    EXPECT_TRUE(settings.LoadAll(1));
    CopySettingsToRecords(settings, records);
    dm = std::make_unique<data::TDMPrincipal>(dialogs);
    EXPECT_TRUE(dm->PSetDataBaseName(JoinPath(records.Paths.DirBancoDados, "DATABASE.GDB")));
  }
  std::vector<Exame> Exames() {
    std::vector<Exame> exames;
    auto& q = dm->Operation(
        "SELECT e.Codigo, e.CodPaciente, e.Olho, e.TipoExame, e.Data, e.Hora, o.Div, o.Raio, "
        "o.Sag FROM Exames e LEFT JOIN ExamesOrto o ON o.CodExame = e.Codigo ORDER BY e.Codigo");
    for (q.Open(); !q.Eof(); q.Next())
      exames.push_back({static_cast<int>(q.FieldByName("Codigo").AsInteger()),
                        static_cast<int>(q.FieldByName("CodPaciente").AsInteger()),
                        q.FieldByName("Olho").AsString(), q.FieldByName("TipoExame").AsString(),
                        q.FieldByName("Data").AsString() + " " + q.FieldByName("Hora").AsString(),
                        q.FieldByName("Div").AsFloat(), q.FieldByName("Raio").AsFloat(),
                        q.FieldByName("Sag").AsFloat()});
    q.Close();
    return exames;
  }
  std::string Prefixo(const Exame& e) const {
    return PrefixoArquivosExame(records.Paths.DirExames, e.paciente, e.codigo);
  }

  test::ScriptedDialogs dialogs;
  TZVRecords records;
  std::unique_ptr<data::TDMPrincipal> dm;
};

// Power of ring `anel` on meridian `meridiano` (1..360) of a loaded exam.
struct Tabela {
  TMatrizAngAnel d{};
  double P(int meridiano, int anel) const { return d[meridiano - 1][anel]; }
};

class DemoClinic : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new test::TempDir;
    MakeDemo(Root());
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  static std::string Root() { return *dir_ / "demo"; }

  // The dioptre table of the example `nome`, loaded as the browser's examples mode loads it.
  Tabela Exemplo(const std::string& nome) {
    test::ScriptedDialogs dialogs;
    TBMapOperation op(dialogs);
    Tabela t;
    EXPECT_TRUE(op.LoadExam(std::string(inst.records.Paths.DirExemplos) + "/" + nome)) << nome;
    op.GetDioptreTable(t.d);
    return t;
  }

  inline static test::TempDir* dir_ = nullptr;
  Instalacao inst{Root()};
};

TEST_F(DemoClinic, TwoDoctorsAndPatientsWhoseCountAndLatestExamMatchTheirExams) {
  EXPECT_EQ(data::TDMedicos(*inst.dm).ContaMedicos(), 2);
  data::TDPacientes pacientes(*inst.dm);
  EXPECT_EQ(pacientes.ContaPacientes(), 6);
  EXPECT_GT(pacientes.CodigoDoPaciente("José D'Ávila Júnior"), 0);
  std::map<int, std::vector<Exame>> porPaciente;
  for (const Exame& e : inst.Exames()) porPaciente[e.paciente].push_back(e);
  ASSERT_EQ(porPaciente.size(), 6u);
  for (const auto& [paciente, exames] : porPaciente) {
    EXPECT_EQ(pacientes.TotalExamesDoPaciente(paciente), static_cast<int>(exames.size()));
    auto& q = inst.dm->Operation("SELECT UltimoExame FROM Pacientes WHERE Codigo = :Codigo");
    q.SetParam("Codigo", paciente);
    q.Open();
    const auto ultimo = std::max_element(exames.begin(), exames.end(), [](auto& a, auto& b) {
      return a.quando.substr(6, 4) + a.quando.substr(3, 2) + a.quando.substr(0, 2) +
                 a.quando.substr(10) <
             b.quando.substr(6, 4) + b.quando.substr(3, 2) + b.quando.substr(0, 2) +
                 b.quando.substr(10);
    });
    EXPECT_EQ(q.FieldByName("UltimoExame").AsString(), ultimo->olho + " " + ultimo->quando);
    q.Close();
  }
}

TEST_F(DemoClinic, EveryExamOpensFromItsFilesAndStandardExamsKeepBothImages) {
  std::map<std::string, int> tipos;
  for (const Exame& e : inst.Exames()) {
    ++tipos[e.tipo + e.olho];
    TBMapOperation op(inst.dialogs);
    ASSERT_TRUE(op.LoadExam(inst.Prefixo(e))) << e.codigo;
    Tabela t;
    op.GetDioptreTable(t.d);
    EXPECT_GT(t.P(1, 1), 38) << e.codigo;
    EXPECT_LT(t.P(1, 1), 60) << e.codigo;
    if (e.tipo != "T") continue;
    MemoryStream central, lateral;
    data::TDArquivos(*inst.dm).LeImagens(e.codigo, central.Handle(), lateral.Handle());
    EXPECT_TRUE(data::TBJpeg::DescomprimeJpeg(central.Handle())) << e.codigo;
    EXPECT_TRUE(data::TBJpeg::DescomprimeJpeg(lateral.Handle())) << e.codigo;
  }
  EXPECT_GE(tipos["TOD"], 6);
  EXPECT_GE(tipos["TOS"], 5);
  EXPECT_EQ(tipos["OOD"], 4);
}

TEST_F(DemoClinic, OrthokeratologyFollowUpFlattensNightByNight) {
  std::vector<Exame> orto;
  for (const Exame& e : inst.Exames())
    if (e.tipo == "O") orto.push_back(e);
  ASSERT_EQ(orto.size(), 4u);
  for (size_t i = 0; i < orto.size(); ++i) {
    EXPECT_EQ(orto[i].paciente, orto[0].paciente);
    // The iris is 12 mm across on the simulated camera (limbus 6 mm from the axis).
    EXPECT_NEAR(orto[i].div, 12.0, 0.1);
    // 7.75 mm before the lens: R0 is the radius of ring 1, a little steeper than the apex.
    if (i == 0) {
      EXPECT_NEAR(orto[i].raio, 7.75, 0.1);
      continue;
    }
    EXPECT_GT(orto[i].raio, orto[i - 1].raio + 0.05) << i;
    EXPECT_LT(orto[i].sag, orto[i - 1].sag) << i;
  }
}

TEST_F(DemoClinic, EveryExampleOfTheBrowserOpensWithSixteenRings) {
  for (int grupo = 0; grupo < 6; ++grupo) {
    for (const std::string& item : browser::ItensExemplo(grupo)) {
      const std::string nome = browser::NomeExemplo(item);
      test::ScriptedDialogs dialogs;
      TBMapOperation op(dialogs);
      ASSERT_TRUE(op.LoadExam(std::string(inst.records.Paths.DirExemplos) + "/" + nome)) << nome;
      TMatrizAng aneis;
      op.GetRingCounts(aneis);
      EXPECT_EQ(std::count(std::begin(aneis), std::end(aneis), 16), 360) << nome;
    }
  }
}

TEST_F(DemoClinic, ExampleGroupsAreWhatTheirNamesSay) {
  // Normal: the same power on every meridian.
  for (const char* nome : {"Normal01", "Normal04", "Normal06"}) {
    const Tabela t = Exemplo(nome);
    EXPECT_NEAR(t.P(90, 3), t.P(180, 3), 0.6) << nome;
  }
  // Regular astigmatism: steeper along 90 (with the rule) or along 180 (against it).
  EXPECT_GT(Exemplo("Regular01").P(90, 3) - Exemplo("Regular01").P(180, 3), 1.0);
  EXPECT_GT(Exemplo("Regular03").P(180, 3) - Exemplo("Regular03").P(90, 3), 1.0);
  // Central cone: a steep centre, far above a normal cornea's 42-45 D.
  EXPECT_GT(Exemplo("Central03").P(90, 3), 50);
  // Peripheral cone: an ordinary centre, steepening far out on the cone's side only.
  const Tabela periferico = Exemplo("Periférico04");
  EXPECT_LT(periferico.P(270, 2), 45);
  EXPECT_GT(periferico.P(90, 10) - periferico.P(270, 10), 2.0);
  // Irregular: the two halves of one meridian differ.
  const Tabela irregular = Exemplo("Irregular01");
  EXPECT_GT(std::abs(irregular.P(90, 3) - irregular.P(270, 3)), 1.0);
  // Orthokeratology: the centre flatter night by night.
  double anterior = 100;
  for (const char* nome : {"Orto01", "Orto02", "Orto03", "Orto04"}) {
    const double centro = Exemplo(nome).P(1, 2);
    EXPECT_LT(centro, anterior - 0.4) << nome;
    anterior = centro;
  }
}

TEST(DemoClinicAgain, SecondRunKeepsTheOperatorsPatientExamAndRestoresMissingExamples) {
  test::TempDir dir;
  const std::string root = dir / "demo";
  MakeDemo(root);
  int paciente = 0, codigo = 0;
  {
    Instalacao inst(root);
    data::TDPacientes(*inst.dm).InserePaciente({.nome = "Cláudia Operadora"}, DateTime{2026, 1, 5},
                                               0);
    paciente = data::TDPacientes(*inst.dm).CodigoDoPaciente("Cláudia Operadora");
    exam::DadosGravacao dados;
    dados.codPaciente = paciente;
    dados.medico = "Dr. João Sebastião Falcão";
    dados.olho = "OD";
    dados.dirExames = inst.records.Paths.DirExames;
    exam::ExameGravar exame;
    exame.gravaArquivos = [&](int c) {
      for (char letra : {'d', 'm', 'a'})
        fs::copy_file(std::string(inst.records.Paths.DirExemplos) + "/Normal01" + letra + ".txt",
                      PrefixoArquivosExame(dados.dirExames, paciente, c) + letra + ".txt");
    };
    fs::create_directories(JoinPath(dados.dirExames, std::to_string(paciente)));
    codigo = exam::GravaExames(*inst.dm, dados, {exame}).codigos.at(0);
    fs::remove(std::string(inst.records.Paths.DirExemplos) + "/Orto02a.txt");
  }
  MakeDemo(root);
  Instalacao inst(root);
  EXPECT_EQ(data::TDPacientes(*inst.dm).ContaPacientes(), 7);
  EXPECT_EQ(data::TDMedicos(*inst.dm).ContaMedicos(), 2);
  EXPECT_EQ(data::TDPacientes(*inst.dm).TotalExamesDoPaciente(paciente), 1);
  const auto exames = inst.Exames();
  EXPECT_EQ(exames.back().codigo, codigo);
  TBMapOperation op(inst.dialogs);
  EXPECT_TRUE(op.LoadExam(inst.Prefixo(exames.back())));
  EXPECT_TRUE(FileExists(std::string(inst.records.Paths.DirExemplos) + "/Orto02a.txt"));
}

}  // namespace
}  // namespace zv
