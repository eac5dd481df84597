// What a single-map window computes when it opens: the tangential grid of one exam, its
// keratometry, and the map picture; and the browser's small picture.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "MapaCurvatura.h"
#include "PinturaMapa.h"

namespace {

using namespace mapas;

struct Exame {
  TMatrizAngAnel pixels{}, dioptrias{};
  TMatrizAng aneis{};
};

// A conicoid (R 7.8 mm, Q -0.3) with ring j at 7 j pixels on every meridian.
std::unique_ptr<Exame> Conicoide() {
  auto e = std::make_unique<Exame>();
  for (int k = 0; k < 360; ++k) {
    e->aneis[k] = 32;
    for (int j = 1; j <= 32; ++j) {
      const double r = 7.0 * j * kFatorPadrao;
      e->pixels[k][j] = 7.0 * j;
      e->dioptrias[k][j] = 337.5 / std::sqrt(7.8 * 7.8 + 0.3 * r * r);
    }
    e->dioptrias[k][0] = e->dioptrias[k][1];
  }
  return e;
}

void JanelaTangencial(benchmark::State& state) {
  const auto e = Conicoide();
  for (auto _ : state) {
    const GradePotencia grade =
        CalculaGrade(TipoMapa::Tangencial, e->pixels, e->aneis, e->dioptrias, 32, kFatorPadrao);
    benchmark::DoNotOptimize(CalculaCeratometria(grade));
    const QImage mapa = PintaMapa(grade, EscalaAbsoluta(1.5), Enquadramento{});
    benchmark::DoNotOptimize(mapa.constBits());
  }
}
BENCHMARK(JanelaTangencial)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void MiniaturaAxial(benchmark::State& state) {
  const auto e = Conicoide();
  for (auto _ : state) {
    const GradePotencia grade =
        CalculaGrade(TipoMapa::Axial, e->pixels, e->aneis, e->dioptrias, 32, kFatorPadrao);
    const QImage figura = PintaMiniatura(grade, EscalaAbsoluta(1.5));
    benchmark::DoNotOptimize(figura.constBits());
  }
}
BENCHMARK(MiniaturaAxial)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
