// The Settings menu's switch for the installation check's offer to compile a monolithic archive.
#include "ui/switcher_dlg.h"

namespace varokin::ui {

void CSwitcherDlg::OnDontAskCompile() {
  const bool ask = c_.menuDontAskCompile.IsChecked();
  ctx_.settings.Write(settings::kCompileMonolithic, ask ? 1 : 0);
  c_.menuDontAskCompile.SetChecked(!ask);
}

}  // namespace varokin::ui
