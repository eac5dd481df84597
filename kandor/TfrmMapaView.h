// Qt view of the four-map window: a borderless 811 x 579 dialog whose widgets carry the
// component names the model writes to.
#pragma once
#include <QDialog>
#include <functional>

namespace kandor {

class TfrmMapaView : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmMapaView(QWidget* parent = nullptr);
  // Button handlers of the model.
  std::function<void()> SpeedButton1Click, btnFecharClick;

 protected:
  // The window has no border and no system menu: "Fe&char" is its only way out, so Esc does
  // nothing.
  void reject() override {}
};

}  // namespace kandor
