#include "UBScreenConfig.h"

#include <QGuiApplication>
#include <QScreen>

namespace zv {

TBScreenResolution::TBScreenResolution() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    width_ = screen->size().width();
    height_ = screen->size().height();
  }
}

}  // namespace zv
