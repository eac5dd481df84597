// Runs a window's handler; an error (a database that refuses, a lost connection) is shown with
// its text and the window stays as it was, instead of leaving the event loop.
#pragma once
#include <QWidget>
#include <exception>

#include "QtDialogs.h"

namespace zv::exam {

template <typename F>
void Protegido(QWidget* janela, F&& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    QtDialogs(janela).Message(e.what(), "Erro", MsgIcon::Error, MsgButtons::Ok);
  }
}

}  // namespace zv::exam
