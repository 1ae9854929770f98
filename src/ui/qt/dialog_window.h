#pragma once

#include <QDialog>
#include <QFont>
#include <QRect>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/instances.h"
#include "ui/dialog.h"
#include "ui/qt/qt_controls.h"

namespace varokin::ui::qt {

// Dialog units of a font: a quarter of its average character width across, an eighth of its
// height down, as a dialog template is measured. Fonts other than the template's run wider, so
// the units across grow until every one-line caption of the template fits its control.
struct DialogUnits {
  double baseX;
  int baseY;
  static DialogUnits ForFont(const QFont& font);
  static DialogUnits Fitting(const QFont& font, const std::vector<ControlSpec>& specs);
  int X(int units) const { return static_cast<int>(units * baseX / 4 + 0.5); }
  int Y(int units) const { return (units * baseY + 4) / 8; }
  QRect Rect(int x, int y, int width, int height) const;
};

// A window that reports its commands instead of closing itself: Enter runs the button with the
// focus, or else sends what the layout gives Enter, as Escape and the close box send theirs. The
// owner ends it with done() once the logic behind it says so.
class DialogWindow : public QDialog {
 public:
  DialogWindow(QWidget* parent, const DialogLayout& layout) : QDialog(parent), layout_(layout) {}
  std::function<void(int)> onCommand;
  // Each time the program shows the window (not when the window system restores it).
  std::function<void()> onShown;
  std::function<void()> onResized;

  // Escape.
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Send(DialogKey key);

  const DialogLayout& layout_;
};

// What the controls of a dialog report, by control id.
struct ControlEvents {
  std::function<void(int)> command;    // a button or check box was clicked
  std::function<void(int)> change;     // the text of an edit changed
  std::function<void(int)> killFocus;  // the focus left an edit
  std::function<void(int)> selchange;  // the user changed a list's selection
};

// The controls of a template, made as widgets of a window and found by id. A window title is a
// claim in the instance registry, as the program's titles are looked for by other instances.
class QtDialogControls : public DialogControls {
 public:
  QtDialogControls(QWidget& window, const std::vector<ControlSpec>& specs, DialogUnits units,
                   QPoint origin, const ControlEvents& events,
                   platform::InstanceRegistry* instances);
  ~QtDialogControls() override;

  ListBox* List(int id) override;
  TextControl* Text(int id) override;
  CheckBox* Check(int id) override;
  Button* ButtonById(int id) override;
  void SetTitle(const std::string& title) override;
  std::string Title() const override;

  // Once the logic has filled the controls: the focus to the edit that opens with its text
  // selected, and that text selected.
  void FocusOpeningSelection();
  // Places every control for a window this much larger than its template, by its anchors.
  void Relayout(QSize extra);

 private:
  void Add(const ControlSpec& item, DialogUnits units, QPoint origin, const ControlEvents& events);
  template <class T>
  T* Find(int id);

  QWidget& window_;
  platform::InstanceRegistry* instances_;
  std::unique_ptr<platform::WindowClaim> claim_;
  std::map<int, std::unique_ptr<Control>> controls_;
  std::unique_ptr<QObject> focusWatcher_;
  QWidget* startsSelected_ = nullptr;
  struct Placed {
    QWidget* widget;
    QRect base;
    Anchors anchors;
  };
  std::vector<Placed> placed_;
};

// Where a widget placed at base in a window's template lies in a window extra larger.
QRect AnchoredRect(const QRect& base, const Anchors& anchors, QSize extra);

}  // namespace varokin::ui::qt
