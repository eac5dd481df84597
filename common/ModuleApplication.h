// What a module's entry point needs around its windows: the QApplication of the host (or, for a
// caller without one, an application for the length of this call), and a failure report that
// shows a message box when windows are possible and writes to standard error otherwise.
#pragma once
#include <QWidget>
#include <cstdint>
#include <functional>
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

// The texts of one entry point's failures: "<failure>: <error>" or "<failure>." when something
// fails, `noWindows` when the caller's process cannot show windows.
struct ModuleEntryTexts {
  const char* module;
  const char* noWindows;
  const char* failure;
};

// Runs an entry point's body inside its application: the body's result, or 0 after reporting
// any failure.  No exception leaves it.
int32_t RunModuleEntry(QWidget* parent, const ModuleEntryTexts& texts,
                       const std::function<int32_t()>& body);

}  // namespace zv
