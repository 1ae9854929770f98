#include "ui/console/command_loop.h"

#include <charconv>
#include <map>

#include "platform/text.h"
#include "ui/headless/headless_controls.h"
#include "ui/main_window_controls.h"

namespace varokin::ui::console {

namespace {

bool ParseNumber(const std::string& text, int& value) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end;
}

// The rest of the line after the first n words, as typed.
std::string RestAfterWords(const std::string& line, int n) {
  std::size_t at = 0;
  for (int i = 0; i < n; ++i) {
    at = line.find_first_not_of(" \t", at);
    at = at == std::string::npos ? line.size() : line.find_first_of(" \t", at);
    if (at == std::string::npos) return "";
  }
  return at < line.size() ? line.substr(at + 1) : "";
}

Control* ById(ConsoleWindow& window, int id) {
  for (Control* control : window.Controls()) {
    if (control->Id() == id) return control;
  }
  return nullptr;
}

template <class T>
T* As(Control* control, const std::string& kind, std::string& reason) {
  T* typed = dynamic_cast<T*>(control);
  if (typed == nullptr) reason = std::to_string(control->Id()) + " is not " + kind;
  return typed;
}

}  // namespace

void CommandLoop::Run(ConsoleWindow& window) {
  while (!window.IsClosed()) {
    const std::optional<std::string> line = io_.ReadLine();
    if (!line) {
      window.Escape();
      return;
    }
    std::string reason;
    if (!Execute(window, *line, reason)) io_.WriteLine("error: " + reason);
  }
}

void CommandLoop::ShowControl(ConsoleWindow& window, Control& control) {
  const std::string id = std::to_string(control.Id());
  if (auto* list = dynamic_cast<ListBox*>(&control)) {
    io_.WriteLine("list " + id);
    // Rows a filter hides are left out; the others keep their numbers, which click takes.
    auto* shown = dynamic_cast<headless::HeadlessListBox*>(list);
    for (int row = 0; row < list->GetCount(); ++row) {
      if (shown != nullptr && !shown->IsShown(row)) continue;
      const bool selected =
          list->IsMultipleSelection() ? list->GetSel(row) : list->GetCurSel() == row;
      io_.WriteLine(std::to_string(row) + "\t" + (selected ? "1" : "0") + "\t" +
                    std::to_string(list->GetItemData(row)) + "\t" + list->GetText(row));
    }
  } else if (auto* text = dynamic_cast<TextControl*>(&control)) {
    io_.WriteLine((window.IsLabel(control.Id()) ? "label " : "edit ") + id);
    io_.WriteText(text->GetText());
  } else if (auto* check = dynamic_cast<CheckBox*>(&control)) {
    io_.WriteLine("check " + id + " " + (check->IsChecked() ? "1" : "0"));
  } else if (auto* tabs = dynamic_cast<TabControl*>(&control)) {
    io_.WriteLine("tab " + std::to_string(tabs->GetCurSel()));
  } else {
    return;  // buttons have nothing to show
  }
  io_.WriteLine(".");
}

void CommandLoop::ShowMenu(MenuItem& item) {
  io_.WriteLine("menu " + std::to_string(item.Id()) + " " + (item.IsChecked() ? "1" : "0"));
  io_.WriteLine(".");
}

void CommandLoop::ShowWindow(ConsoleWindow& window) {
  io_.WriteLine("title " + window.Title());
  io_.WriteLine(".");
  for (Control* control : window.Controls()) {
    if (control->IsVisible()) ShowControl(window, *control);
  }
  for (MenuItem* item : window.CheckMenuItems()) ShowMenu(*item);
}

bool CommandLoop::Show(ConsoleWindow& window, const std::vector<std::string>& words,
                       std::string& reason) {
  if (words.size() == 1) {
    ShowWindow(window);
    return true;
  }
  int id = 0;
  if (words.size() != 2 || !ParseNumber(words[1], id)) {
    reason = "usage: show [<id>]";
    return false;
  }
  if (Control* control = ById(window, id)) {
    ShowControl(window, *control);
    return true;
  }
  for (MenuItem* item : window.CheckMenuItems()) {
    if (item->Id() == id) {
      ShowMenu(*item);
      return true;
    }
  }
  reason = "unknown id " + words[1];
  return false;
}

Control* CommandLoop::Reachable(ConsoleWindow& window, const std::string& idText,
                                std::string& reason) {
  int id = 0;
  Control* control = ParseNumber(idText, id) ? ById(window, id) : nullptr;
  if (control == nullptr) {
    reason = "unknown id " + idText;
  } else if (!control->IsVisible()) {
    reason = idText + " is hidden";
  } else if (!control->IsEnabled()) {
    reason = idText + " is disabled";
  } else {
    return control;
  }
  return nullptr;
}

bool CommandLoop::Execute(ConsoleWindow& window, const std::string& line, std::string& reason) {
  const std::vector<std::string> words = platform::SplitAtBlanks(line);
  if (words.empty()) {
    reason = "empty command";
    return false;
  }
  const std::string& command = words[0];
  if (command == "show") return Show(window, words, reason);
  if (command == "escape" || command == "close") {
    if (words.size() != 1) {
      reason = "usage: " + command;
      return false;
    }
    command == "escape" ? window.Escape() : window.CloseBox();
    return true;
  }
  if (command == "tab") {
    int index = 0;
    auto* tabs = words.size() == 2 && ParseNumber(words[1], index)
                     ? dynamic_cast<TabControl*>(ById(window, kIdTabs))
                     : nullptr;
    if (tabs == nullptr || index < 0 || index >= tabs->GetItemCount()) {
      reason = words.size() == 2 ? "no tab " + words[1] : "usage: tab <n>";
      return false;
    }
    tabs->SetCurSel(index);
    window.Selchange(kIdTabs);
    return true;
  }
  if (command == "filter") {
    // The main window's filter, typed as a whole.
    auto* filter = window.IsEditable(kIdFilter)
                       ? dynamic_cast<TextControl*>(ById(window, kIdFilter))
                       : nullptr;
    if (filter == nullptr) {
      reason = "no filter in this window";
      return false;
    }
    filter->SetText(RestAfterWords(line, 1));
    window.EditChange(kIdFilter);
    return true;
  }
  if (command == "menu") {
    int id = 0;
    MenuItem* item = words.size() == 2 && ParseNumber(words[1], id) ? window.Menu(id) : nullptr;
    if (item == nullptr) {
      reason = words.size() == 2 ? "unknown menu item " + words[1] : "usage: menu <id>";
      return false;
    }
    window.Command(id);
    return true;
  }

  static const std::map<std::string, std::string> kUsage = {{"click", "click <id> <row>"},
                                                            {"press", "press <id>"},
                                                            {"check", "check <id>"},
                                                            {"set", "set <id> <text>"},
                                                            {"leave", "leave <id>"}};
  const auto usage = kUsage.find(command);
  if (usage == kUsage.end()) {
    reason = "unknown command " + command;
    return false;
  }
  const bool counted = command == "set"     ? words.size() >= 2
                       : command == "click" ? words.size() == 3
                                            : words.size() == 2;
  if (!counted) {
    reason = "usage: " + usage->second;
    return false;
  }
  Control* control = Reachable(window, words[1], reason);
  if (control == nullptr) return false;

  if (command == "click") {
    auto* list = As<headless::HeadlessListBox>(control, "a list", reason);
    int row = 0;
    if (list == nullptr) return false;
    if (!ParseNumber(words[2], row) || !list->Click(row)) {
      reason = "no row " + words[2] + " in list " + words[1];
      return false;
    }
    window.Selchange(control->Id());
  } else if (command == "press") {
    if (As<Button>(control, "a button", reason) == nullptr) return false;
    window.Command(control->Id());
  } else if (command == "check") {
    auto* check = As<CheckBox>(control, "a check box", reason);
    if (check == nullptr) return false;
    check->SetChecked(!check->IsChecked());
    window.Command(control->Id());
  } else {
    auto* edit = As<TextControl>(control, "an edit", reason);
    if (edit == nullptr) return false;
    if (!window.IsEditable(control->Id())) {
      reason = words[1] + " is read-only";
      return false;
    }
    if (command == "set") {
      edit->SetText(RestAfterWords(line, 2));
      window.EditChange(control->Id());
    } else {
      window.KillFocus(control->Id());
    }
  }
  return true;
}

}  // namespace varokin::ui::console
