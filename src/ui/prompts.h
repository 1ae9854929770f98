#pragma once

#include <optional>
#include <string>

namespace varokin::ui {

enum class Buttons { kOk, kYesNo, kYesNoCancel };
enum class Icon { kNone, kExclamation, kQuestion, kStop };
enum class Answer { kOk, kYes, kNo, kCancel };

// "OK", "Yes/No" or "Yes/No/Cancel".
inline const char* ButtonsName(Buttons buttons) {
  switch (buttons) {
    case Buttons::kYesNo:
      return "Yes/No";
    case Buttons::kYesNoCancel:
      return "Yes/No/Cancel";
    case Buttons::kOk:
      break;
  }
  return "OK";
}

// What a box closed without a choice answers: the box's last button, which lets nothing go ahead.
inline Answer SafestAnswer(Buttons buttons) {
  switch (buttons) {
    case Buttons::kYesNo:
      return Answer::kNo;
    case Buttons::kYesNoCancel:
      return Answer::kCancel;
    case Buttons::kOk:
      break;
  }
  return Answer::kOk;
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

}  // namespace varokin::ui
