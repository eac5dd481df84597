#include "UBtnImage.h"

#include <QMouseEvent>

namespace zv {

void TBtnImage::SetPictures(const QImage& normal, const QImage& focus, const QImage& down,
                            const QImage& up) {
  NormalImage = normal;
  FocusImage = focus;
  DownImage = down;
  UpImage = up;
  Show(NormalImage);
}

TBtnImageView::TBtnImageView(QWidget* parent) : ImageView(parent) {
  setCursor(Qt::PointingHandCursor);
}

void TBtnImageView::enterEvent(QEnterEvent* e) {
  ImageView::enterEvent(e);
  emit entered();
}

void TBtnImageView::leaveEvent(QEvent* e) {
  ImageView::leaveEvent(e);
  emit left();
}

void TBtnImageView::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) emit pressed();
}

void TBtnImageView::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  emit released();
  if (rect().contains(e->position().toPoint())) emit clicked();
}

}  // namespace zv
