#include "ui/qt/qt_controls.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStringDecoder>
#include <QStyle>
#include <QToolTip>

namespace varokin::ui::qt {

QString ToQt(const std::string& text) {
  const QByteArrayView bytes(text.data(), static_cast<qsizetype>(text.size()));
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString decoded = utf8(bytes);
  return utf8.hasError() ? QString::fromLatin1(bytes) : decoded;
}

std::string FromQt(const QString& text) { return text.toUtf8().toStdString(); }

QString MiddleShortenedLabel::Shown() const {
  return fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width());
}

bool MiddleShortenedLabel::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QLabel::event(event);
  if (Shown() == text()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
  }
  return true;
}

void MiddleShortenedLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(),
                        isEnabled(), Shown(), foregroundRole());
}

class WholeNameTip : public QObject {
 public:
  WholeNameTip(QListWidget* list, std::shared_ptr<std::function<std::string(int)>> tipFor)
      : QObject(list), list_(list), tipFor_(std::move(tipFor)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return false;
    auto* help = static_cast<QHelpEvent*>(event);
    const QListWidgetItem* item = list_->itemAt(help->pos());
    // Cut by its column, or by the edge of the list.
    const QRect shown =
        item ? list_->visualItemRect(item).intersected(list_->viewport()->rect()) : QRect();
    if (item != nullptr &&
        NameIsCut(list_->fontMetrics().horizontalAdvance(item->text()), shown.width())) {
      QString tip = item->text();
      if (*tipFor_) {
        tip = ToQt((*tipFor_)(list_->row(item)))
                  .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
      }
      QToolTip::showText(help->globalPos(), tip, qobject_cast<QWidget*>(watched));
    } else {
      QToolTip::hideText();
    }
    return true;
  }

 private:
  QListWidget* list_;
  // Shared with the list box, which the widget may outlive.
  std::shared_ptr<std::function<std::string(int)>> tipFor_;
};

QtListBox::QtListBox(int id, QListWidget* widget, bool sorted, bool multipleSelection)
    : QtControl(id, widget), model_(sorted, multipleSelection) {
  widget->viewport()->installEventFilter(new WholeNameTip(widget, tipFor_));
  widget->setSelectionMode(multipleSelection ? QAbstractItemView::MultiSelection
                                             : QAbstractItemView::SingleSelection);
  widget->setSortingEnabled(false);
  selectionChanged_ = QObject::connect(widget, &QListWidget::itemSelectionChanged, widget,
                                       [this] { OnWidgetSelectionChanged(); });
}

int QtListBox::AddString(const std::string& text) {
  const int row = model_.AddString(text);
  InsertRow(row, text);
  return row;
}

int QtListBox::InsertString(int index, const std::string& text) {
  const int row = model_.InsertString(index, text);
  InsertRow(row, text);
  return row;
}

void QtListBox::InsertRow(int row, const std::string& text) {
  if (row < 0) return;
  // Qt reports the selected rows that move down as a change of selection.
  mirroring_ = true;
  widget()->insertItem(row, ToQt(text));
  if (!model_.IsShown(row)) widget()->setRowHidden(row, true);
  mirroring_ = false;
}

void QtListBox::SetFilter(const std::string& text) {
  model_.SetFilter(text);
  // Hidden rows stay in the widget, so its rows remain those of the model, selection and all.
  QListWidget* list = widget();
  for (int row = 0; row < model_.GetCount(); ++row) {
    const bool hidden = !model_.IsShown(row);
    if (list->isRowHidden(row) != hidden) list->setRowHidden(row, hidden);
  }
}

bool QtListBox::SetItemData(int index, std::intptr_t data) {
  return model_.SetItemData(index, data);
}

int QtListBox::SetCurSel(int index) {
  const int result = model_.SetCurSel(index);
  MirrorSelection(true);
  return result;
}

int QtListBox::SetSel(int index, bool select) {
  const int result = model_.SetSel(index, select);
  // One row at a time keeps a selection sync over thousands of UFOs linear.
  if (index >= 0 && index < model_.GetCount()) {
    MirrorRow(index);
  } else {
    MirrorSelection();
  }
  return result;
}

void QtListBox::SetColumnWidth(int pixels) {
  if (pixels <= 0) return;
  // Columns filled top to bottom, scrolled sideways, as a multi-column list box.
  QListWidget* list = widget();
  list->setFlow(QListView::TopToBottom);
  list->setWrapping(true);
  list->setResizeMode(QListView::Adjust);
  list->setGridSize(QSize(pixels, list->fontMetrics().height() + 2));
}

void QtListBox::MirrorRow(int row) {
  mirroring_ = true;
  QListWidgetItem* item = widget()->item(row);
  if (item->isSelected() != model_.GetSel(row)) item->setSelected(model_.GetSel(row));
  MirrorFocus(false);
  mirroring_ = false;
}

void QtListBox::MirrorSelection(bool reveal) {
  mirroring_ = true;
  QListWidget* list = widget();
  for (int row = 0; row < model_.GetCount(); ++row) {
    QListWidgetItem* item = list->item(row);
    if (item->isSelected() != model_.GetSel(row)) item->setSelected(model_.GetSel(row));
  }
  MirrorFocus(reveal);
  mirroring_ = false;
}

void QtListBox::MirrorFocus(bool reveal) {
  QListWidget* list = widget();
  const int focus = model_.GetCurSel();
  if (focus < 0) return;
  // Qt scrolls to a new focus row, at once or when the list is next shown. Only the one
  // selection of a single-selection list is brought into view: rows the program selects in a
  // multiple-selection list leave it where it is, so the list it fills opens at its top.
  const bool autoScroll = list->hasAutoScroll();
  list->setAutoScroll(reveal && autoScroll);
  list->selectionModel()->setCurrentIndex(list->model()->index(focus, 0),
                                          QItemSelectionModel::NoUpdate);
  list->setAutoScroll(autoScroll);
}

void QtListBox::OnWidgetSelectionChanged() {
  if (mirroring_) return;
  // Qt has already applied the click or key to the row with the focus. Only a change the system
  // list box could make, a toggle of that row or (single selection) a new row, is passed to the
  // model as a click; any other (select all, deselecting the one row) is undone.
  const int row = widget()->currentRow();
  bool clicked = false;
  if (row >= 0 && row < model_.GetCount()) {
    const bool shown = widget()->item(row)->isSelected();
    clicked = IsMultipleSelection() ? shown != model_.GetSel(row) && OnlyRowChanged(row)
                                    : shown && !model_.GetSel(row);
  }
  if (clicked) model_.Click(row);
  MirrorSelection();
  if (clicked && onUserChange) onUserChange();
}

bool QtListBox::OnlyRowChanged(int row) const {
  for (int other = 0; other < model_.GetCount(); ++other) {
    if (other != row && widget()->item(other)->isSelected() != model_.GetSel(other)) return false;
  }
  return true;
}

namespace {

QString ForDisplay(const std::string& text) {
  QString shown = ToQt(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

}  // namespace

template <class Widget>
QString QtText<Widget>::Current() const {
  if constexpr (std::is_same_v<Widget, QPlainTextEdit>) {
    return this->widget()->toPlainText();
  } else {
    return this->widget()->text();
  }
}

template <class Widget>
void QtText<Widget>::SetText(const std::string& text) {
  set_ = text;
  shown_ = ForDisplay(text);
  if constexpr (std::is_same_v<Widget, QPlainTextEdit>) {
    this->widget()->setPlainText(shown_);
  } else {
    this->widget()->setText(shown_);
  }
  // The widget may have normalised what it was given; compare with what it holds now.
  shown_ = Current();
}

template <class Widget>
std::string QtText<Widget>::GetText() const {
  const QString current = Current();
  if (current == shown_) return set_;
  std::string text = FromQt(current);
  if constexpr (std::is_same_v<Widget, QPlainTextEdit>) {
    // Line breaks as the program writes them.
    std::string crlf;
    for (char c : text) {
      if (c == '\n') crlf += '\r';
      crlf += c;
    }
    return crlf;
  }
  return text;
}

template class QtText<QPlainTextEdit>;
template class QtText<QLineEdit>;
template class QtText<QLabel>;

void QtMenuItem::SetChecked(bool checked) {
  checked_ = checked;
  action_->setChecked(checked);
}

int QtTabControl::InsertItem(int index, const std::string& text) {
  programmatic_ = true;
  const int at = widget()->insertTab(index, new QWidget, ToQt(text));
  programmatic_ = false;
  return at;
}

std::string QtTabControl::GetItemText(int index) const { return FromQt(widget()->tabText(index)); }

int QtTabControl::SetCurSel(int index) {
  if (index < 0 || index >= widget()->count()) return -1;
  const int previous = widget()->currentIndex();
  programmatic_ = true;
  widget()->setCurrentIndex(index);
  programmatic_ = false;
  return previous;
}

}  // namespace varokin::ui::qt
