#include "support/scripted_prompts.h"

namespace varokin::fixtures {

namespace {

bool Offers(Buttons buttons, Answer answer) {
  switch (buttons) {
    case Buttons::kOk:
      return answer == Answer::kOk;
    case Buttons::kYesNo:
      return answer == Answer::kYes || answer == Answer::kNo;
    case Buttons::kYesNoCancel:
    case Buttons::kFinishUndoLeave:
      return answer != Answer::kOk;
  }
  return false;
}

}  // namespace

void ScriptedPrompts::Expect(const std::string& text, Answer answer,
                             std::optional<Buttons> buttons) {
  expected_.push_back({text, answer, buttons});
}

void ScriptedPrompts::ExpectFileDialog(std::optional<std::string> path) {
  fileAnswers_.push_back(std::move(path));
}

std::vector<std::string> ScriptedPrompts::PendingTexts() const {
  std::vector<std::string> texts;
  for (const Expected& e : expected_) texts.push_back(e.text);
  for (std::size_t i = 0; i < fileAnswers_.size(); ++i) texts.push_back("(a file dialog)");
  return texts;
}

Answer ScriptedPrompts::Message(const std::string& text, Buttons buttons, Icon icon) {
  // The test fails on an unexpected message anyway; a Yes/No box, which has no Escape answer, is
  // then answered No.
  Answer answer = EscapeAnswer(buttons).value_or(Answer::kNo);
  std::string problem;
  if (expected_.empty()) {
    problem = "Unexpected message";
  } else if (expected_.front().text != text) {
    problem = "Unexpected message (expected \"" + expected_.front().text + "\")";
  } else if (expected_.front().buttons && *expected_.front().buttons != buttons) {
    problem = std::string("Message with buttons ") + ButtonsName(buttons) + " instead of " +
              ButtonsName(*expected_.front().buttons);
  } else if (!Offers(buttons, expected_.front().answer)) {
    problem =
        std::string("Scripted answer is not a button of this ") + ButtonsName(buttons) + " message";
    expected_.pop_front();
  } else {
    answer = expected_.front().answer;
    expected_.pop_front();
  }
  if (!problem.empty() && onUnexpected) onUnexpected(problem + ": \"" + text + "\"");
  shown_.push_back({text, buttons, icon, answer});
  return answer;
}

std::optional<std::string> ScriptedPrompts::OpenFile(const FileDialogRequest& request) {
  return NextFileAnswer(request);
}

std::optional<std::string> ScriptedPrompts::SaveFile(const FileDialogRequest& request) {
  return NextFileAnswer(request);
}

std::optional<std::string> ScriptedPrompts::NextFileAnswer(const FileDialogRequest& request) {
  dialogs_.push_back(request);
  if (fileAnswers_.empty()) {
    if (onUnexpected) onUnexpected("Unexpected file dialog: \"" + request.title + "\"");
    return std::nullopt;
  }
  std::optional<std::string> answer = std::move(fileAnswers_.front());
  fileAnswers_.pop_front();
  return answer;
}

}  // namespace varokin::fixtures
