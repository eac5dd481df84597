// The bridge between a window's model and its view.  A model addresses the controls of its
// window by their component names ("btnOK", "lblInfo") and never touches a widget; the Qt
// implementation finds the widgets by objectName, and tests use an in-memory fake.
#pragma once
#include <QImage>
#include <string>
#include <vector>

namespace zv {

enum class Cursor { Default, Cross, Hand, Wait, SizeAll, IBeam };

class FormView {
 public:
  virtual ~FormView() = default;

  // Caption of a button, label, group or window; content of an edit box.
  virtual void SetText(const std::string& control, const std::string& text) = 0;
  virtual std::string Text(const std::string& control) const = 0;
  // Tooltip of a control.
  virtual void SetHint(const std::string& control, const std::string& hint) = 0;
  virtual std::string Hint(const std::string& control) const = 0;
  virtual void SetEnabled(const std::string& control, bool enabled) = 0;
  virtual bool Enabled(const std::string& control) const = 0;
  virtual void SetChecked(const std::string& control, bool checked) = 0;
  virtual bool Checked(const std::string& control) const = 0;
  virtual void SetVisible(const std::string& control, bool visible) = 0;
  virtual bool Visible(const std::string& control) const = 0;
  // Lists, combo boxes and radio groups.
  virtual void SetItems(const std::string& control, const std::vector<std::string>& items) = 0;
  virtual std::vector<std::string> Items(const std::string& control) const = 0;
  virtual void SetItemIndex(const std::string& control, int index) = 0;
  virtual int ItemIndex(const std::string& control) const = 0;
  // String grids: the text of cell (column, row), counted from 0.
  virtual void SetCell(const std::string& control, int column, int row,
                       const std::string& text) = 0;
  virtual std::string Cell(const std::string& control, int column, int row) const = 0;
  // Sliders, progress bars and spin boxes; for a grid, its number of rows.
  virtual void SetValue(const std::string& control, int value) = 0;
  virtual int Value(const std::string& control) const = 0;
  // Picture controls: the shown image, and a repaint after the model drew on it.
  virtual void SetImage(const std::string& control, const QImage& image) = 0;
  virtual QImage Image(const std::string& control) const = 0;
  virtual void Repaint(const std::string& control) = 0;
  virtual void SetCursor(const std::string& control, Cursor cursor) = 0;
  // Repeating timers, named like components ("Timer1").
  virtual void SetTimer(const std::string& timer, bool enabled, int intervalMs) = 0;
  virtual bool TimerEnabled(const std::string& timer) const = 0;
  // Ends the window's modal loop with a result.
  virtual void Close(int result) = 0;
};

}  // namespace zv
