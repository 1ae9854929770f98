#include "ui/win32/dialog_template.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace varokin::ui::win32 {

namespace {

// The predefined classes by the atoms a template names them with.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kListBoxClass = 0x0083;

// The dialog manager sends these for Enter with no default button and for Escape.
static_assert(kIdOk == IDOK && kIdCancelDialog == IDCANCEL);

class TemplateWriter {
 public:
  void Word(WORD value) { words_.push_back(value); }
  void Dword(DWORD value) {
    Word(LOWORD(value));
    Word(HIWORD(value));
  }
  void Short(int value) { Word(static_cast<WORD>(static_cast<short>(value))); }
  // The text in the same code page the A functions read captions in.
  void Text(const std::string& text) {
    if (!text.empty()) {
      const int length =
          MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
      std::wstring wide(static_cast<std::size_t>(length), L'\0');
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          length);
      for (wchar_t c : wide) Word(static_cast<WORD>(c));
    }
    Word(0);
  }
  void Ordinal(WORD value) {
    Word(0xFFFF);
    Word(value);
  }
  void AlignToDword() {
    if (words_.size() % 2 != 0) Word(0);
  }
  std::vector<WORD> Take() { return std::move(words_); }

 private:
  std::vector<WORD> words_;
};

DWORD LabelStyle(const ControlSpec& item) {
  DWORD style = item.centred ? SS_CENTER : item.rightAligned ? SS_RIGHT : SS_LEFT;
  if (item.shortenedInMiddle) style |= SS_PATHELLIPSIS;
  // A label that shows the program's texts is no group of its own.
  return item.noPrefix ? style | SS_NOPREFIX : style | WS_GROUP;
}

DWORD EditStyle(const ControlSpec& item) {
  DWORD style = WS_BORDER;
  if (item.multiline) {
    style |= ES_MULTILINE | ES_AUTOVSCROLL;
    // Enter in a text the user writes starts a new line rather than pressing the default button.
    if (!item.readOnly) style |= ES_WANTRETURN;
  } else {
    style |= ES_AUTOHSCROLL;
  }
  if (item.readOnly) style |= ES_READONLY;
  if (item.centred) style |= ES_CENTER;
  if (item.verticalScroll) style |= WS_VSCROLL;
  return style;
}

DWORD ListStyle(const ControlSpec& item) {
  DWORD style = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_BORDER;
  if (item.sorted) style |= LBS_SORT;
  if (item.multipleSelection) style |= item.extendedSelection ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (item.multiColumn) style |= LBS_MULTICOLUMN;
  if (item.verticalScroll) style |= WS_VSCROLL;
  if (item.horizontalScroll) style |= WS_HSCROLL;
  return style;
}

void WriteControl(TemplateWriter& out, const ControlSpec& item, DWORD style, const char* className,
                  WORD classAtom) {
  out.AlignToDword();
  out.Dword(0);  // help id
  out.Dword(0);  // extended style
  out.Dword(WS_CHILD | WS_VISIBLE | style);
  out.Short(item.x);
  out.Short(item.y);
  out.Short(item.width);
  out.Short(item.height);
  out.Dword(static_cast<DWORD>(item.id));
  if (className != nullptr) {
    out.Text(className);
  } else {
    out.Ordinal(classAtom);
  }
  out.Text(item.caption);
  out.Word(0);  // no creation data
}

WORD ClassAtom(ControlKind kind) {
  switch (kind) {
    case ControlKind::kButton:
    case ControlKind::kDefaultButton:
    case ControlKind::kCheckBox:
    case ControlKind::kGroupBox:
      return kButtonClass;
    case ControlKind::kEdit:
      return kEditClass;
    case ControlKind::kList:
      return kListBoxClass;
    case ControlKind::kLabel:
      break;
  }
  return kStaticClass;
}

HMENU BuildMenu(const std::vector<MenuBarEntry>& entries, bool bar) {
  HMENU menu = bar ? CreateMenu() : CreatePopupMenu();
  for (const MenuBarEntry& entry : entries) {
    UINT flags = MF_STRING;
    if (!entry.enabled) flags |= MF_GRAYED;
    // On the bar, this entry and those after it stand at its right end.
    if (entry.rightAligned) flags |= MF_HELP;
    UINT_PTR id = entry.id == -1 ? 0 : static_cast<UINT_PTR>(entry.id);
    if (!entry.items.empty()) {
      flags |= MF_POPUP;
      id = reinterpret_cast<UINT_PTR>(BuildMenu(entry.items, false));
    }
    AppendMenuA(menu, flags, id, entry.caption.c_str());
  }
  return menu;
}

}  // namespace

DWORD ControlStyle(const ControlSpec& item) {
  switch (item.kind) {
    case ControlKind::kLabel:
      return LabelStyle(item);
    case ControlKind::kEdit:
      return EditStyle(item) | (item.tabStop ? WS_TABSTOP : 0);
    case ControlKind::kList:
      return ListStyle(item) | (item.tabStop ? WS_TABSTOP : 0);
    case ControlKind::kButton:
      return BS_PUSHBUTTON | (item.tabStop ? WS_TABSTOP : 0);
    case ControlKind::kDefaultButton:
      return BS_DEFPUSHBUTTON | (item.tabStop ? WS_TABSTOP : 0);
    case ControlKind::kCheckBox:
      return BS_AUTOCHECKBOX | (item.tabStop ? WS_TABSTOP : 0);
    case ControlKind::kGroupBox:
      break;
  }
  return BS_GROUPBOX;
}

std::vector<WORD> DialogTemplate(const DialogLayout& layout, const ControlSpec* tabs,
                                 bool withTabPages, const char* windowClass) {
  TemplateWriter out;
  out.Word(1);       // extended template, version 1
  out.Word(0xFFFF);  // its signature
  out.Dword(0);      // help id
  out.Dword(0);      // extended style
  DWORD style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  if (layout.minimizeBox) style |= WS_MINIMIZEBOX;
  if (layout.resizable) style |= WS_THICKFRAME | WS_MAXIMIZEBOX;
  out.Dword(style);
  const auto made = [withTabPages](const ControlSpec& item) {
    return withTabPages || !item.onTabPage;
  };
  const auto count = std::count_if(layout.controls.begin(), layout.controls.end(), made);
  out.Word(static_cast<WORD>(count + (tabs != nullptr ? 1 : 0)));
  out.Short(0);
  out.Short(0);
  out.Short(layout.width);
  out.Short(layout.height);
  out.Word(0);  // the menu bar is attached when the dialog opens
  if (windowClass != nullptr) {
    out.Text(windowClass);
  } else {
    out.Word(0);  // the standard dialog class
  }
  out.Text(layout.title);
  out.Word(static_cast<WORD>(layout.fontPoints));
  out.Word(FW_DONTCARE);
  out.Word(MAKEWORD(FALSE, DEFAULT_CHARSET));  // not italic; the default character set
  out.Text(layout.font);
  for (const ControlSpec& item : layout.controls) {
    if (made(item)) WriteControl(out, item, ControlStyle(item), nullptr, ClassAtom(item.kind));
  }
  if (tabs != nullptr) {
    WriteControl(out, *tabs, WS_TABSTOP | WS_CLIPSIBLINGS, WC_TABCONTROLA, 0);
  }
  return out.Take();
}

RECT TemplatePlace(HWND dialog, const ControlSpec& item) {
  // Position and size are converted one by one, not the corners.
  RECT place{item.x, item.y, item.width, item.height};
  MapDialogRect(dialog, &place);
  place.right += place.left;
  place.bottom += place.top;
  return place;
}

HWND MakeControl(HWND dialog, const ControlSpec& item, const RECT& place, HWND after) {
  const WORD atom = ClassAtom(item.kind);
  const char* className = atom == kListBoxClass  ? "ListBox"
                          : atom == kEditClass   ? "Edit"
                          : atom == kButtonClass ? "Button"
                                                 : "Static";
  // As the dialog manager makes the controls of a template: a border becomes the sunken edge.
  DWORD style = WS_CHILD | ControlStyle(item);
  DWORD exStyle = WS_EX_NOPARENTNOTIFY;
  if ((style & WS_BORDER) != 0) {
    style &= ~static_cast<DWORD>(WS_BORDER);
    exStyle |= WS_EX_CLIENTEDGE;
  }
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
  HWND control =
      CreateWindowExA(exStyle, className, item.caption.c_str(), style, place.left, place.top,
                      place.right - place.left, place.bottom - place.top, dialog,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), instance, nullptr);
  if (control == nullptr) return nullptr;
  SendMessageA(control, WM_SETFONT, static_cast<WPARAM>(SendMessageA(dialog, WM_GETFONT, 0, 0)),
               FALSE);
  SetWindowPos(control, after != nullptr ? after : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return control;
}

SIZE AttachMenuBar(HWND dialog, const DialogLayout& layout, const std::vector<MenuBarEntry>& bar) {
  SetMenu(dialog, BuildMenu(bar, true));
  // As the dialog manager sizes a dialog whose template names a menu.
  RECT frame{0, 0, layout.width, layout.height};
  MapDialogRect(dialog, &frame);
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)), TRUE,
                     static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
  return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace varokin::ui::win32
