// Drives a module's modal window from inside its event loop: once the first visible top-level
// window named `nome` (object name or class) shows up, `acao` runs on it.  A window that never
// shows fails the test and closes whatever modal window is open, so the call returns.
#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

namespace zv::test {

inline void QuandoAparecer(const QString& nome, std::function<void(QWidget*)> acao) {
  auto* timer = new QTimer;
  auto tentativas = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [=] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->isVisible() && (w->objectName() == nome || w->inherits(nome.toUtf8()))) {
        timer->stop();
        timer->deleteLater();
        acao(w);
        return;
      }
    }
    if (++*tentativas > 500) {
      timer->stop();
      timer->deleteLater();
      ADD_FAILURE() << nome.toStdString() << " never showed";
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    }
  });
  timer->start(20);
}

// Answers the next message box with OK and hands its text to `texto`.
inline void QuandoMensagem(std::string& texto) {
  QuandoAparecer("QMessageBox", [&texto](QWidget* w) {
    auto* caixa = static_cast<QMessageBox*>(w);
    texto = caixa->text().toStdString();
    caixa->accept();
  });
}

// Saves what the screen shows of `janela` (frame included) as the picture `caminho`, once its
// pending paints are done.
inline bool Fotografa(QWidget* janela, const QString& caminho) {
  janela->raise();
  for (int i = 0; i < 30; ++i) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
  const QRect f = janela->frameGeometry();
  return QApplication::primaryScreen()
      ->grabWindow(0, f.x(), f.y(), f.width(), f.height())
      .save(caminho);
}

}  // namespace zv::test
