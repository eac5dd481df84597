// Start-up of the workstation to its main window on a demo installation (tools/make-demo.sh):
// the main window created and shown, settings read into the records, pictures decoded, the
// database attached, the map modules scanned and the two modules probed, under the real
// start-up window.  Run it with QT_QPA_PLATFORM=offscreen or under Xvfb.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <filesystem>

#include "UfrmPrincipalView.h"

namespace {

// A demo installation laid out once for the whole run.
const std::string& Demo() {
  static const std::string root = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "zvbench-XXXXXX").string();
    const std::string dir = std::string(mkdtemp(pattern.data())) + "/demo";
    const std::string command = std::string(ZV_SOURCE_DIR) + "/tools/make-demo.sh '" + ZV_BIN_DIR +
                                "' '" + dir + "' >/dev/null";
    if (std::system(command.c_str()) != 0) std::abort();
    return dir;
  }();
  return root;
}

void BM_PartidaAteJanelaPrincipal(benchmark::State& state) {
  const std::string root = Demo();
  int messages = 0;
  // A module the demo does not hold yet makes its probe show a message: answered at once.
  QTimer dismiss;
  QObject::connect(&dismiss, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      ++messages;
      box->accept();
    }
  });
  dismiss.start(0);
  for (auto _ : state) {
    zv::QtDialogs dialogs;
    zv::data::TDMPrincipal dm(dialogs);
    zv::TZVRecords records;
    zv::TfrmPrincipalView principal(dm, records, {root + "/zarvik", root});
    principal.show();
    principal.Model().ApplicationEvents1Activate();
    if (!principal.Model().Iniciado()) state.SkipWithError("start-up did not complete");
    QApplication::processEvents();
    principal.close();
  }
  state.counters["mensagens"] = benchmark::Counter(messages, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PartidaAteJanelaPrincipal)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("FIREBIRD_LOCK", (std::filesystem::temp_directory_path() / "zvbench-fblock").c_str(), 0);
  std::filesystem::create_directories(std::getenv("FIREBIRD_LOCK"));
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
