#pragma once

#include "ui/dialog.h"

namespace varokin::ui {

enum AboutId : int {
  kIdAboutWebAddress = 1035,
  kIdAboutFeedback = 1036,
  kIdAboutAcknowledgements = 1069,
};

// The about box: what the program is, who helped, and where to send word about it.
class CAboutDlg : public ModalDialog {
 public:
  const DialogLayout& Layout() const override;
  bool OnInitDialog(DialogControls& controls) override;
  void OnCommand(int id) override;
};

}  // namespace varokin::ui
