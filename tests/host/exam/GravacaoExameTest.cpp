// Storing new exams on a real database and real files: every row with its own files, the
// patient's count kept exact, nothing half stored after a failure.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

#include "Errors.h"
#include "GravacaoExame.h"
#include "TestDatabase.h"
#include "TextFile.h"
#include "UBArquivosExame.h"
#include "UDExames.h"
#include "UDMedicos.h"
#include "UDPacientes.h"

namespace zv::exam {
namespace {

namespace fs = std::filesystem;

// Writes an exam's three files, each holding the exam's code.
void GravaTresArquivos(const std::string& dir, int paciente, int codigo) {
  for (char letra : {'d', 'm', 'a'}) {
    const std::string caminho = CaminhoArquivoExame(dir, paciente, codigo, letra);
    fs::create_directories(fs::path(caminho).parent_path());
    WriteFileAtomic(caminho, std::to_string(codigo));
  }
}

struct Gravacao : ::testing::Test {
  test::ConnectedModule db;
  test::TempDir exames;
  int paciente = 0;
  DadosGravacao dados;

  void SetUp() override {
    data::TDMedicos(*db.dm).InsereMedico({.nome = "Dra. Inês"});
    data::TDPacientes(*db.dm).InserePaciente({.nome = "José"}, DateTime::Now(), 3);
    paciente = data::TDPacientes(*db.dm).CodigoDoPaciente("José");
    dados = {.codPaciente = paciente,
             .medico = "Dra. Inês",
             .olho = "OD",
             .diagnostico = "d",
             .observacoes = "o",
             .numAneis = 16,
             .tipoCone = "4",
             .tipoExame = "T",
             .dirExames = exames.path()};
  }
  // Writes the three files of an exam, each holding its own code.
  ExameGravar Exame(double indice) {
    ExameGravar e;
    e.indiceConfianca = indice;
    e.gravaArquivos = [this](int codigo) { GravaTresArquivos(exames.path(), paciente, codigo); };
    return e;
  }
  int Conta(const std::string& sql) {
    auto& q = db.dm->Operation(sql);
    q.Open();
    const int n = static_cast<int>(q.FieldByName("COUNT").AsInteger());
    q.Close();
    return n;
  }
  int ArquivosNoDisco() {
    if (!fs::exists(exames / std::to_string(paciente))) return 0;
    return static_cast<int>(std::distance(fs::directory_iterator(exames / std::to_string(paciente)),
                                          fs::directory_iterator()));
  }
};

TEST_F(Gravacao, StandardExamStoresRowFilesImagesAndCount) {
  ExameGravar e = Exame(87.5);
  e.imagens = std::pair<std::string, std::string>{"JPEG-C", ""};
  dados.agora = [] { return DateTime{2024, 3, 5, 10, 20, 30, 456}; };
  const ResultadoGravacao r = GravaExames(*db.dm, dados, {e});
  ASSERT_EQ(r.codigos.size(), 1u);
  EXPECT_TRUE(r.imagensGravadas);
  const int codigo = r.codigos[0];
  auto& q = db.dm->Operation("SELECT * FROM Exames");
  q.Open();
  EXPECT_EQ(q.FieldByName("CODIGO").AsInteger(), codigo);
  EXPECT_EQ(q.FieldByName("HORA").AsString(), "10:20:30");
  EXPECT_EQ(q.FieldByName("INDCONF").AsFloat(), 87.5);
  EXPECT_EQ(q.FieldByName("TIPOEXAME").AsString(), "T");
  q.Close();
  for (char letra : {'d', 'm', 'a'})
    EXPECT_EQ(ReadFileBytes(CaminhoArquivoExame(exames.path(), paciente, codigo, letra)),
              std::to_string(codigo));
  auto& img = db.dm->Operation("SELECT * FROM Arquivos");
  img.Open();
  EXPECT_EQ(img.FieldByName("CODIGO_EXAMES").AsInteger(), codigo);
  EXPECT_EQ(img.FieldByName("IMAGEM_CENTRAL").AsBytes(), "JPEG-C");
  EXPECT_EQ(img.FieldByName("IMAGEM_LATERAL").AsBytes(), "");
  img.Close();
  auto& p = db.dm->Operation("SELECT * FROM Pacientes");
  p.Open();
  EXPECT_EQ(p.FieldByName("TOTALEXAMES").AsInteger(), 4);
  EXPECT_EQ(p.FieldByName("ULTIMOEXAME").AsString(), "OD 05/03/2024 10:20:30");
  p.Close();
}

// Files that cannot be written, or a database that refuses a row, leave no row and no file
// of the save, and the patient's count as it was.
TEST_F(Gravacao, AFailureStoresNothing) {
  struct Caso {
    const char* nome;
    std::function<void(std::vector<ExameGravar>&)> estraga;
  };
  const std::vector<Caso> casos = {
      {"third file fails",
       [&](auto& v) {
         v[1].gravaArquivos = [&, grava = v[1].gravaArquivos](int codigo) {
           grava(codigo);
           throw IoError("disco cheio");
         };
       }},
      {"doctor unknown", [&](auto&) { dados.medico = "Ninguém"; }},
      {"value the column refuses", [&](auto&) { dados.olho = "ODX"; }},
  };
  for (const auto& caso : casos) {
    std::vector<ExameGravar> v = {Exame(80), Exame(81), Exame(82)};
    const auto guardado = dados;
    caso.estraga(v);
    EXPECT_ANY_THROW(GravaExames(*db.dm, dados, v)) << caso.nome;
    dados = guardado;
    EXPECT_EQ(Conta("SELECT COUNT(*) FROM Exames"), 0) << caso.nome;
    EXPECT_EQ(ArquivosNoDisco(), 0) << caso.nome;
    EXPECT_EQ(data::TDPacientes(*db.dm).TotalExamesDoPaciente(paciente), 3) << caso.nome;
  }
  // The connection goes on working: the same save now succeeds.
  EXPECT_EQ(GravaExames(*db.dm, dados, {Exame(80)}).codigos.size(), 1u);
  EXPECT_EQ(ArquivosNoDisco(), 3);
}

TEST_F(Gravacao, OrthokeratologyValuesAreRoundedAndTheCountRisesByFour) {
  dados.tipoExame = "O";
  std::vector<ExameGravar> v;
  for (int i = 0; i < 4; ++i) {
    v.push_back(Exame(70 + i));
    v.back().valoresOrto = std::array<double, 3>{0.12345, 7.77777 + i, 0.000049};
  }
  int pausas = 0;
  const auto r = GravaExames(*db.dm, dados, v, [&] { ++pausas; });
  EXPECT_EQ(pausas, 3);
  ASSERT_EQ(r.codigos.size(), 4u);
  auto& q = db.dm->Operation(
      "SELECT o.*, e.IndConf, e.TipoExame FROM ExamesOrto o JOIN Exames e ON e.Codigo = "
      "o.CodExame ORDER BY o.CodExame");
  q.Open();
  for (int i = 0; i < 4; ++i, q.Next()) {
    EXPECT_EQ(q.FieldByName("CODEXAME").AsInteger(), r.codigos[i]);
    EXPECT_EQ(q.FieldByName("DIV").AsFloat(), 0.1235);
    EXPECT_EQ(q.FieldByName("EXC").AsFloat(), 0);
    EXPECT_DOUBLE_EQ(q.FieldByName("RAIO").AsFloat(), 7.7778 + i);
    EXPECT_EQ(q.FieldByName("SAG").AsFloat(), 0);
    EXPECT_EQ(q.FieldByName("INDCONF").AsFloat(), 70 + i);
    EXPECT_EQ(q.FieldByName("TIPOEXAME").AsString(), "O");
  }
  q.Close();
  EXPECT_EQ(data::TDPacientes(*db.dm).TotalExamesDoPaciente(paciente), 7);
}

// Another workstation has stored an exam of the same patient, doctor and second, under a
// higher code: each exam of this save still finds its own row, and not its sibling's either.
TEST_F(Gravacao, OwnRowIsFoundWhenAnotherWorkstationSavedTheSameSecond) {
  const DateTime instante{2024, 3, 5, 9, 0, 0};
  dados.agora = [&] { return instante; };
  test::ScriptedDialogs dialogsB;
  data::TDMPrincipal outra(dialogsB);
  ASSERT_TRUE(outra.PSetDataBaseName(db.db.Name()));
  auto& ins = outra.Operation(
      "INSERT INTO Exames (Codigo, CodPaciente, CodResp, Data, Hora, Olho, IndConf) VALUES "
      "(1000, :P, 1, :D, :H, 'OS', 99)");
  ins.SetParam("P", paciente);
  ins.SetParam("D", fb::SqlDate{instante});
  ins.SetParam("H", fb::SqlTime{instante});
  ins.ExecSQL();
  outra.PCommitDataBase();

  const auto r = GravaExames(*db.dm, dados, {Exame(60), Exame(61)});
  ASSERT_EQ(r.codigos.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    auto& q = db.dm->Operation("SELECT IndConf FROM Exames WHERE Codigo = :Codigo");
    q.SetParam("Codigo", r.codigos[i]);
    q.Open();
    EXPECT_EQ(q.FieldByName("IndConf").AsFloat(), 60 + i);
    q.Close();
    EXPECT_EQ(ReadFileBytes(CaminhoArquivoExame(exames.path(), paciente, r.codigos[i], 'd')),
              std::to_string(r.codigos[i]));
  }
  EXPECT_FALSE(fs::exists(CaminhoArquivoExame(exames.path(), paciente, 1000, 'd')));
}

// ---- two workstations saving at once ----

// One workstation: saves `n` standard exams of the patient, each file holding its exam's code.
void SalvaExames(const std::string& banco, const std::string& dir, int paciente, int n) {
  test::ScriptedDialogs dialogs;
  data::TDMPrincipal dm(dialogs);
  if (!dm.PSetDataBaseName(banco)) throw std::runtime_error("no connection to " + banco);
  const DadosGravacao dados{.codPaciente = paciente,
                            .medico = "Dra. Inês",
                            .olho = "OS",
                            .diagnostico = "",
                            .observacoes = "",
                            .numAneis = 16,
                            .tipoCone = "4",
                            .dirExames = dir};
  for (int i = 0; i < n; ++i) {
    ExameGravar e;
    e.gravaArquivos = [&](int codigo) { GravaTresArquivos(dir, paciente, codigo); };
    e.imagens = std::pair<std::string, std::string>{"C", "L"};
    GravaExames(dm, dados, {e});
  }
}

// The worker process of the test below (reads its task from ZV_SAVE_WORKER).
TEST(ConcurrentSave, DISABLED_WorkerProcess) {
  const char* tarefa = std::getenv("ZV_SAVE_WORKER");
  ASSERT_NE(tarefa, nullptr);
  std::istringstream in(tarefa);
  std::string banco, dir, paciente, n;
  std::getline(in, banco, '|');
  std::getline(in, dir, '|');
  std::getline(in, paciente, '|');
  std::getline(in, n, '|');
  SalvaExames(banco, dir, std::stoi(paciente), std::stoi(n));
}

// Two workstations save 50 exams each for the same patient and doctor at the same time:
// through a server as two processes, embedded as two connections of this process.  Every exam
// exists once with its own files and images, and the patient's count equals the exams stored.
TEST(ConcurrentSave, TwoWorkstationsLoseNothing) {
  constexpr int kPorEstacao = 50;
  test::ConnectedModule db;
  test::TempDir dir;
  if (test::ServerMode()) fs::permissions(dir.path(), fs::perms::all);
  data::TDMedicos(*db.dm).InsereMedico({.nome = "Dra. Inês"});
  data::TDPacientes(*db.dm).InserePaciente({.nome = "Ana"}, DateTime::Now(), 0);
  const int paciente = data::TDPacientes(*db.dm).CodigoDoPaciente("Ana");

  if (test::ServerMode()) {
    const std::string tarefa = db.db.Name() + "|" + dir.path() + "|" + std::to_string(paciente) +
                               "|" + std::to_string(kPorEstacao);
    std::vector<pid_t> filhos;
    for (int i = 0; i < 2; ++i) {
      const pid_t pid = fork();
      ASSERT_GE(pid, 0);
      if (pid == 0) {
        setenv("ZV_SAVE_WORKER", tarefa.c_str(), 1);
        execl("/proc/self/exe", "worker", "--gtest_also_run_disabled_tests",
              "--gtest_filter=ConcurrentSave.DISABLED_WorkerProcess", nullptr);
        _exit(127);
      }
      filhos.push_back(pid);
    }
    for (pid_t pid : filhos) {
      int status = 0;
      waitpid(pid, &status, 0);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "worker " << pid;
    }
  } else {
    std::vector<std::thread> estacoes;
    std::vector<std::string> erros(2);
    for (int i = 0; i < 2; ++i)
      estacoes.emplace_back([&, i] {
        try {
          SalvaExames(db.db.Name(), dir.path(), paciente, kPorEstacao);
        } catch (const std::exception& e) {
          erros[i] = e.what();
        }
      });
    for (auto& t : estacoes) t.join();
    EXPECT_EQ(erros, std::vector<std::string>(2));
  }

  db.dm->PCommitDataBase();
  auto& q = db.dm->Operation(
      "SELECT e.Codigo, (SELECT COUNT(*) FROM Arquivos a WHERE a.Codigo_Exames = e.Codigo) AS N "
      "FROM Exames e WHERE e.CodPaciente = :P");
  q.SetParam("P", paciente);
  q.Open();
  int exames = 0;
  for (; !q.Eof(); q.Next(), ++exames) {
    const int codigo = static_cast<int>(q.FieldByName("Codigo").AsInteger());
    EXPECT_EQ(q.FieldByName("N").AsInteger(), 1) << codigo;
    for (char letra : {'d', 'm', 'a'})
      EXPECT_EQ(ReadFileBytes(CaminhoArquivoExame(dir.path(), paciente, codigo, letra)),
                std::to_string(codigo));
  }
  q.Close();
  EXPECT_EQ(exames, 2 * kPorEstacao);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / std::to_string(paciente)),
                          fs::directory_iterator()),
            3 * 2 * kPorEstacao);
  EXPECT_EQ(data::TDPacientes(*db.dm).TotalExamesDoPaciente(paciente), 2 * kPorEstacao);
}

}  // namespace
}  // namespace zv::exam
