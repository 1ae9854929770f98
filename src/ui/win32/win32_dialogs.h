#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>

#include "ui/dialog.h"
#include "ui/win32/win32_controls.h"

namespace varokin::ui::win32 {

// The live controls of a dialog made from its layout, wrapped by the kind the layout gives.
class Win32DialogControls : public DialogControls {
 public:
  // With widthOf, the controls of the tabs' pages that the dialog does not have yet are made
  // later (see MakeControl); widthOf gives the width of such a list by its id.
  Win32DialogControls(HWND dialog, const DialogLayout& layout,
                      const std::function<int(int id)>& widthOf = nullptr);

  ListBox* List(int id) override { return Find(lists_, id); }
  TextControl* Text(int id) override { return Find(texts_, id); }
  CheckBox* Check(int id) override { return Find(checks_, id); }
  Button* ButtonById(int id) override { return Find(buttons_, id); }
  void SetTitle(const std::string& title) override { SetWindowTextA(dialog_, title.c_str()); }
  std::string Title() const override;

  bool IsList(int id) const { return lists_.count(id) != 0; }
  Win32ListBox* Win32List(int id) { return Find(lists_, id); }
  // The control of that id when it waits to be made, or null.
  const Control* Waiting(int id);
  // Gives the control of that id that waited its window, made by MakeControl.
  void Made(int id, HWND hwnd);

 private:
  template <class T>
  static T* Find(const std::map<int, std::unique_ptr<T>>& controls, int id) {
    auto found = controls.find(id);
    return found == controls.end() ? nullptr : found->second.get();
  }

  HWND dialog_;
  std::map<int, std::unique_ptr<Win32ListBox>> lists_;
  std::map<int, std::unique_ptr<Win32Text>> texts_;
  std::map<int, std::unique_ptr<Win32CheckBox>> checks_;
  std::map<int, std::unique_ptr<Win32Button>> buttons_;
};

// Runs a dialog from a template made of its layout, owned by the innermost of our windows.
class Win32DialogRunner : public DialogRunner {
 public:
  explicit Win32DialogRunner(HINSTANCE instance) : instance_(instance) {}
  int DoModal(ModalDialog& dialog) override;

 private:
  HINSTANCE instance_;
};

}  // namespace varokin::ui::win32
