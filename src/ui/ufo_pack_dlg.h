#pragma once

#include "engine/prompts.h"
#include "platform/file_system.h"
#include "ui/controls.h"
#include "ui/dialog.h"

namespace varokin::ui {

// "Make a UFO Pack": groups the UFOs enabled now into a pack file, listed from the next start.
class CUfoPackDlg : public ModalDialog {
 public:
  static constexpr int kTemplateId = 139;
  static constexpr int kIdIncludedUfos = 1013;
  static constexpr int kIdPackName = 1071;
  static constexpr int kIdDescription = 1072;
  static constexpr int kIdFileName = 1073;

  // ufoList is the main window's UFO list, whose selected rows are the enabled UFOs.
  CUfoPackDlg(platform::FileSystem& fs, Prompts& prompts, const ListBox& ufoList)
      : fs_(fs), prompts_(prompts), ufoList_(ufoList) {}

  const DialogLayout& Layout() const override;
  bool OnInitDialog(DialogControls& controls) override;
  void OnCommand(int id) override;
  void OnChange(int id) override;

  void OnChangePackName();
  void OnOK();

 private:
  std::string TextOf(int id) const;

  platform::FileSystem& fs_;
  Prompts& prompts_;
  const ListBox& ufoList_;
  DialogControls* controls_ = nullptr;
};

}  // namespace varokin::ui
