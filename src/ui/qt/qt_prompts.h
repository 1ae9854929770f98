#pragma once

#include <QMessageBox>
#include <optional>

#include "engine/prompts.h"

class QLabel;

namespace varokin::ui::qt {

// Message boxes and the common file dialogs over Qt, each modal over the active window.
class QtPrompts : public Prompts {
 public:
  Answer Message(const std::string& text, Buttons buttons, Icon icon) override;
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
};

// One message: a QMessageBox that takes its Escape and close-box answer from the shared rule (none
// on a Yes/No box), and shows a text too tall for the screen in a scrolling area.
class MessageBox : public QMessageBox {
 public:
  MessageBox(const std::string& text, varokin::Buttons buttons, varokin::Icon icon);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void ScrollTheTextIfTooTall();

  std::optional<varokin::Answer> escape_;
  QLabel* scrolled_ = nullptr;
};

// "Snapshot Files (*.tas)|*.tas||" as Qt writes a filter list: "Snapshot Files (*.tas)".
std::string QtFilterText(const std::string& filter);

}  // namespace varokin::ui::qt
