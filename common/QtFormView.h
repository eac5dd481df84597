// FormView over real Qt widgets: controls are the root's children (or the root itself) found
// by objectName.  An unknown name or a control that cannot do the asked thing throws
// std::logic_error, so a renamed widget fails loudly in the smoke tests.
#pragma once
#include <QWidget>

#include "FormView.h"

namespace zv {

// A picture control: shows a QImage at its natural size, from the top-left corner.
class ImageView : public QWidget {
  Q_OBJECT
 public:
  explicit ImageView(QWidget* parent = nullptr);
  void setImage(const QImage& image);
  const QImage& image() const { return image_; }

 signals:
  void mousePressed(Qt::MouseButton button, int x, int y);
  void mouseMoved(Qt::MouseButtons buttons, int x, int y);
  void mouseReleased(Qt::MouseButton button, int x, int y);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  QImage image_;
};

class QtFormView : public FormView {
 public:
  explicit QtFormView(QWidget* root) : root_(root) {}

  void SetText(const std::string& control, const std::string& text) override;
  std::string Text(const std::string& control) const override;
  void SetHint(const std::string& control, const std::string& hint) override;
  std::string Hint(const std::string& control) const override;
  void SetEnabled(const std::string& control, bool enabled) override;
  bool Enabled(const std::string& control) const override;
  void SetChecked(const std::string& control, bool checked) override;
  bool Checked(const std::string& control) const override;
  void SetVisible(const std::string& control, bool visible) override;
  bool Visible(const std::string& control) const override;
  void SetItems(const std::string& control, const std::vector<std::string>& items) override;
  std::vector<std::string> Items(const std::string& control) const override;
  void SetItemIndex(const std::string& control, int index) override;
  int ItemIndex(const std::string& control) const override;
  void SetCell(const std::string& control, int column, int row, const std::string& text) override;
  std::string Cell(const std::string& control, int column, int row) const override;
  void SetValue(const std::string& control, int value) override;
  int Value(const std::string& control) const override;
  void SetImage(const std::string& control, const QImage& image) override;
  QImage Image(const std::string& control) const override;
  void Repaint(const std::string& control) override;
  void SetCursor(const std::string& control, Cursor cursor) override;
  void SetTimer(const std::string& timer, bool enabled, int intervalMs) override;
  bool TimerEnabled(const std::string& timer) const override;
  void Close(int result) override;

  // True when a control of that name exists (used by the tests that compare a model's
  // control names with its view).
  bool Has(const std::string& control) const;

 private:
  QObject* Find(const std::string& control) const;
  QWidget* FindWidget(const std::string& control) const;

  QWidget* root_;
};

}  // namespace zv
