// The exam browser's reads as the window makes them, on a clinic-sized database (10 000
// patients, 100 000 exams): each patient list reads every row the grid lists, the exam list
// of a patient, and the selection of an exam from its caption.
//   build/bin/browser_bench
// The database is made in $TMPDIR and removed at the end.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "ClinicaDeTeste.h"
#include "ConsultasNavegador.h"
#include "DatabaseFile.h"
#include "UnattendedDialogs.h"

namespace {

using zv::browser::ConsultasNavegador;
using zv::browser::FiltroPacientes;

ConsultasNavegador* consultas = nullptr;
constexpr int kPaciente = 5000, kMedico = 3;

void Pacientes(benchmark::State& state, FiltroPacientes filtro, bool porNome) {
  for (auto _ : state) benchmark::DoNotOptimize(consultas->Pacientes(filtro, porNome).size());
}
void Todos(benchmark::State& s, bool porNome) {
  Pacientes(s, {}, porNome);
}
void SemExames(benchmark::State& s, bool porNome) {
  Pacientes(s, {FiltroPacientes::Tipo::SemExames, 0}, porNome);
}
void DoMedico(benchmark::State& s, bool porNome) {
  Pacientes(s, {FiltroPacientes::Tipo::Medico, kMedico}, porNome);
}
void ExamesDoPaciente(benchmark::State& state, int medico) {
  for (auto _ : state) benchmark::DoNotOptimize(consultas->Exames(kPaciente, medico).size());
}
void SelecionaExame(benchmark::State& state) {
  // Exam 3 of the patient: a left eye on 17/09/2019 at 11:20:00 (see ClinicaDeTeste.h).
  for (auto _ : state)
    benchmark::DoNotOptimize(consultas->SelecionaExame(kPaciente, "OS - 17/09/2019 11:20:00"));
}

BENCHMARK_CAPTURE(Todos, PorNome, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Todos, PorCodigo, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SemExames, PorNome, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SemExames, PorCodigo, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DoMedico, PorNome, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DoMedico, PorCodigo, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExamesDoPaciente, Todos, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExamesDoPaciente, DoMedico, kMedico)->Unit(benchmark::kMillisecond);
BENCHMARK(SelecionaExame)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const zv::bench::BenchDirectory dir("zarvik-browser-bench-");
  const std::string name = dir.DatabaseName();
  int rc = 0;
  try {
    zv::data::CreateDatabase(name);
    {
      zv::fb::Attachment a;
      a.Attach(name, "sysdba", "lanternox");
      zv::bench::Fill(a);
      a.Detach();
    }
    zv::UnattendedDialogs dialogs;
    zv::data::TDMPrincipal dm(dialogs);
    if (!dm.PSetDataBaseName(name)) throw std::runtime_error("cannot open " + name);
    ConsultasNavegador c(dm);
    consultas = &c;
    benchmark::RunSpecifiedBenchmarks();
    consultas = nullptr;
    dm.PDesconectionDataBase();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "browser_bench: %s\n", e.what());
    rc = 1;
  }
  return rc;
}
