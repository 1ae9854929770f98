#pragma once

#include <string>
#include <vector>

#include "ui/controls.h"

namespace varokin::ui::console {

// A window as the console drives it: its controls to show, and the user's events to hand to its
// handlers. The command loop acts on the topmost one.
class ConsoleWindow {
 public:
  virtual ~ConsoleWindow() = default;

  virtual std::string Title() const = 0;
  // Every control with an id, in the order of the window's layout.
  virtual std::vector<Control*> Controls() = 0;
  // The menu items that carry a check mark, in menu order; the others are only chosen.
  virtual std::vector<MenuItem*> CheckMenuItems() = 0;
  virtual MenuItem* Menu(int id) = 0;
  // A static text rather than an edit.
  virtual bool IsLabel(int id) const = 0;
  // An edit the user may type into.
  virtual bool IsEditable(int id) const = 0;

  virtual void Command(int id) = 0;
  virtual void Selchange(int id) = 0;
  virtual void EditChange(int id) = 0;
  virtual void KillFocus(int id) = 0;
  virtual void Escape() = 0;
  virtual void CloseBox() = 0;
  virtual bool IsClosed() const = 0;
};

}  // namespace varokin::ui::console
