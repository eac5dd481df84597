// Speed of the exam files: one ring-table file written, one module text table read, one
// stored exam loaded back (three files).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "TextFile.h"
#include "UBArquivosExame.h"
#include "UBMapOperation.h"
#include "UnattendedDialogs.h"

namespace {

// A realistic 32-ring exam in a fresh directory.
struct Exam {
  Exam() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zvbench-XXXXXX").string();
    dir = mkdtemp(pattern.data());
    zv::ForceDirectories(zv::JoinPath(dir, "12"));
    for (int r = 0; r < 360; ++r) {
      rings[r] = 32;
      for (int c = 0; c <= 32; ++c) {
        dioptres[r][c] = 38.5 + c * 0.173 + r * 0.001;
        pixels[r][c] = c * 6.37;
      }
    }
    const TPupila pupil = {0, 0, 0, 0};
    zv::GravaTabelaD(dir, 12, 345, dioptres, 32);
    zv::GravaTabelaM(dir, 12, 345, pixels, 32);
    zv::GravaCabecalho(dir, 12, 345, rings, 320, 240, pupil);
  }
  ~Exam() { std::filesystem::remove_all(dir); }

  std::string dir;
  TMatrizAngAnel dioptres, pixels;
  TMatrizAng rings;
};

void BM_GravaTabelaD(benchmark::State& state) {
  static Exam exam;
  for (auto _ : state) zv::GravaTabelaD(exam.dir, 12, 346, exam.dioptres, 32);
}
BENCHMARK(BM_GravaTabelaD)->Unit(benchmark::kMillisecond);

void BM_LeTabelaAneis(benchmark::State& state) {
  static Exam exam;
  const auto lines = zv::ReadTextLines(zv::JoinPath(exam.dir, "12/345d.txt"));
  static TMatrizAngAnel table;
  for (auto _ : state) {
    zv::LeTabelaAneis(lines, -1, table);
    benchmark::DoNotOptimize(table[359][32]);
  }
}
BENCHMARK(BM_LeTabelaAneis)->Unit(benchmark::kMillisecond);

void BM_LoadExam(benchmark::State& state) {
  static Exam exam;
  static zv::UnattendedDialogs dialogs;
  static zv::TBMapOperation operation(dialogs);
  const std::string prefix = zv::JoinPath(exam.dir, "12/345");
  for (auto _ : state) benchmark::DoNotOptimize(operation.LoadExam(prefix));
}
BENCHMARK(BM_LoadExam)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
