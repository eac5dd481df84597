// Dialogs fake for model tests: records every message and answers from a script.  Without a
// scripted answer a message box answers with its first button (OK or Yes).
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "Dialogs.h"

namespace zv::test {

struct ShownMessage {
  std::string text, caption;
  MsgIcon icon;
  MsgButtons buttons;
};

class ScriptedDialogs : public Dialogs {
 public:
  std::vector<ShownMessage> shown;
  std::deque<MsgResult> answers;
  std::deque<std::optional<std::string>> fileAnswers;

  MsgResult Message(const std::string& text, const std::string& caption, MsgIcon icon,
                    MsgButtons buttons) override {
    shown.push_back({text, caption, icon, buttons});
    if (!answers.empty()) {
      const MsgResult r = answers.front();
      answers.pop_front();
      return r;
    }
    return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgResult::Yes
                                                                              : MsgResult::Ok;
  }
  std::optional<std::string> OpenFileName(const std::string&, const std::string&,
                                          const std::string&) override {
    return NextFile();
  }
  std::optional<std::string> SaveFileName(const std::string&, const std::string&,
                                          const std::string&) override {
    return NextFile();
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& m : shown) out.push_back(m.text);
    return out;
  }

 private:
  std::optional<std::string> NextFile() {
    if (fileAnswers.empty()) return std::nullopt;
    auto r = fileAnswers.front();
    fileAnswers.pop_front();
    return r;
  }
};

}  // namespace zv::test
