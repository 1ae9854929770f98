#include "ui/save_dialog_rules.h"

namespace varokin::ui {

std::string WithDefaultExtension(const std::string& typed, const std::string& defaultExt) {
  const std::size_t nameStart = typed.find_last_of("\\/");
  const std::string name = nameStart == std::string::npos ? typed : typed.substr(nameStart + 1);
  if (defaultExt.empty() || name.empty() || name.find('.') != std::string::npos) return typed;
  return typed + "." + defaultExt;
}

std::optional<std::string> ConfirmSaveName(const std::string& typed,
                                           const FileDialogRequest& request,
                                           platform::FileSystem& fs, Prompts& prompts) {
  const std::string path = WithDefaultExtension(typed, request.defaultExt);
  if (!fs.Exists(path)) return path;
  if (prompts.Message(path + " already exists.\nDo you want to replace it?", Buttons::kYesNo,
                      Icon::kExclamation) != Answer::kYes) {
    return std::nullopt;
  }
  return path;
}

}  // namespace varokin::ui
