// Writing the module's text tables: 1440 lines of 33 values in "00.00".  FormatFloat is
// compared with a plain snprintf reference of the same text (on a point-locale machine), so the
// cost of the locale-independent formatter shows as a ratio.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "NumberFormat.h"

namespace {

double Value(int row, int col) {
  return 40.0 + 3.0 * std::sin(row * 0.01745) + col * 0.137;
}

void BM_FormatFloatTable(benchmark::State& state) {
  for (auto _ : state) {
    std::string text;
    for (int r = 0; r < 1440; ++r) {
      for (int c = 0; c <= 32; ++c) text += zv::FormatFloat("00.00", Value(r, c)) + " ";
      text += "\r\n";
    }
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_FormatFloatTable)->Unit(benchmark::kMillisecond);

void BM_SnprintfReference(benchmark::State& state) {
  for (auto _ : state) {
    std::string text;
    char buf[32];
    for (int r = 0; r < 1440; ++r) {
      for (int c = 0; c <= 32; ++c) {
        std::snprintf(buf, sizeof buf, "%05.2f ", Value(r, c));
        text += buf;
      }
      text += "\r\n";
    }
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_SnprintfReference)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
