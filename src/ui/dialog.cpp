#include "ui/dialog.h"

namespace varokin::ui {

int DefaultButtonId(const DialogLayout& layout) {
  for (const ControlSpec& item : layout.controls) {
    if (item.kind == ControlKind::kDefaultButton) return item.id;
  }
  return kIdOk;
}

int CommandForKey(const DialogLayout& layout, DialogKey key) {
  switch (key) {
    case DialogKey::kEnter:
      return DefaultButtonId(layout);
    case DialogKey::kEscape:
    case DialogKey::kCloseBox:
      break;
  }
  return kIdCancelDialog;
}

}  // namespace varokin::ui
