#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/headless/headless_controls.h"

namespace varokin::ui::headless {

// A dialog's controls in memory, built from its template.
class HeadlessDialog : public DialogControls {
 public:
  explicit HeadlessDialog(const DialogLayout& layout);
  HeadlessDialog(const HeadlessDialog&) = delete;
  HeadlessDialog& operator=(const HeadlessDialog&) = delete;

  HeadlessListBox* List(int id) override { return Find<HeadlessListBox>(id); }
  HeadlessText* Text(int id) override { return Find<HeadlessText>(id); }
  HeadlessCheckBox* Check(int id) override { return Find<HeadlessCheckBox>(id); }
  HeadlessButton* ButtonById(int id) override { return Find<HeadlessButton>(id); }
  void SetTitle(const std::string& title) override { title_ = title; }
  std::string Title() const override { return title_; }

  const DialogLayout& Layout() const { return layout_; }
  // The template's entry for a control id, or nullptr.
  const ControlSpec* Entry(int id) const;
  // Every control with an id, in the order of the template; static texts nothing refers to are
  // left out.
  std::vector<Control*> AllControls();

 private:
  template <class T>
  T* Find(int id) {
    for (const auto& control : controls_) {
      if (control->Id() == id && id >= 0) return dynamic_cast<T*>(control.get());
    }
    return nullptr;
  }

  DialogLayout layout_;
  std::string title_;
  std::vector<std::unique_ptr<Control>> controls_;
};

// Runs dialogs for a test: after OnInitDialog the test's `user` acts on the dialog's controls
// and handlers; a dialog still open afterwards is cancelled, as a user closing it would.
class HeadlessDialogRunner : public DialogRunner {
 public:
  using User = std::function<void(ModalDialog& dialog, HeadlessDialog& controls)>;

  int DoModal(ModalDialog& dialog) override;

  User user;
  // The templates of the dialogs run so far, in order.
  const std::vector<DialogLayout>& Ran() const { return ran_; }

 private:
  std::vector<DialogLayout> ran_;
};

}  // namespace varokin::ui::headless
