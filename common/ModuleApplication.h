// What a module's entry point needs around its windows: the QApplication of the host (or, for a
// caller without one, an application for the length of this call), and a failure report that
// shows a message box when windows are possible and writes to standard error otherwise.
#pragma once
#include <QWidget>
#include <memory>
#include <string>

class QApplication;

namespace zv {

class ModuleApplication {
 public:
  explicit ModuleApplication(const char* moduleName);
  ~ModuleApplication();
  ModuleApplication(const ModuleApplication&) = delete;
  ModuleApplication& operator=(const ModuleApplication&) = delete;
  // True when windows can be shown (a QApplication, not a bare core application, exists).
  bool Ready() const;

 private:
  std::unique_ptr<QApplication> own_;
};

// Reports a module failure over `parent` with the caption "ERRO"; never throws.
void ReportModuleFailure(QWidget* parent, const char* moduleName, const std::string& text);

}  // namespace zv
