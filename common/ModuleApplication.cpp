#include "ModuleApplication.h"

#include <QApplication>
#include <cstdio>

#include "QtDialogs.h"

namespace zv {

ModuleApplication::ModuleApplication(const char* moduleName) {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static std::string name;
  name = moduleName;
  static char* argv[] = {name.data(), nullptr};
  own_ = std::make_unique<QApplication>(argc, argv);
}

ModuleApplication::~ModuleApplication() = default;

bool ModuleApplication::Ready() const {
  return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

void ReportModuleFailure(QWidget* parent, const char* moduleName, const std::string& text) {
  try {
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
      QtDialogs(parent).Message(text, "ERRO", MsgIcon::Error, MsgButtons::Ok);
      return;
    }
  } catch (...) {
  }
  std::fprintf(stderr, "%s: %s\n", moduleName, text.c_str());
}

int32_t RunModuleEntry(QWidget* parent, const ModuleEntryTexts& texts,
                       const std::function<int32_t()>& body) {
  try {
    ModuleApplication app(texts.module);
    if (!app.Ready()) {
      ReportModuleFailure(nullptr, texts.module, texts.noWindows);
      return 0;
    }
    return body();
  } catch (const std::exception& e) {
    ReportModuleFailure(parent, texts.module, std::string(texts.failure) + ": " + e.what());
  } catch (...) {
    ReportModuleFailure(parent, texts.module, std::string(texts.failure) + ".");
  }
  return 0;
}

}  // namespace zv
