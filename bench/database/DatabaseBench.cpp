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

#include "ClinicaDeTeste.h"
#include "DatabaseFile.h"
#include "FbDatabase.h"

namespace {

using zv::fb::Dataset;

zv::fb::Attachment* db = nullptr;

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
// The browser's form of the same list: each patient in name order tested for an exam of the
// doctor, one index probe each, so the first screen needs no sort of the doctor's exams.
void PacientesDoMedicoPorExistencia(benchmark::State& s) {
  Run(s,
      "Select Pacientes.Codigo, Pacientes.Nome, Pacientes.RG, Pacientes.Convenio, "
      "Pacientes.DtCadastro, Pacientes.UltimoExame, Pacientes.TotalExames FROM Pacientes WHERE "
      "EXISTS (SELECT 1 FROM Exames WHERE Exames.CodPaciente = Pacientes.Codigo AND "
      "Exames.CodResp=:CodigoMedico) Order by Pacientes.Nome Asc",
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
BENCHMARK(PacientesDoMedicoPorExistencia)->Unit(benchmark::kMicrosecond);
BENCHMARK(PacientesSemExames)->Unit(benchmark::kMicrosecond);
BENCHMARK(ExamesDoPaciente)->Unit(benchmark::kMicrosecond);
BENCHMARK(BuscaParteDoNome)->Unit(benchmark::kMicrosecond);
BENCHMARK(BuscaInicioDoNome)->Unit(benchmark::kMicrosecond);
BENCHMARK(ContaExamesSemBackup)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const zv::bench::BenchDirectory dir("zarvik-bench-");
  const std::string name = dir.DatabaseName();
  int rc = 0;
  try {
    zv::data::CreateDatabase(name);
    zv::fb::Attachment attachment;
    attachment.Attach(name, "sysdba", "lanternox");
    const auto start = std::chrono::steady_clock::now();
    zv::bench::Fill(attachment);
    std::fprintf(stderr, "filled in %.1f s\n",
                 std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    db = &attachment;
    benchmark::RunSpecifiedBenchmarks();
    db = nullptr;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "database_bench: %s\n", e.what());
    rc = 1;
  }
  return rc;
}
