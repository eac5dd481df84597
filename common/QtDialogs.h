// Dialogs shown as real Qt message boxes and file dialogs, modal over `parent`.
#pragma once
#include <QWidget>

#include "Dialogs.h"

namespace zv {

class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  MsgResult Message(const std::string& text, const std::string& caption, MsgIcon icon,
                    MsgButtons buttons) override;
  std::optional<std::string> OpenFileName(const std::string& title, const std::string& filter,
                                          const std::string& directory) override;
  std::optional<std::string> SaveFileName(const std::string& title, const std::string& filter,
                                          const std::string& directory) override;

 private:
  QWidget* parent_;
};

}  // namespace zv
