// Dialogs for programs that run without an operator (batch tools, benchmarks, the demo set-up):
// every message box answers OK at once and its text is kept, flattened to one line, so the
// program can report it; file dialogs are cancelled.
#pragma once
#include <string>

#include "Dialogs.h"

namespace zv {

class UnattendedDialogs : public Dialogs {
 public:
  // The text of the last message, line breaks turned into single spaces.
  const std::string& Last() const { return last_; }

  MsgResult Message(const std::string& text, const std::string&, MsgIcon, MsgButtons) override {
    last_.clear();
    for (char c : text) {
      if (c == '\r' || c == '\n') {
        if (!last_.empty() && last_.back() != ' ') last_ += ' ';
      } else {
        last_ += c;
      }
    }
    return MsgResult::Ok;
  }
  std::optional<std::string> OpenFileName(const std::string&, const std::string&,
                                          const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> SaveFileName(const std::string&, const std::string&,
                                          const std::string&) override {
    return std::nullopt;
  }

 private:
  std::string last_;
};

}  // namespace zv
