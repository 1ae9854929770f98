#include "ui/qt/qt_prompts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <vector>

#include "ui/qt/qt_controls.h"

namespace varokin::ui::qt {

namespace {

constexpr char kCaption[] = "Varokin";

QMessageBox::Icon QtIcon(Icon icon) {
  switch (icon) {
    case Icon::kExclamation:
      return QMessageBox::Warning;
    case Icon::kQuestion:
      return QMessageBox::Question;
    case Icon::kStop:
      return QMessageBox::Critical;
    case Icon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

std::optional<std::string> RunFileDialog(const FileDialogRequest& request,
                                         QFileDialog::AcceptMode mode) {
  QFileDialog dialog(QApplication::activeWindow(), ToQt(request.title));
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  if (!request.filter.empty()) dialog.setNameFilter(ToQt(QtFilterText(request.filter)));
  dialog.setDefaultSuffix(ToQt(request.defaultExt));
  // Made absolute now: the dialog's file model resolves names later, on a thread of its own.
  if (!request.initialDir.empty()) {
    dialog.setDirectory(QDir(QFile::decodeName(request.initialDir.c_str())).absolutePath());
  }
  if (!request.fileName.empty()) dialog.selectFile(ToQt(request.fileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QFile::encodeName(dialog.selectedFiles().first()).toStdString();
}

}  // namespace

Answer QtPrompts::Message(const std::string& text, Buttons buttons, Icon icon) {
  QMessageBox box(QtIcon(icon), kCaption, ToQt(text), QMessageBox::NoButton,
                  QApplication::activeWindow());
  switch (buttons) {
    case Buttons::kOk:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case Buttons::kYesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case Buttons::kYesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    case QMessageBox::Cancel:
      return Answer::kCancel;
    case QMessageBox::Ok:
      return Answer::kOk;
    default:
      // Closed without a button: the answer that goes on least.
      return SafestAnswer(buttons);
  }
}

std::optional<std::string> QtPrompts::OpenFile(const FileDialogRequest& request) {
  return RunFileDialog(request, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtPrompts::SaveFile(const FileDialogRequest& request) {
  return RunFileDialog(request, QFileDialog::AcceptSave);
}

std::string QtFilterText(const std::string& filter) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : filter) {
    if (c == '|') {
      parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  parts.push_back(part);
  std::string qt;
  for (std::size_t i = 0; i + 1 < parts.size() && !parts[i].empty(); i += 2) {
    std::string text = parts[i];
    std::string patterns = parts[i + 1];
    // Qt takes the patterns from the closing parentheses: those the text shows are replaced by
    // the real ones, separated by blanks.
    const std::string shown = " (" + patterns + ")";
    if (text.size() >= shown.size() && text.ends_with(shown))
      text.resize(text.size() - shown.size());
    for (char& c : patterns) {
      if (c == ';') c = ' ';
    }
    if (!qt.empty()) qt += ";;";
    qt += text + " (" + patterns + ")";
  }
  return qt;
}

}  // namespace varokin::ui::qt
