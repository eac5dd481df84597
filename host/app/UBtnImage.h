// TBtnImage: a button drawn entirely by pictures.  It shows `NormalImage` at rest,
// `FocusImage` while the pointer is over it, `DownImage` while pressed and `UpImage` once
// released; the button's text is part of its pictures.
#pragma once
#include <QImage>
#include <string>

#include "FormView.h"
#include "QtFormView.h"

namespace zv {

class TBtnImage {
 public:
  TBtnImage(FormView& view, std::string name) : view_(view), name_(std::move(name)) {}

  const std::string& Name() const { return name_; }
  // Sets the four pictures and shows the normal one.
  void SetPictures(const QImage& normal, const QImage& focus, const QImage& down, const QImage& up);

  void MouseEnter() { Show(FocusImage); }
  void MouseLeave() { Show(NormalImage); }
  void MouseDown() { Show(DownImage); }
  void MouseUp() { Show(UpImage); }

  QImage FocusImage, DownImage, UpImage, NormalImage;

 private:
  void Show(const QImage& picture) { view_.SetImage(name_, picture); }

  FormView& view_;
  std::string name_;
};

// The Qt side of an image button: a picture control that reports the pointer entering and
// leaving and a left click (press and release over it).
class TBtnImageView : public ImageView {
  Q_OBJECT
 public:
  explicit TBtnImageView(QWidget* parent = nullptr);

 signals:
  void entered();
  void left();
  void pressed();
  void released();
  void clicked();

 protected:
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
};

}  // namespace zv
