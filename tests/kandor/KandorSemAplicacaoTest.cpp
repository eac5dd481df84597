// The module called by a process that has no QApplication: it makes one for the call and
// removes it afterwards, so a second call works the same way.  The test thread never touches
// Qt before the module does; a helper thread posts the button click to the module's event
// loop once the window is up.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "Streams.h"
#include "UBConstantes.h"

namespace {

// Clicks "&Cancelar" of the wizard from the GUI thread as soon as the window shows.
// The click is set before the window's loop ends, so the helper stops posting well before the
// module removes its application.
std::thread CancelaQuandoAparecer(std::atomic<bool>& feito) {
  return std::thread([&feito] {
    for (int tentativa = 0; tentativa < 500 && !feito; ++tentativa) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      if (feito) break;
      QCoreApplication* app = QCoreApplication::instance();
      if (!app) continue;
      QMetaObject::invokeMethod(
          app,
          [&feito] {
            for (QWidget* w : QApplication::topLevelWidgets())
              if (w->objectName() == "frmWizard" && w->isVisible() && !feito) {
                feito = true;
                w->findChild<QPushButton*>("btnCancelar")->click();
              }
          },
          Qt::QueuedConnection);
    }
  });
}

TEST(ModuloSemAplicacao, EachCallMakesAndRemovesItsOwnApplication) {
  ASSERT_EQ(QCoreApplication::instance(), nullptr);
  const char* bin = std::getenv("ZV_BIN_DIR") ? std::getenv("ZV_BIN_DIR") : KANDOR_BIN_DIR;
  void* handle = dlopen((std::string(bin) + "/Kandor.so").c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << dlerror();
  auto wizard = reinterpret_cast<TWizard>(dlsym(handle, "Wizard"));
  ASSERT_NE(wizard, nullptr);

  for (int chamada = 0; chamada < 2; ++chamada) {
    zv::MemoryStream lista, selecionados, extra;
    zv::StreamWriteLines(lista.Handle(), {"OOlho Direito - 01/03/2026 10:00:00"});
    std::atomic<bool> feito = false;
    std::thread ajudante = CancelaQuandoAparecer(feito);
    TInfosZV infos{};
    EXPECT_EQ(wizard(nullptr, lista.Handle(), selecionados.Handle(), extra.Handle(), infos), 0);
    ajudante.join();
    EXPECT_TRUE(feito) << "call " << chamada;
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
  }
  dlclose(handle);
}

}  // namespace
