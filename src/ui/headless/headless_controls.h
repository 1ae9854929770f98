#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/list_model.h"

namespace varokin::ui::headless {

// Visibility, enabled state and id, shared by every in-memory control.
template <class Base>
class Headless : public Base {
 public:
  explicit Headless(int id) : id_(id) {}
  int Id() const override { return id_; }
  void Show(bool visible) override { visible_ = visible; }
  bool IsVisible() const override { return visible_; }
  void Enable(bool enabled) override { enabled_ = enabled; }
  bool IsEnabled() const override { return enabled_; }

 private:
  int id_;
  bool visible_ = true;
  bool enabled_ = true;
};

// A list box in memory, its rows kept by the list model.
class HeadlessListBox : public Headless<ListBox> {
 public:
  HeadlessListBox(int id, bool sorted, bool multipleSelection, int widthPixels = 300)
      : Headless(id), model_(sorted, multipleSelection), width_(widthPixels) {}

  bool IsSorted() const override { return model_.IsSorted(); }
  bool IsMultipleSelection() const override { return model_.IsMultipleSelection(); }
  int AddString(const std::string& text) override { return model_.AddString(text); }
  int InsertString(int index, const std::string& text) override {
    return model_.InsertString(index, text);
  }
  int GetCount() const override { return model_.GetCount(); }
  std::string GetText(int index) const override { return model_.GetText(index); }
  bool SetItemData(int index, std::intptr_t data) override {
    return model_.SetItemData(index, data);
  }
  std::intptr_t GetItemData(int index) const override { return model_.GetItemData(index); }
  int GetCurSel() const override { return model_.GetCurSel(); }
  int SetCurSel(int index) override { return model_.SetCurSel(index); }
  bool GetSel(int index) const override { return model_.GetSel(index); }
  int SetSel(int index, bool select) override { return model_.SetSel(index, select); }
  int GetSelCount() const override { return model_.GetSelCount(); }
  int GetAnchorIndex() const override { return model_.GetAnchorIndex(); }
  void SetAnchorIndex(int index) override { model_.SetAnchorIndex(index); }
  void SetFilter(const std::string& text) override { model_.SetFilter(text); }
  bool IsShown(int index) const { return model_.IsShown(index); }
  int GetWidthPixels() const override { return width_; }
  // The system font's average character, as the template's lists are measured by.
  int GetTextWidthPixels(const std::string& text) const override {
    return 6 * static_cast<int>(text.size());
  }
  void SetColumnWidth(int pixels) override { columnWidth_ = pixels; }
  int GetColumnWidth() const { return columnWidth_; }

  // A user's click on a row, as ListModel::Click.
  bool Click(int index) { return model_.Click(index); }

 private:
  ListModel model_;
  int width_;
  int columnWidth_ = 0;
};

class HeadlessText : public Headless<TextControl> {
 public:
  explicit HeadlessText(int id, std::string text = "") : Headless(id), text_(std::move(text)) {}
  void SetText(const std::string& text) override { text_ = text; }
  std::string GetText() const override { return text_; }

 private:
  std::string text_;
};

class HeadlessCheckBox : public Headless<CheckBox> {
 public:
  using Headless::Headless;
  bool IsChecked() const override { return checked_; }
  void SetChecked(bool checked) override { checked_ = checked; }

 private:
  bool checked_ = false;
};

class HeadlessButton : public Headless<Button> {
 public:
  using Headless::Headless;
};

class HeadlessMenuItem : public MenuItem {
 public:
  explicit HeadlessMenuItem(int id) : id_(id) {}
  int Id() const override { return id_; }
  bool IsChecked() const override { return checked_; }
  void SetChecked(bool checked) override { checked_ = checked; }

 private:
  int id_;
  bool checked_ = false;
};

class HeadlessTabControl : public Headless<TabControl> {
 public:
  using Headless::Headless;
  int InsertItem(int index, const std::string& text) override;
  int GetItemCount() const override { return static_cast<int>(tabs_.size()); }
  std::string GetItemText(int index) const override;
  int GetCurSel() const override { return selected_; }
  int SetCurSel(int index) override;

 private:
  std::vector<std::string> tabs_;
  int selected_ = -1;
};

}  // namespace varokin::ui::headless
