// Time of the automatic ring processing of one simulated camera picture (7.8 mm sphere):
// centre refinement, detection, clean-up after a detection and finishing, with the
// correlations summed over the kernels' support four outputs at a time, beside the plain
// direct 300 x 300 sums.  Before timing, both forms must give identical tables bit for bit.
//
//   build/bin/vessik_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <QImage>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "PlacidoRenderer.h"
#include "ProcessingSession.h"
#include "TextFile.h"
#include "UnattendedDialogs.h"

namespace {

using vessik::Correlacao;
using vessik::ProcessingSession;

struct Fixture {
  std::unique_ptr<vessik::ImagemRGB> image[2];  // 16 and 32 rings
  std::string calibDir[2];                      // a calibration of 16 and of 32 rings
  zv::UnattendedDialogs dialogs;
};

Fixture& Shared() {
  static Fixture f = [] {
    Fixture f;
    for (int i = 0; i < 2; ++i) {
      placido::Scene scene;
      scene.rings = i == 0 ? 16 : 32;
      scene.noiseSigma = 3;
      const QImage img = placido::Render(scene).convertToFormat(QImage::Format_RGB32);
      f.image[i] = std::make_unique<vessik::ImagemRGB>(img.width(), img.height());
      for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const uint32_t*>(img.constScanLine(y));
        std::copy(line, line + img.width(), f.image[i]->Linha(y));
      }
    }
    for (int i = 0; i < 2; ++i) {
      const int rings = i == 0 ? 16 : 32;
      f.calibDir[i] =
          (std::filesystem::temp_directory_path() / ("vessik_bench_calib" + std::to_string(rings)))
              .string();
      zv::ForceDirectories(f.calibDir[i]);
      std::vector<std::string> lines;
      for (int j = 0; j < rings; ++j) lines.insert(lines.end(), {"5.2", "0.03"});
      zv::WriteTextLines(zv::JoinPath(f.calibDir[i], "Coef.txt"), lines);
    }
    return f;
  }();
  return f;
}

int Rings(int64_t index) {
  return index == 0 ? 16 : 32;
}
int ScanStart(int rings) {
  return rings == 16 ? 14 : 8;
}

std::unique_ptr<ProcessingSession> NewSession(int rings) {
  return std::make_unique<ProcessingSession>(rings, placido::MillimetresPerPixel(),
                                             Shared().calibDir[rings == 16 ? 0 : 1],
                                             Shared().dialogs);
}

// The whole automatic processing of one image.
bool RunChain(ProcessingSession& s, const vessik::ImagemRGB& img, Correlacao mode) {
  s.ProcessaAneis(img, 320, 240, ScanStart(s.NumAneis()), mode);
  return s.FinalizaImagem() == vessik::ResultadoFinalizacao::Armazenada;
}

void Chain(benchmark::State& state, Correlacao mode) {
  const int rings = Rings(state.range(0));
  auto s = NewSession(rings);
  for (auto _ : state) RunChain(*s, *Shared().image[state.range(0)], mode);
}
void ChainFast(benchmark::State& state) {
  Chain(state, Correlacao::Rapida);
}
void ChainDirect(benchmark::State& state) {
  Chain(state, Correlacao::Direta);
}

void Detection(benchmark::State& state, Correlacao mode) {
  auto s = NewSession(Rings(state.range(0)));
  s->RefinaCentro(*Shared().image[state.range(0)], 320, 240);
  for (auto _ : state) s->Detecta(*Shared().image[state.range(0)], ScanStart(s->NumAneis()), mode);
}
void DetectionFast(benchmark::State& state) {
  Detection(state, Correlacao::Rapida);
}
void DetectionDirect(benchmark::State& state) {
  Detection(state, Correlacao::Direta);
}

void CentreRefinement(benchmark::State& state) {
  auto s = NewSession(32);
  for (auto _ : state) s->RefinaCentro(*Shared().image[1], 320, 240);
}

void CleanUp(benchmark::State& state) {
  auto s = NewSession(Rings(state.range(0)));
  s->ProcessaAneis(*Shared().image[state.range(0)], 320, 240, ScanStart(s->NumAneis()));
  for (auto _ : state) s->LimpaAposDeteccao();
}

void Finishing(benchmark::State& state) {
  auto s = NewSession(Rings(state.range(0)));
  s->ProcessaAneis(*Shared().image[state.range(0)], 320, 240, ScanStart(s->NumAneis()));
  const auto working = s->trabalho;
  const auto counts = s->contagens;
  for (auto _ : state) {
    s->trabalho = working;
    s->contagens = counts;
    s->FinalizaImagem();
  }
}

BENCHMARK(ChainFast)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ChainDirect)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(DetectionFast)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(DetectionDirect)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(CentreRefinement)->Unit(benchmark::kMicrosecond);
BENCHMARK(CleanUp)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Finishing)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Both correlation forms through the whole chain: raw table, working table and the stored
// matrices must be identical bit for bit.
bool TablesIdentical() {
  for (int i = 0; i < 2; ++i) {
    auto fast = NewSession(Rings(i)), direct = NewSession(Rings(i));
    if (!RunChain(*fast, *Shared().image[i], Correlacao::Rapida) ||
        !RunChain(*direct, *Shared().image[i], Correlacao::Direta)) {
      std::printf("%d rings: the image was not finished\n", Rings(i));
      return false;
    }
    const bool same = std::memcmp(&fast->bruta, &direct->bruta, sizeof fast->bruta) == 0 &&
                      std::memcmp(&fast->trabalho, &direct->trabalho, sizeof fast->trabalho) == 0 &&
                      std::memcmp(&fast->MatrizesPixels, &direct->MatrizesPixels,
                                  sizeof fast->MatrizesPixels) == 0 &&
                      std::memcmp(&fast->MatrizesDioptrias, &direct->MatrizesDioptrias,
                                  sizeof fast->MatrizesDioptrias) == 0;
    std::printf("%d rings: tables of the fast and the direct correlation %s\n", Rings(i),
                same ? "identical bit for bit" : "DIFFER");
    if (!same) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (!TablesIdentical()) return 1;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
