// The exam browser's queries on a clinic-sized database: 10 doctors, 10 000 patients and
// 100 000 exams (10 a patient), nine in ten exams already backed up.
//   build/bin/database_bench [--benchmark_repetitions=N]
// The database is made in $TMPDIR and removed at the end (kept when ZV_BENCH_KEEP is set).
// Each list query opens and reads the rows a grid shows first (up to 50); counts and the exams
// of a patient read everything.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "DatabaseFile.h"
#include "FbDatabase.h"

namespace {

using zv::DateTime;
using zv::fb::Dataset;
using zv::fb::SqlDate;
using zv::fb::SqlTime;

constexpr int kDoctors = 10, kPatients = 10000, kExamsPerPatient = 10;

zv::fb::Attachment* db = nullptr;

const char* const kFirst[] = {"Ana",    "Bruno",    "Carla",   "Daniel",  "Eduarda",
                              "Fábio",  "Gabriela", "Heitor",  "Isabela", "João",
                              "Karina", "Lucas",    "Mariana", "Nelson",  "Otávio",
                              "Paula",  "Renato",   "Sílvia",  "Tiago",   "Vânia"};
const char* const kLast[] = {"Silva",    "Souza",    "Oliveira",  "Santos",  "Pereira",   "Lima",
                             "Carvalho", "Ferreira", "Rodrigues", "Almeida", "Costa",     "Gomes",
                             "Martins",  "Araújo",   "Barbosa",   "Ribeiro", "Conceição", "Rocha"};

void Fill(zv::fb::Attachment& a) {
  std::mt19937 rng(42);
  auto pick = [&](const auto& list) { return std::string(list[rng() % std::size(list)]); };
  a.StartTransaction();
  Dataset medico(a,
                 "Execute Procedure InsertMedicos :Nome,:Rg,:CPF,:Crm,:Sexo,:EstadoCivil,"
                 ":Conjuge,:DataNascimento,:Naturalidade,:NaturalidadeEstado,:Pai,:Mae,:Rua,"
                 ":Complemento,:Bairro,:Cidade,:Estado,:Cep,:Fone,:Celular");
  for (int i = 1; i <= kDoctors; ++i) {
    medico.SetParam("Nome", "Dr. " + pick(kFirst) + " " + pick(kLast) + " " + std::to_string(i));
    medico.ExecSQL();
  }
  Dataset paciente(a,
                   "Execute Procedure InsertPacientes :Nome,:Rg,:CPF,:Sexo,:EstadoCivil,"
                   ":Conjuge,:DataNascimento,:Naturalidade,:NaturalidadeEstado,:Pai,:Mae,:Rua,"
                   ":Complemento,:Bairro,:Cidade,:Estado,:Cep,:Fone,:Celular,:Convenio,"
                   ":Profissao,:TipoSang,:DtCadastro,:TotalExames");
  Dataset exame(a,
                "Execute Procedure InsertExames :CodPaciente,:CodResp,:Data,:Hora,:Olho,"
                ":IndConf,:TipoExame,:Backup,:Diag,:Observacao,:NumAneis,:TipoCone");
  for (int p = 1; p <= kPatients; ++p) {
    paciente.SetParam("Nome", pick(kFirst) + " " + pick(kLast) + " " + pick(kLast));
    paciente.SetParam("Rg", std::to_string(10000000 + p));
    paciente.SetParam("Convenio", "Particular");
    paciente.SetParam("DtCadastro", SqlDate{DateTime{2015 + p % 10, 1 + p % 12, 1 + p % 28}});
    paciente.SetParam("TotalExames", kExamsPerPatient);
    paciente.ExecSQL();
    for (int e = 0; e < kExamsPerPatient; ++e) {
      exame.SetParam("CodPaciente", p);
      exame.SetParam("CodResp", 1 + (p + e) % kDoctors);
      exame.SetParam("Data", SqlDate{DateTime{2016 + e, 1 + p % 12, 1 + p % 28}});
      exame.SetParam("Hora", SqlTime{DateTime{1899, 12, 30, 8 + e, p % 60, 0}});
      exame.SetParam("Olho", e % 2 ? "OS" : "OD");
      exame.SetParam("IndConf", 90.0 + e);
      exame.SetParam("TipoExame", "T");
      exame.SetParam("Backup", e == kExamsPerPatient - 1 ? "" : "BK0001");
      exame.SetParam("Diag", "Astigmatismo regular");
      exame.SetParam("NumAneis", 32);
      exame.SetParam("TipoCone", "2");
      exame.ExecSQL();
    }
  }
  a.Commit();
}

// Opens the query and reads up to `rows` rows (all when 0).
void Run(benchmark::State& state, const std::string& sql, const char* param = nullptr,
         zv::fb::Value value = {}, int rows = 50) {
  db->StartTransaction();
  Dataset q(*db, sql);
  for (auto _ : state) {
    if (param) q.SetParam(param, value);
    q.Open();
    int n = 0;
    for (; !q.Eof() && (rows == 0 || n < rows); q.Next()) ++n;
    benchmark::DoNotOptimize(n);
    q.Close();
  }
  db->Commit();
}

void PacientesPorNome(benchmark::State& s) {
  Run(s, "Select * FROM Pacientes Order by Nome Asc");
}
void PacientesPorCodigo(benchmark::State& s) {
  Run(s, "Select * FROM Pacientes Order by Codigo Asc");
}
void PacientesDoMedico(benchmark::State& s) {
  Run(s,
      "Select DISTINCT(Pacientes.Nome), Pacientes.Codigo, Pacientes.RG, Pacientes.Convenio, "
      "Pacientes.DtCadastro, Pacientes.UltimoExame, Pacientes.TotalExames FROM Exames JOIN "
      "Pacientes ON Exames.CodPaciente = Pacientes.Codigo WHERE CodResp=:CodigoMedico Order by "
      "Pacientes.Nome Asc",
      "CodigoMedico", 3);
}
void PacientesSemExames(benchmark::State& s) {
  Run(s, "Select * FROM Pacientes WHERE Pacientes.TotalExames=:TotalExames Order by Nome Asc",
      "TotalExames", 0);
}
void ExamesDoPaciente(benchmark::State& s) {
  Run(s, "SELECT * FROM Exames WHERE Exames.CodPaciente = :codigoPaciente", "codigoPaciente", 5000,
      0);
}
void BuscaParteDoNome(benchmark::State& s) {
  Run(s,
      "SELECT Codigo,Nome,Rg FROM Pacientes WHERE Upper(nome) like '%CONCEI%' ORDER BY Nome ASC");
}
void BuscaInicioDoNome(benchmark::State& s) {
  Run(s,
      "SELECT Codigo,Nome,Rg,TotalExames FROM Pacientes WHERE Upper(nome) like 'MARIANA S%' "
      "ORDER BY Nome ASC");
}
void ContaExamesSemBackup(benchmark::State& s) {
  Run(s, "SELECT COUNT(*) FROM Exames WHERE Exames.Backup=:Backup", "Backup", "", 0);
}

BENCHMARK(PacientesPorNome)->Unit(benchmark::kMicrosecond);
BENCHMARK(PacientesPorCodigo)->Unit(benchmark::kMicrosecond);
BENCHMARK(PacientesDoMedico)->Unit(benchmark::kMicrosecond);
BENCHMARK(PacientesSemExames)->Unit(benchmark::kMicrosecond);
BENCHMARK(ExamesDoPaciente)->Unit(benchmark::kMicrosecond);
BENCHMARK(BuscaParteDoNome)->Unit(benchmark::kMicrosecond);
BENCHMARK(BuscaInicioDoNome)->Unit(benchmark::kMicrosecond);
BENCHMARK(ContaExamesSemBackup)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const auto dir =
      std::filesystem::temp_directory_path() / ("zarvik-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  if (!std::getenv("FIREBIRD_LOCK")) setenv("FIREBIRD_LOCK", (dir / "lock").c_str(), 1);
  const std::string name = (dir / "DATABASE.GDB").string();
  int rc = 0;
  try {
    zv::data::CreateDatabase(name);
    zv::fb::Attachment attachment;
    attachment.Attach(name, "sysdba", "lanternox");
    const auto start = std::chrono::steady_clock::now();
    Fill(attachment);
    std::fprintf(stderr, "filled in %.1f s\n",
                 std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    db = &attachment;
    benchmark::RunSpecifiedBenchmarks();
    db = nullptr;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "database_bench: %s\n", e.what());
    rc = 1;
  }
  if (std::getenv("ZV_BENCH_KEEP"))
    std::fprintf(stderr, "database kept: %s\n", name.c_str());
  else
    std::filesystem::remove_all(dir);
  return rc;
}
