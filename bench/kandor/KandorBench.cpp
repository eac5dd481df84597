// Computing and drawing the four orthokeratology maps as the window does when it is shown:
// four power grids, four map images with their marks, and the legend.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <cstdlib>

#include "DesenhoMapa.h"
#include "EstadoTeste.h"

namespace {

using namespace kandor;

void QuatroMapas(benchmark::State& state) {
  auto estado = test::EstadoDeQuatroExames();
  for (auto& aneis : estado->Aneis) AneisUniformes(aneis, 32);
  for (auto _ : state) {
    estado->Escala = PreparaEscala();
    for (int i = 0; i < kImagens; ++i) {
      PreencheGrade(estado->Grades[i], estado->TabelasDioptrias[i], estado->TabelasPixels[i], 1.0,
                    estado->Aneis[i]);
      QImage imagem = DesenhaImagemMapa(
          estado->Grades[i], estado->Aneis[i], estado->TabelasPixels[i], estado->Escala,
          QSize(kLarguraFigura, kAlturaFigura), QSize(290, 218), Qt::black);
      QPainter p(&imagem);
      MarcaAngulos(p, 105, Qt::yellow);
      CirculoPontilhado(p, 100, Qt::yellow);
      benchmark::DoNotOptimize(imagem.constBits());
    }
    QImage legenda(85, 466, QImage::Format_RGB32);
    legenda.fill(Qt::black);
    QPainter p(&legenda);
    LayoutEscala layout;
    DesenhaEscala(p, estado->Escala, layout);
    p.end();
    benchmark::DoNotOptimize(legenda.constBits());
  }
}
BENCHMARK(QuatroMapas)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void QuatroGrades(benchmark::State& state) {
  auto estado = test::EstadoDeQuatroExames();
  for (auto& aneis : estado->Aneis) AneisUniformes(aneis, 32);
  for (auto _ : state)
    for (int i = 0; i < kImagens; ++i)
      PreencheGrade(estado->Grades[i], estado->TabelasDioptrias[i], estado->TabelasPixels[i], 1.0,
                    estado->Aneis[i]);
}
BENCHMARK(QuatroGrades)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
