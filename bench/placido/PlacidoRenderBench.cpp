// Time to render one simulated camera picture, by surface and supersampling.
#include <benchmark/benchmark.h>

#include "PlacidoRenderer.h"

namespace {

void RenderSphere(benchmark::State& state) {
  placido::Scene scene;
  scene.supersample = static_cast<int>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(placido::Render(scene));
}
BENCHMARK(RenderSphere)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

void RenderToric(benchmark::State& state) {
  placido::Scene scene;
  scene.cornea.kind = placido::SurfaceKind::Toric;
  for (auto _ : state) benchmark::DoNotOptimize(placido::Render(scene));
}
BENCHMARK(RenderToric)->Unit(benchmark::kMillisecond);

void RenderKeratoconusWithNoise(benchmark::State& state) {
  placido::Scene scene;
  scene.cornea.kind = placido::SurfaceKind::Keratoconus;
  scene.noiseSigma = 4;
  for (auto _ : state) benchmark::DoNotOptimize(placido::Render(scene));
}
BENCHMARK(RenderKeratoconusWithNoise)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
