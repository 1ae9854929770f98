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

Box Anchored(const Box& box, const Anchors& anchors, int extraWidth, int extraHeight) {
  const auto moved = [](int edge, double share, int extra) {
    return edge + static_cast<int>(share * extra + 0.5);
  };
  const int left = moved(box.x, anchors.left, extraWidth);
  const int top = moved(box.y, anchors.top, extraHeight);
  const int right = moved(box.x + box.width, anchors.right, extraWidth);
  const int bottom = moved(box.y + box.height, anchors.bottom, extraHeight);
  return Box{left, top, right - left, bottom - top};
}

}  // namespace varokin::ui
