// Drives a module's modal window from inside its event loop: once the first visible top-level
// window named `nome` (object name or class) shows up, `acao` runs on it.  A window that never
// shows fails the test and closes whatever modal window is open, so the call returns.
#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <cmath>
#include <cstdio>
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

// Moves the pointer over a map picture to `raioMm` from its centre at the clinical angle `graus`
// (counter-clockwise from the right); the picture's half side shows `meioLadoMm` millimetres.
inline void MovePonteiro(QWidget* mapa, double raioMm, double graus, double meioLadoMm = 5.0) {
  const double pontosPorMm = mapa->width() / 2.0 / meioLadoMm;
  const double a = graus * M_PI / 180;
  const QPointF ponto(mapa->width() / 2.0 + raioMm * pontosPorMm * std::cos(a),
                      mapa->height() / 2.0 - raioMm * pontosPorMm * std::sin(a));
  QMouseEvent mover(QEvent::MouseMove, ponto, mapa->mapToGlobal(ponto), Qt::NoButton, Qt::NoButton,
                    Qt::NoModifier);
  QApplication::sendEvent(mapa, &mover);
}

// Lets pending events (painting, layout) run for a while.
inline void Assenta(int vezes = 30) {
  for (int i = 0; i < vezes; ++i) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
}

// Saves what the screen shows of the window, frame included, as the picture file `caminho`.
inline bool Fotografa(QWidget* janela, const QString& caminho) {
  janela->raise();
  Assenta();
  const QRect f = janela->frameGeometry();
  const bool salvo = QApplication::primaryScreen()
                         ->grabWindow(0, f.x(), f.y(), f.width(), f.height())
                         .save(caminho);
  if (!salvo) std::fprintf(stderr, "cannot write %s\n", caminho.toUtf8().constData());
  return salvo;
}

}  // namespace zv::test
