#pragma once

#include "engine/prompts.h"

namespace varokin::ui::win32 {

// The name every message box carries as its caption.
inline constexpr char kApplicationName[] = "Varokin";

// Message boxes and the common file dialogs, owned by the innermost of our windows.
class Win32Prompts : public Prompts {
 public:
  Answer Message(const std::string& text, Buttons buttons, Icon icon) override;
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
};

}  // namespace varokin::ui::win32
