#pragma once

#include "platform/instances.h"
#include "ui/dialog.h"

namespace varokin::ui::qt {

// Builds a window from a dialog's template and runs it modally over the active window, handing
// every event of its controls to the dialog's logic.
class QtDialogRunner : public DialogRunner {
 public:
  explicit QtDialogRunner(platform::InstanceRegistry* instances) : instances_(instances) {}
  int DoModal(ModalDialog& dialog) override;

 private:
  platform::InstanceRegistry* instances_;
};

}  // namespace varokin::ui::qt
