#pragma once

#include "ui/console/console_io.h"
#include "ui/prompts.h"

namespace varokin::ui::console {

// Message boxes and file dialogs as text blocks, answered by one line each.
class ConsolePrompts : public Prompts {
 public:
  explicit ConsolePrompts(ConsoleIo& io) : io_(io) {}

  Answer Message(const std::string& text, Buttons buttons, Icon icon) override;
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;

 private:
  std::optional<std::string> FileDialog(const std::string& kind, const FileDialogRequest& request);

  ConsoleIo& io_;
};

}  // namespace varokin::ui::console
