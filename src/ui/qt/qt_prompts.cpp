#include "ui/qt/qt_prompts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
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
  MessageBox box(text, buttons, icon);
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
      // Ended from outside (the program closing): a Yes/No box, which Escape cannot end, then
      // counts as No.
      return EscapeAnswer(buttons).value_or(Answer::kNo);
  }
}

MessageBox::MessageBox(const std::string& text, varokin::Buttons buttons, varokin::Icon icon)
    : QMessageBox(QtIcon(icon), kCaption, ToQt(text), QMessageBox::NoButton,
                  QApplication::activeWindow()),
      escape_(EscapeAnswer(buttons)) {
  switch (buttons) {
    case Buttons::kOk:
      setStandardButtons(QMessageBox::Ok);
      break;
    case Buttons::kYesNo:
      setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case Buttons::kYesNoCancel:
      setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    case Buttons::kFinishUndoLeave:
      setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      button(QMessageBox::Yes)->setText("Finish");
      button(QMessageBox::No)->setText("Undo");
      button(QMessageBox::Cancel)->setText("Leave it");
      break;
  }
  if (escape_) {
    setEscapeButton(button(*escape_ == Answer::kOk ? QMessageBox::Ok : QMessageBox::Cancel));
  } else {
    // Left to itself Qt would make No the Escape button.
    setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint) &
                   ~Qt::WindowCloseButtonHint);
  }
  ScrollTheTextIfTooTall();
}

void MessageBox::keyPressEvent(QKeyEvent* event) {
  if (!escape_ && event->matches(QKeySequence::Cancel)) {
    event->accept();
    return;
  }
  QMessageBox::keyPressEvent(event);
}

void MessageBox::closeEvent(QCloseEvent* event) {
  if (!escape_) {
    event->ignore();
    return;
  }
  QMessageBox::closeEvent(event);
}

void MessageBox::showEvent(QShowEvent* event) {
  QMessageBox::showEvent(event);
  // The box sizes itself by switching its label's wrapping off and on; in the scrolling area the
  // text wraps at the area's width.
  if (scrolled_) scrolled_->setWordWrap(true);
}

void MessageBox::ScrollTheTextIfTooTall() {
  auto* grid = qobject_cast<QGridLayout*>(layout());
  auto* label = findChild<QLabel*>("qt_msgbox_label");
  QScreen* screen = parentWidget() ? parentWidget()->screen() : QApplication::primaryScreen();
  if (!grid || !label || !screen) return;
  const QRect available = screen->availableGeometry();
  // As wide as the box makes itself before it wraps a long line.
  const int softWidth = std::min(available.width() / 2, 500);
  const int textWidth = std::max(200, softWidth - 120);
  const QFontMetrics metrics(label->font());
  const QRect textRect = metrics.boundingRect(QRect(0, 0, textWidth, 0),
                                              Qt::TextWordWrap | Qt::TextExpandTabs, text());
  const int chrome = 4 * style()->pixelMetric(QStyle::PM_DialogButtonsButtonHeight) +
                     2 * style()->pixelMetric(QStyle::PM_LayoutTopMargin);
  if (!NeedsScrolling(textRect.height() + chrome, available.height())) return;

  const int index = grid->indexOf(label);
  int row = 0, column = 0, rowSpan = 1, columnSpan = 1;
  grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
  delete grid->takeAt(index);
  auto* area = new QScrollArea(this);
  area->setObjectName("varokin_message_scroll");
  area->setFrameShape(QFrame::NoFrame);
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area->setWidgetResizable(true);
  label->setWordWrap(true);
  area->setWidget(label);
  area->setFixedSize(textWidth + area->verticalScrollBar()->sizeHint().width(),
                     available.height() * 2 / 3 - chrome);
  grid->addWidget(area, row, column, rowSpan, columnSpan);
  scrolled_ = label;
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
