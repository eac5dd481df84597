// In-memory FormView for model tests: every control is a record created on first use, and
// the names a model touched are remembered so a test can compare them with the real view.
#pragma once
#include <map>
#include <set>
#include <string>

#include "FormView.h"

namespace zv::test {

struct FakeControl {
  std::string text, hint;
  bool enabled = true, checked = false, visible = true;
  std::vector<std::string> items;
  int itemIndex = -1, value = 0;
  std::map<std::pair<int, int>, std::string> cells;  // (column, row) -> text
  QImage image;
  int repaints = 0;
  Cursor cursor = Cursor::Default;
  bool timerEnabled = false;
  int timerInterval = 0;
};

class FakeFormView : public FormView {
 public:
  FakeControl& operator[](const std::string& name) { return Touch(name); }
  const std::set<std::string>& UsedNames() const { return used_; }
  bool closed = false;
  int closeResult = 0;

  void SetText(const std::string& c, const std::string& t) override { Touch(c).text = t; }
  std::string Text(const std::string& c) const override { return Touch(c).text; }
  void SetHint(const std::string& c, const std::string& h) override { Touch(c).hint = h; }
  std::string Hint(const std::string& c) const override { return Touch(c).hint; }
  void SetEnabled(const std::string& c, bool v) override { Touch(c).enabled = v; }
  bool Enabled(const std::string& c) const override { return Touch(c).enabled; }
  void SetChecked(const std::string& c, bool v) override { Touch(c).checked = v; }
  bool Checked(const std::string& c) const override { return Touch(c).checked; }
  void SetVisible(const std::string& c, bool v) override { Touch(c).visible = v; }
  bool Visible(const std::string& c) const override { return Touch(c).visible; }
  void SetItems(const std::string& c, const std::vector<std::string>& items) override {
    Touch(c).items = items;
    Touch(c).itemIndex = -1;
  }
  std::vector<std::string> Items(const std::string& c) const override { return Touch(c).items; }
  void SetItemIndex(const std::string& c, int i) override { Touch(c).itemIndex = i; }
  int ItemIndex(const std::string& c) const override { return Touch(c).itemIndex; }
  void SetCell(const std::string& c, int column, int row, const std::string& t) override {
    Touch(c).cells[{column, row}] = t;
  }
  std::string Cell(const std::string& c, int column, int row) const override {
    const auto& cells = Touch(c).cells;
    const auto it = cells.find({column, row});
    return it == cells.end() ? std::string() : it->second;
  }
  void SetValue(const std::string& c, int v) override { Touch(c).value = v; }
  int Value(const std::string& c) const override { return Touch(c).value; }
  void SetImage(const std::string& c, const QImage& image) override { Touch(c).image = image; }
  QImage Image(const std::string& c) const override { return Touch(c).image; }
  void Repaint(const std::string& c) override { ++Touch(c).repaints; }
  void SetCursor(const std::string& c, Cursor cursor) override { Touch(c).cursor = cursor; }
  void SetTimer(const std::string& t, bool enabled, int interval) override {
    Touch(t).timerEnabled = enabled;
    Touch(t).timerInterval = interval;
  }
  bool TimerEnabled(const std::string& t) const override { return Touch(t).timerEnabled; }
  void Close(int result) override {
    closed = true;
    closeResult = result;
  }

 private:
  FakeControl& Touch(const std::string& name) const {
    used_.insert(name);
    return controls_[name];
  }
  mutable std::map<std::string, FakeControl> controls_;
  mutable std::set<std::string> used_;
};

}  // namespace zv::test
