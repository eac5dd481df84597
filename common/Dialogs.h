// Message boxes and file dialogs as the windows' models see them.  The Qt implementation
// shows real dialogs; tests use a scripted fake that records what was shown and answers.
#pragma once
#include <optional>
#include <string>

namespace zv {

enum class MsgIcon { None, Information, Warning, Error, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgResult { None, Ok, Cancel, Yes, No, Retry };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows a modal message box and returns the button pressed.  An empty caption means the
  // application's title.
  virtual MsgResult Message(const std::string& text, const std::string& caption = {},
                            MsgIcon icon = MsgIcon::None, MsgButtons buttons = MsgButtons::Ok) = 0;
  // File dialogs: the chosen path, or nothing when cancelled.  `filter` is in Qt's form
  // ("Bitmaps (*.bmp)").
  virtual std::optional<std::string> OpenFileName(const std::string& title,
                                                  const std::string& filter,
                                                  const std::string& directory) = 0;
  virtual std::optional<std::string> SaveFileName(const std::string& title,
                                                  const std::string& filter,
                                                  const std::string& directory) = 0;
};

}  // namespace zv
