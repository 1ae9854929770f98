#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/prompts.h"
#include "ui/dialog.h"

namespace varokin::ui {

enum TaFolderId : int {
  kIdTaFolderList = 1201,
  kIdTaFolderBrowse = 1202,
};

// "Where is Total Annihilation?": the installs found on this machine, each by its path, and
// "Browse..." for a folder of the user's own (the folder of the TotalA.exe picked).
class CTaFolderDlg : public ModalDialog {
 public:
  CTaFolderDlg(std::vector<std::string> installs, Prompts& prompts)
      : installs_(std::move(installs)), prompts_(prompts) {}

  const DialogLayout& Layout() const override;
  bool OnInitDialog(DialogControls& controls) override;
  void OnCommand(int id) override;

  // The folder chosen, once the dialog has ended with OK.
  const std::string& Chosen() const { return chosen_; }

 private:
  std::vector<std::string> installs_;
  Prompts& prompts_;
  DialogControls* controls_ = nullptr;
  std::string chosen_;
};

// Shows the dialog over the installs found; the folder chosen, or nothing when cancelled.
std::optional<std::string> AskForTaFolder(DialogRunner& dialogs, Prompts& prompts,
                                          const std::vector<std::string>& installs);

}  // namespace varokin::ui
