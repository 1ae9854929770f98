#pragma once

#include <optional>
#include <string>

namespace varokin {

// kFinishUndoLeave: a Yes/No/Cancel box whose buttons say "Finish", "Undo" and "Leave it" where
// the front end can label them.
enum class Buttons { kOk, kYesNo, kYesNoCancel, kFinishUndoLeave };
enum class Icon { kNone, kExclamation, kQuestion, kStop };
enum class Answer { kOk, kYes, kNo, kCancel };

// "OK", "Yes/No" or "Yes/No/Cancel".
inline const char* ButtonsName(Buttons buttons) {
  switch (buttons) {
    case Buttons::kYesNo:
      return "Yes/No";
    case Buttons::kYesNoCancel:
    case Buttons::kFinishUndoLeave:
      return "Yes/No/Cancel";
    case Buttons::kOk:
      break;
  }
  return "OK";
}

// What Escape and the close box answer: Cancel where the box has it, OK on a box of OK alone. A
// Yes/No box has neither: a question such as "Do you wish to disable it again?" has no answer that
// is safe to assume, so the user must press one of its two buttons.
inline std::optional<Answer> EscapeAnswer(Buttons buttons) {
  switch (buttons) {
    case Buttons::kYesNo:
      return std::nullopt;
    case Buttons::kYesNoCancel:
    case Buttons::kFinishUndoLeave:
      return Answer::kCancel;
    case Buttons::kOk:
      break;
  }
  return Answer::kOk;
}

// A message box that would be taller than about two thirds of the screen shows its text in a
// scrolling area instead, so that its buttons stay on the screen.
inline bool NeedsScrolling(int boxHeight, int screenHeight) {
  return boxHeight * 3 > screenHeight * 2;
}

// What a common open or save file dialog is asked to show.
struct FileDialogRequest {
  std::string title;
  std::string filter;      // e.g. "Snapshot Files (*.tas)|*.tas||"
  std::string defaultExt;  // without the dot
  std::string initialDir;  // host path, may be empty
  std::string fileName;    // preset file name, may be empty
};

// Every report and question of the program goes through here; the front end shows it as a modal
// message box with the application's name as caption.
class Prompts {
 public:
  virtual ~Prompts() = default;
  virtual Answer Message(const std::string& text, Buttons buttons = Buttons::kOk,
                         Icon icon = Icon::kNone) = 0;
  // The chosen path, or nothing when the user cancelled.
  virtual std::optional<std::string> OpenFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> SaveFile(const FileDialogRequest& request) = 0;
};

}  // namespace varokin
