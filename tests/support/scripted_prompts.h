#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/prompts.h"

namespace varokin::fixtures {

// Prompts that answer from a script and record everything shown. A message that the script does
// not expect next is reported to onUnexpected (a test fails there) and answered as Escape would
// (No on a Yes/No box); so is one whose scripted answer is not a button of the box.
class ScriptedPrompts : public Prompts {
 public:
  struct Shown {
    std::string text;
    Buttons buttons;
    Icon icon;
    Answer answer;
  };

  // The next message must have exactly this text (and these buttons); it gets this answer.
  void Expect(const std::string& text, Answer answer = Answer::kOk,
              std::optional<Buttons> buttons = std::nullopt);
  // The next file dialog is answered with path (nothing: cancelled).
  void ExpectFileDialog(std::optional<std::string> path);

  Answer Message(const std::string& text, Buttons buttons, Icon icon) override;
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;

  const std::vector<Shown>& Messages() const { return shown_; }
  const std::vector<FileDialogRequest>& FileDialogs() const { return dialogs_; }
  // How many scripted answers have not been used yet.
  std::size_t Pending() const { return expected_.size() + fileAnswers_.size(); }
  // The texts of the messages still expected, and one line per unused file dialog answer.
  std::vector<std::string> PendingTexts() const;

  std::function<void(const std::string& problem)> onUnexpected;

 private:
  struct Expected {
    std::string text;
    Answer answer;
    std::optional<Buttons> buttons;
  };
  std::optional<std::string> NextFileAnswer(const FileDialogRequest& request);

  std::deque<Expected> expected_;
  std::deque<std::optional<std::string>> fileAnswers_;
  std::vector<Shown> shown_;
  std::vector<FileDialogRequest> dialogs_;
};

}  // namespace varokin::fixtures
