#include "ui/qt/dialog_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QShowEvent>
#include <QStyle>
#include <algorithm>

namespace varokin::ui::qt {

namespace {

// A label of this height in dialog units or less holds one line.
constexpr int kOneLineHeight = 12;

// Reports an edit losing the focus to the rest of its window; the focus a popup takes is not a
// change of control.
class FocusWatcher : public QObject {
 public:
  explicit FocusWatcher(std::function<void(int)> killFocus) : killFocus_(std::move(killFocus)) {}
  void Watch(QWidget* edit, int id) {
    ids_[edit] = id;
    edit->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusOut && killFocus_ &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
      auto found = ids_.find(watched);
      if (found != ids_.end()) killFocus_(found->second);
    }
    return false;
  }

 private:
  std::function<void(int)> killFocus_;
  std::map<QObject*, int> ids_;
};

Qt::Alignment Across(const ControlSpec& item) {
  if (item.centred) return Qt::AlignHCenter;
  return item.rightAligned ? Qt::AlignRight : Qt::AlignLeft;
}

}  // namespace

DialogUnits DialogUnits::ForFont(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return DialogUnits{static_cast<double>((letters / 26 + 1) / 2), metrics.height()};
}

DialogUnits DialogUnits::Fitting(const QFont& font, const std::vector<ControlSpec>& specs) {
  DialogUnits units = ForFont(font);
  const QFontMetrics metrics(font);
  const QStyle* style = QApplication::style();
  for (const ControlSpec& item : specs) {
    // The "&" of a button's mnemonic is not drawn (labels show their text as it is).
    QString caption = ToQt(item.caption);
    if (item.kind != ControlKind::kLabel) caption.remove('&');
    const int text = metrics.horizontalAdvance(caption);
    int needed = 0;
    switch (item.kind) {
      case ControlKind::kLabel:
        // Taller labels wrap their words instead.
        if (item.height <= kOneLineHeight) needed = text + 1;
        break;
      case ControlKind::kCheckBox:
        needed = style->pixelMetric(QStyle::PM_IndicatorWidth) +
                 style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + text + 2;
        break;
      case ControlKind::kButton:
      case ControlKind::kDefaultButton:
        needed = text + 2 * metrics.averageCharWidth();
        break;
      default:
        break;
    }
    if (item.width > 0 && needed > units.X(item.width)) {
      units.baseX = std::max(units.baseX, needed * 4.0 / item.width);
    }
  }
  return units;
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
  return QRect(X(x), Y(y), X(width), Y(height));
}

void DialogWindow::Send(DialogKey key) {
  if (onCommand) onCommand(CommandForKey(layout_, key));
}

void DialogWindow::reject() { Send(DialogKey::kEscape); }

void DialogWindow::closeEvent(QCloseEvent* event) {
  // As QDialog's own: a hidden window just closes; a shown one stays open unless the logic behind
  // it ended it.
  if (!isVisible()) {
    event->accept();
    return;
  }
  Send(DialogKey::kCloseBox);
  if (isVisible()) event->ignore();
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && event->modifiers() == Qt::NoModifier) {
    if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
      button->click();
    } else {
      Send(DialogKey::kEnter);
    }
    return;
  }
  QDialog::keyPressEvent(event);
}

void DialogWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (onResized) onResized();
}

void DialogWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous() && onShown) onShown();
}

QtDialogControls::QtDialogControls(QWidget& window, const std::vector<ControlSpec>& specs,
                                   DialogUnits units, QPoint origin, const ControlEvents& events,
                                   platform::InstanceRegistry* instances)
    : window_(window), instances_(instances) {
  focusWatcher_ = std::make_unique<FocusWatcher>(events.killFocus);
  for (const ControlSpec& item : specs) Add(item, units, origin, events);
}

QtDialogControls::~QtDialogControls() = default;

void QtDialogControls::Add(const ControlSpec& item, DialogUnits units, QPoint origin,
                           const ControlEvents& events) {
  const int id = item.id;
  QWidget* widget = nullptr;
  std::unique_ptr<Control> control;
  const QString caption = ToQt(item.caption);
  switch (item.kind) {
    case ControlKind::kButton:
    case ControlKind::kDefaultButton: {
      auto* button = new QPushButton(caption, &window_);
      button->setAutoDefault(false);
      if (item.kind == ControlKind::kDefaultButton) {
        button->setDefault(true);
      }
      QObject::connect(button, &QPushButton::clicked, button, [events, id] { events.command(id); });
      widget = button;
      control = std::make_unique<QtButton>(id, button);
      break;
    }
    case ControlKind::kCheckBox: {
      auto* check = new QCheckBox(caption, &window_);
      QObject::connect(check, &QCheckBox::clicked, check, [events, id] { events.command(id); });
      widget = check;
      control = std::make_unique<QtCheckBox>(id, check);
      break;
    }
    case ControlKind::kLabel: {
      auto* label = item.shortenedInMiddle ? new MiddleShortenedLabel(caption, &window_)
                                           : new QLabel(caption, &window_);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Across(item) | Qt::AlignTop);
      label->setWordWrap(item.height > kOneLineHeight);
      widget = label;
      control = std::make_unique<QtText<QLabel>>(id, label);
      break;
    }
    case ControlKind::kGroupBox:
      widget = new QGroupBox(caption, &window_);
      break;
    case ControlKind::kEdit:
      if (item.multiline) {
        auto* edit = new QPlainTextEdit(caption, &window_);
        edit->setReadOnly(item.readOnly);
        edit->setTabChangesFocus(true);
        edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // The system edit keeps its bar, disabled while the text fits.
        edit->setVerticalScrollBarPolicy(item.verticalScroll ? Qt::ScrollBarAlwaysOn
                                                             : Qt::ScrollBarAlwaysOff);
        QObject::connect(edit, &QPlainTextEdit::textChanged, edit,
                         [events, id] { events.change(id); });
        widget = edit;
        control = std::make_unique<QtText<QPlainTextEdit>>(id, edit);
      } else {
        auto* edit = new QLineEdit(caption, &window_);
        edit->setReadOnly(item.readOnly);
        if (item.maxLength > 0) edit->setMaxLength(item.maxLength);
        edit->setAlignment(Across(item) | Qt::AlignVCenter);
        QObject::connect(edit, &QLineEdit::textChanged, edit, [events, id] { events.change(id); });
        widget = edit;
        control = std::make_unique<QtText<QLineEdit>>(id, edit);
      }
      static_cast<FocusWatcher*>(focusWatcher_.get())->Watch(widget, id);
      break;
    case ControlKind::kList: {
      auto* list = new QListWidget(&window_);
      list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
      auto box = std::make_unique<QtListBox>(id, list, item.sorted, item.multipleSelection);
      box->onUserChange = [events, id] { events.selchange(id); };
      widget = list;
      control = std::move(box);
      break;
    }
  }
  if (id != -1) widget->setObjectName(QString::number(id));
  if (!item.tabStop && widget->focusPolicy() != Qt::NoFocus) widget->setFocusPolicy(Qt::ClickFocus);
  if (item.startsSelected) startsSelected_ = widget;
  widget->setGeometry(units.Rect(item.x, item.y, item.width, item.height).translated(origin));
  placed_.push_back(Placed{widget, widget->geometry(), item.anchors});
  if (control && id != -1) controls_[id] = std::move(control);
}

template <class T>
T* QtDialogControls::Find(int id) {
  auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : dynamic_cast<T*>(found->second.get());
}

ListBox* QtDialogControls::List(int id) { return Find<ListBox>(id); }
TextControl* QtDialogControls::Text(int id) { return Find<TextControl>(id); }
CheckBox* QtDialogControls::Check(int id) { return Find<CheckBox>(id); }
Button* QtDialogControls::ButtonById(int id) { return Find<Button>(id); }

void QtDialogControls::SetTitle(const std::string& title) {
  window_.setWindowTitle(ToQt(title));
  if (!instances_) return;
  claim_.reset();
  claim_ = instances_->Claim(title);
}

void QtDialogControls::FocusOpeningSelection() {
  if (startsSelected_ == nullptr) return;
  startsSelected_->setFocus();
  if (auto* line = qobject_cast<QLineEdit*>(startsSelected_)) line->selectAll();
  if (auto* text = qobject_cast<QPlainTextEdit*>(startsSelected_)) text->selectAll();
}

QRect AnchoredRect(const QRect& base, const Anchors& anchors, QSize extra) {
  const Box box = Anchored(Box{base.x(), base.y(), base.width(), base.height()}, anchors,
                           extra.width(), extra.height());
  return QRect(box.x, box.y, box.width, box.height);
}

void QtDialogControls::Relayout(QSize extra) {
  for (const Placed& each : placed_) {
    each.widget->setGeometry(AnchoredRect(each.base, each.anchors, extra));
  }
}

std::string QtDialogControls::Title() const { return FromQt(window_.windowTitle()); }

}  // namespace varokin::ui::qt
