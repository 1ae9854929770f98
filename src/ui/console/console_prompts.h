#pragma once

#include "engine/prompts.h"
#include "platform/file_system.h"
#include "ui/console/console_io.h"

namespace varokin::ui::console {

// Message boxes and file dialogs as text blocks, answered by one line each. The save dialog looks
// on fs for a file it would replace.
class ConsolePrompts : public Prompts {
 public:
  ConsolePrompts(ConsoleIo& io, platform::FileSystem& fs) : io_(io), fs_(fs) {}

  Answer Message(const std::string& text, Buttons buttons, Icon icon) override;
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;

 private:
  // The line typed, or nothing when the dialog was cancelled (an empty line or the end of input).
  std::optional<std::string> FileDialog(const std::string& kind, const FileDialogRequest& request);

  ConsoleIo& io_;
  platform::FileSystem& fs_;
};

}  // namespace varokin::ui::console
