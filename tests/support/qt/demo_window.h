#pragma once

#include <gtest/gtest.h>

#include <QListWidget>
#include <QMessageBox>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/program_parts.h"
#include "ui/qt/qt_dialog_runner.h"
#include "ui/qt/qt_main_window.h"
#include "ui/qt/qt_prompts.h"

namespace varokin::qt_tests {

// The desktop main window, shown on a fresh copy of the demo TA folder (the working directory
// for the test) with its own settings folder beside it (XDG_CONFIG_HOME while the test runs).
class DemoWindowTest : public ::testing::Test {
 protected:
  DemoWindowTest();
  ~DemoWindowTest() override;

  bool OnDisk(const std::string& path) const;
  // What the settings file on disk holds.
  std::string Setting(const std::string& section, const std::string& entry);

  // The widget of that id in a window; Widget looks in the main window.
  template <class W>
  static W* Child(QWidget& window, int id) {
    W* widget = window.findChild<W*>(QString::number(id));
    EXPECT_NE(widget, nullptr) << "no widget " << id;
    return widget;
  }
  template <class W>
  W* Widget(int id) {
    return Child<W>(main->Window(), id);
  }
  void ClickTab(int tab);
  // A left click on the row with this text; fails the test when there is none.
  void ClickRow(int listId, const QString& text);
  void ClickButton(int id);
  // The texts of a list's rows as the widget shows them, and of those selected.
  QStringList Rows(int listId);
  QStringList SelectedRows(int listId);
  // Runs act on the next modal window once it is open (a test waits in that window's loop).
  void OnNextModal(std::function<void(QWidget&)> act);
  // Answers the next message box with button; its text and caption land in messageSeen and
  // captionSeen (empty when no box opened).
  void AnswerNextMessage(QMessageBox::StandardButton button);
  void SaveScreenshot(QWidget& widget, const std::string& name);

  std::filesystem::path root;
  std::string messageSeen;
  std::string captionSeen;
  ui::qt::QtPrompts prompts;
  std::unique_ptr<app::ProgramParts> parts;
  std::unique_ptr<ui::qt::QtDialogRunner> dialogs;
  std::unique_ptr<ui::qt::QtMainWindow> main;

 private:
  std::filesystem::path previousDir_;
  std::optional<std::string> previousConfig_;
};

}  // namespace varokin::qt_tests
