#pragma once

#include <optional>
#include <string>

#include "engine/prompts.h"
#include "platform/file_system.h"

namespace varokin::ui {

// The name typed with the default extension added when the file name has none, as the common
// save dialogs of Windows and Qt do.
std::string WithDefaultExtension(const std::string& typed, const std::string& defaultExt);

// What a save dialog of ours does with a name the user typed: adds the default extension, and
// asks before an existing file is replaced. The path to write, or nothing when the user would
// rather not replace the file (the dialog then asks for another name).
std::optional<std::string> ConfirmSaveName(const std::string& typed,
                                           const FileDialogRequest& request,
                                           platform::FileSystem& fs, Prompts& prompts);

}  // namespace varokin::ui
