#pragma once

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <functional>
#include <memory>
#include <string>

#include "ui/controls.h"
#include "ui/list_model.h"

namespace varokin::ui::qt {

// The program's texts are bytes: UTF-8 from file names, often Latin-1 from the mods' own files.
QString ToQt(const std::string& text);
std::string FromQt(const QString& text);

// A one-line label that draws a text wider than itself with its middle cut out, so that a path
// keeps its start and its last folder; the tooltip then holds the whole text. text() is always
// the whole text.
class MiddleShortenedLabel : public QLabel {
 public:
  using QLabel::QLabel;
  // What the label draws at its present width.
  QString Shown() const;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

// Id, visibility and enabled state over one widget. Visibility is the control's own flag, so it
// reads the same before the window is first shown.
template <class Base, class Widget>
class QtControl : public Base {
 public:
  QtControl(int id, Widget* widget) : id_(id), widget_(widget) {}
  int Id() const override { return id_; }
  void Show(bool visible) override { widget_->setVisible(visible); }
  bool IsVisible() const override { return !widget_->isHidden(); }
  void Enable(bool enabled) override { widget_->setEnabled(enabled); }
  bool IsEnabled() const override { return widget_->isEnabled(); }
  Widget* widget() const { return widget_; }

 private:
  int id_;
  Widget* widget_;
};

// A row whose name is cut shows the whole of it, and what the list box's tipFor adds, when the
// pointer rests on it.
class WholeNameTip;

// A list box on the screen whose rows, order, selection and anchor are kept by the list model, so
// that it behaves as the in-memory list box; the widget only mirrors them. A user's click is handed
// to the model as a click, then onUserChange runs (the selection-change notification).
class QtListBox : public QtControl<ListBox, QListWidget> {
 public:
  QtListBox(int id, QListWidget* widget, bool sorted, bool multipleSelection);
  // The widget may outlive this object inside its window: it reports to it no more.
  ~QtListBox() override { QObject::disconnect(selectionChanged_); }

  std::function<void()> onUserChange;
  // The tooltip of a row whose name is cut; its name alone when not set.
  void SetTipFor(std::function<std::string(int row)> tipFor) { *tipFor_ = std::move(tipFor); }

  bool IsSorted() const override { return model_.IsSorted(); }
  bool IsMultipleSelection() const override { return model_.IsMultipleSelection(); }
  int AddString(const std::string& text) override;
  int InsertString(int index, const std::string& text) override;
  int GetCount() const override { return model_.GetCount(); }
  std::string GetText(int index) const override { return model_.GetText(index); }
  bool SetItemData(int index, std::intptr_t data) override;
  std::intptr_t GetItemData(int index) const override { return model_.GetItemData(index); }
  int GetCurSel() const override { return model_.GetCurSel(); }
  int SetCurSel(int index) override;
  bool GetSel(int index) const override { return model_.GetSel(index); }
  int SetSel(int index, bool select) override;
  int GetSelCount() const override { return model_.GetSelCount(); }
  int GetAnchorIndex() const override { return model_.GetAnchorIndex(); }
  void SetAnchorIndex(int index) override { model_.SetAnchorIndex(index); }
  void SetFilter(const std::string& text) override;
  int GetWidthPixels() const override { return widget()->width(); }
  int GetTextWidthPixels(const std::string& text) const override {
    return widget()->fontMetrics().horizontalAdvance(ToQt(text));
  }
  void SetColumnWidth(int pixels) override;

 private:
  void InsertRow(int row, const std::string& text);
  // Copy the model's selection and focus row onto the widget.
  void MirrorSelection(bool reveal = false);
  void MirrorRow(int row);
  // reveal: scroll the focus row into view.
  void MirrorFocus(bool reveal);
  void OnWidgetSelectionChanged();
  // Whether the widget's selection differs from the model's in no row but this one.
  bool OnlyRowChanged(int row) const;

  ListModel model_;
  bool mirroring_ = false;
  QMetaObject::Connection selectionChanged_;
  std::shared_ptr<std::function<std::string(int)>> tipFor_ =
      std::make_shared<std::function<std::string(int)>>();
};

// A read-only pane, an edit or a static text. What the program set is read back byte for byte
// until the user changes the text.
template <class Widget>
class QtText : public QtControl<TextControl, Widget> {
 public:
  using QtControl<TextControl, Widget>::QtControl;
  void SetText(const std::string& text) override;
  std::string GetText() const override;

 private:
  QString Current() const;
  std::string set_;
  QString shown_;
};

class QtCheckBox : public QtControl<CheckBox, QCheckBox> {
 public:
  using QtControl::QtControl;
  bool IsChecked() const override { return widget()->isChecked(); }
  void SetChecked(bool checked) override { widget()->setChecked(checked); }
};

class QtButton : public QtControl<Button, QPushButton> {
 public:
  using QtControl::QtControl;
};

// A menu item whose check mark only the program sets: choosing it runs the handler, which decides.
class QtMenuItem : public MenuItem {
 public:
  QtMenuItem(int id, QAction* action) : id_(id), action_(action) {}
  int Id() const override { return id_; }
  bool IsChecked() const override { return checked_; }
  void SetChecked(bool checked) override;
  // Undoes the toggle Qt makes on a checkable action before the handler sees the choice.
  void RestoreCheck() { action_->setChecked(checked_); }

 private:
  int id_;
  QAction* action_;
  bool checked_ = false;
};

// A tab control whose pages stay empty: the controls of a tab lie over it and are shown by the
// tab handler.
class QtTabControl : public QtControl<TabControl, QTabWidget> {
 public:
  using QtControl::QtControl;
  int InsertItem(int index, const std::string& text) override;
  int GetItemCount() const override { return widget()->count(); }
  std::string GetItemText(int index) const override;
  int GetCurSel() const override { return widget()->currentIndex(); }
  int SetCurSel(int index) override;
  // True while the program itself changes the tab, so the change is not taken for the user's.
  bool Programmatic() const { return programmatic_; }

 private:
  bool programmatic_ = false;
};

}  // namespace varokin::ui::qt
