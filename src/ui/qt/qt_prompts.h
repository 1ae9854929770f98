#pragma once

#include "ui/prompts.h"

namespace varokin::ui::qt {

// Message boxes and the common file dialogs over Qt, each modal over the active window.
class QtPrompts : public Prompts {
 public:
  Answer Message(const std::string& text, Buttons buttons, Icon icon) override;
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
};

// "Snapshot Files (*.tas)|*.tas||" as Qt writes a filter list: "Snapshot Files (*.tas)".
std::string QtFilterText(const std::string& filter);

}  // namespace varokin::ui::qt
