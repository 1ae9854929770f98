#include "ui/console/console_prompts.h"

#include "platform/text.h"
#include "ui/save_dialog_rules.h"

namespace varokin::ui::console {

namespace {

std::string IconText(Icon icon) {
  switch (icon) {
    case Icon::kExclamation:
      return " exclamation";
    case Icon::kQuestion:
      return " question";
    case Icon::kStop:
      return " stop";
    case Icon::kNone:
      break;
  }
  return "";
}

std::optional<Answer> ParseAnswer(const std::string& line, Buttons buttons) {
  const std::string word = platform::LowerCase(line);
  if (word == "escape" || word == "close") return EscapeAnswer(buttons);
  const bool questions = buttons != Buttons::kOk;
  if (word == "ok" && !questions) return Answer::kOk;
  if (word == "yes" && questions) return Answer::kYes;
  if (word == "no" && questions) return Answer::kNo;
  if (word == "cancel" && EscapeAnswer(buttons) == Answer::kCancel) return Answer::kCancel;
  return std::nullopt;
}

}  // namespace

Answer ConsolePrompts::Message(const std::string& text, Buttons buttons, Icon icon) {
  io_.WriteLine(std::string("<<< ") + ButtonsName(buttons) + IconText(icon));
  io_.WriteText(text);
  if (buttons == Buttons::kFinishUndoLeave) {
    io_.WriteLine("Yes: Finish. No: Undo. Cancel: Leave it.");
  }
  io_.WriteLine(">>>");
  while (std::optional<std::string> answer = io_.ReadLine()) {
    if (std::optional<Answer> chosen = ParseAnswer(*answer, buttons)) return *chosen;
  }
  // Nobody is left to answer. A Yes/No box has no Escape answer; it is answered No, which scripts
  // have relied on since the console began.
  return EscapeAnswer(buttons).value_or(Answer::kNo);
}

std::optional<std::string> ConsolePrompts::FileDialog(const std::string& kind,
                                                      const FileDialogRequest& request) {
  io_.WriteLine("<<< " + kind + " " + request.title);
  io_.WriteLine(">>>");
  std::optional<std::string> path = io_.ReadLine();
  if (!path || path->empty()) return std::nullopt;
  return path;
}

std::optional<std::string> ConsolePrompts::OpenFile(const FileDialogRequest& request) {
  std::optional<std::string> typed = FileDialog("open", request);
  // As in the common dialog, a name typed without its extension finds the file that has it.
  if (typed && !fs_.Exists(*typed)) {
    const std::string withExtension = WithDefaultExtension(*typed, request.defaultExt);
    if (fs_.Exists(withExtension)) return withExtension;
  }
  return typed;
}

std::optional<std::string> ConsolePrompts::SaveFile(const FileDialogRequest& request) {
  // As in the common dialog, declining to replace a file asks for a name again.
  while (std::optional<std::string> typed = FileDialog("save", request)) {
    if (std::optional<std::string> path = ConfirmSaveName(*typed, request, fs_, *this)) return path;
  }
  return std::nullopt;
}

}  // namespace varokin::ui::console
