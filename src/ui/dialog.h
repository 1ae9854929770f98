#pragma once

#include <string>
#include <vector>

#include "ui/controls.h"

namespace varokin::ui {

// The standard command ids of a dialog's OK and Cancel (Escape, the close box).
constexpr int kIdOk = 1;
constexpr int kIdCancelDialog = 2;

enum class ControlKind { kButton, kDefaultButton, kCheckBox, kLabel, kEdit, kList, kGroupBox };

// How a control follows a window made larger than its template: the share of the extra width by
// which its left and right edges move, and of the extra height its top and bottom edges. All
// zero: it stays where it is, at its size.
struct Anchors {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

// A rectangle, in whatever units its user keeps.
struct Box {
  int x, y, width, height;
};

// Where a control of box lies in a window extraWidth and extraHeight larger than its template.
Box Anchored(const Box& box, const Anchors& anchors, int extraWidth, int extraHeight);

// One control of a dialog template, positions in dialog units.
struct ControlSpec {
  int id;  // -1 for a static text or group box that nothing refers to
  ControlKind kind;
  std::string caption;
  int x, y, width, height;
  bool multiline = false;
  bool readOnly = false;
  bool verticalScroll = false;
  bool sorted = false;
  bool multipleSelection = false;
  bool rightAligned = false;
  int maxLength = 0;     // edits: 0 for no limit
  bool centred = false;  // labels and one-line edits: the text centred across the control
  // False: Tab passes the control by; a click still gives it the focus, to select and copy.
  bool tabStop = true;
  // Edits: the dialog opens with the focus here and this text selected, so typing replaces it.
  bool startsSelected = false;
  // Lists: rows in columns that scroll sideways, with a horizontal scroll bar.
  bool multiColumn = false;
  bool horizontalScroll = false;
  // Multiple-selection lists of Varokin.exe: Shift and Ctrl extend the selection instead of each
  // click toggling a row. The Qt list toggles rows either way.
  bool extendedSelection = false;
  // Labels: "&" is shown as it is, not as the next letter underlined (for texts of the program).
  bool noPrefix = false;
  // Labels: a text wider than the label loses its middle to an ellipsis, so that both ends of a
  // path stay readable.
  bool shortenedInMiddle = false;
  // Windows that can be resized only.
  Anchors anchors = {};
  // Shown on one page of the window's tabs only: a front end may make it when first needed.
  bool onTabPage = false;
};

// A dialog template: what every front end builds the dialog from.
struct DialogLayout {
  int templateId;
  std::string title;
  int width, height;  // client area in dialog units
  std::string font = "MS Sans Serif";
  int fontPoints = 8;
  std::vector<ControlSpec> controls;
  bool minimizeBox = false;  // the title bar has a minimise button
  // The window can be resized and maximised, no smaller than its template; its controls follow
  // their anchors.
  bool resizable = false;
};

// The keyboard's Enter and Escape and the title bar's close box.
enum class DialogKey { kEnter, kEscape, kCloseBox };

// The button that Enter presses when the focus is not on a button; kIdOk for a layout without one.
int DefaultButtonId(const DialogLayout& layout);

// The command a key sends to the dialog, in every front end alike: Enter the default button (with
// the focus on a button, Enter presses that one instead, as the toolkits do), Escape and the close
// box kIdCancelDialog.
int CommandForKey(const DialogLayout& layout, DialogKey key);

// A dialog's live controls, found by id; nullptr for an id that is not a control of that kind.
class DialogControls {
 public:
  virtual ~DialogControls() = default;
  virtual ListBox* List(int id) = 0;
  virtual TextControl* Text(int id) = 0;
  virtual CheckBox* Check(int id) = 0;
  virtual Button* ButtonById(int id) = 0;
  virtual void SetTitle(const std::string& title) = 0;
  virtual std::string Title() const = 0;
};

// The logic of a modal dialog, written once over abstract controls. A front end builds the
// controls from Layout(), calls OnInitDialog, forwards the user's events, and closes the dialog
// once Ended().
class ModalDialog {
 public:
  virtual ~ModalDialog() = default;

  virtual const DialogLayout& Layout() const = 0;
  virtual bool OnInitDialog(DialogControls& controls) = 0;
  // A button, or the command of a key (CommandForKey).
  virtual void OnCommand(int id) = 0;
  // The text of an edit changed.
  virtual void OnChange(int /*id*/) {}
  // The focus left an edit.
  virtual void OnKillFocus(int /*id*/) {}
  virtual void OnSelchange(int /*id*/) {}

  bool Ended() const { return ended_; }
  int Result() const { return result_; }

 protected:
  void EndDialog(int result) {
    ended_ = true;
    result_ = result;
  }

 private:
  bool ended_ = false;
  int result_ = 0;
};

// Runs a dialog modally, centred over the window it belongs to; returns its result (kIdOk,
// kIdCancelDialog).
class DialogRunner {
 public:
  virtual ~DialogRunner() = default;
  virtual int DoModal(ModalDialog& dialog) = 0;
};

}  // namespace varokin::ui
