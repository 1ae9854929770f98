#include "ui/qt/qt_main_window.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <functional>
#include <utility>

#include "settings/window_placement.h"
#include "ui/main_window_layout.h"

namespace varokin::ui::qt {

QtMainWindow::QtMainWindow(engine::Context& ctx, const CSwitcherDlg::FrontEnd& frontEnd,
                           platform::InstanceRegistry* instances)
    : window_(nullptr, MainWindowLayout().layout) {
  const MainWindowTemplate& t = MainWindowLayout();
  const DialogUnits units = DialogUnits::Fitting(window_.font(), t.layout.controls);
  const int width = units.X(t.layout.width);
  BuildMenuBar(width);
  const int top = menuBar_->sizeHint().height();
  smallest_ = QSize(width, top + units.Y(t.layout.height));
  window_.setMinimumSize(smallest_);
  window_.resize(smallest_);

  // Made first, so that the lists and panes lie over it.
  auto* tabWidget = new QTabWidget(&window_);
  tabWidget->setObjectName(QString::number(t.tabs.id));
  tabWidget->setGeometry(
      units.Rect(t.tabs.x, t.tabs.y, t.tabs.width, t.tabs.height).translated(0, top));
  tabs_ = std::make_unique<QtTabControl>(t.tabs.id, tabWidget);
  const QRect tabsBase = tabWidget->geometry();
  QObject::connect(tabWidget, &QTabWidget::currentChanged, tabWidget, [this] {
    if (tabs_->Programmatic()) return;
    dlg_->OnSelchange(kIdTabs);
    CloseWhenEnded();
  });

  ControlEvents events;
  events.command = [this](int id) { Route(id); };
  events.change = [this](int id) { dlg_->OnChange(id); };
  events.killFocus = [](int) {};
  events.selchange = [this](int id) {
    dlg_->OnSelchange(id);
    CloseWhenEnded();
  };
  controls_ = std::make_unique<QtDialogControls>(window_, t.layout.controls, units, QPoint(0, top),
                                                 events, instances);
  controls_->SetTitle(t.layout.title);
  window_.onCommand = events.command;
  AddKeys(*tabWidget);
  window_.onResized = [this, tabWidget, tabsBase] {
    const QSize extra = window_.size() - smallest_;
    controls_->Relayout(extra);
    tabWidget->setGeometry(AnchoredRect(tabsBase, MainWindowLayout().tabs.anchors, extra));
    menuBar_->setGeometry(0, 0, window_.width(), menuBar_->height());
    if (dlg_) dlg_->OnSize();
  };
  RestorePlacement(ctx.fs);

  bound_ = std::make_unique<MainWindowControls>(
      BindMainWindow(*controls_, *tabs_, [this](int id) -> MenuItem* {
        for (auto& item : menuItems_) {
          if (item->Id() == id) return item.get();
        }
        return nullptr;
      }));
  dlg_ = std::make_unique<CSwitcherDlg>(ctx, *bound_);
  dlg_->frontEnd = frontEnd;
  for (int id : {kIdTcList, kIdMutatorList, kIdAiList, kIdPackList, kIdUfoList}) {
    if (auto* list = dynamic_cast<QtListBox*>(controls_->List(id))) {
      list->SetTipFor([this, id](int row) { return dlg_->NameTip(id, row); });
    }
  }

  deferred_.setSingleShot(true);
  deferred_.setInterval(100);
  QObject::connect(&deferred_, &QTimer::timeout, &window_, [this] {
    dlg_->OnTimer();
    CloseWhenEnded();
  });
  window_.onShown = [this] {
    dlg_->OnShowWindow(true);
    if (dlg_->TimerPending()) deferred_.start();
  };
}

void QtMainWindow::RestorePlacement(platform::FileSystem& fs) {
  fs_ = &fs;
  const auto placement = settings::ReadWindowPlacement(fs, settings::WindowPlacementPath());
  if (!placement) return;
  const QRect saved(placement->box.x, placement->box.y, placement->box.width,
                    placement->box.height);
  QScreen* screen = QGuiApplication::screenAt(saved.center());
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect room = screen->availableGeometry();
  const settings::WindowBox kept =
      settings::KeptOnScreen(placement->box, {room.x(), room.y(), room.width(), room.height()},
                             smallest_.width(), smallest_.height());
  window_.setGeometry(kept.x, kept.y, kept.width, kept.height);
  if (placement->maximised) window_.setWindowState(Qt::WindowMaximized);
}

void QtMainWindow::SavePlacement() {
  if (fs_ == nullptr) return;
  const bool maximised = window_.isMaximized();
  const QRect box = maximised ? window_.normalGeometry() : window_.geometry();
  // A window that is only where it opened has nothing to remember.
  if (!box.isValid()) return;
  settings::WindowPlacement placement{{box.x(), box.y(), box.width(), box.height()}, maximised};
  // Not worth a message: the next start just opens at the smallest size.
  static_cast<void>(
      settings::WriteWindowPlacement(*fs_, settings::WindowPlacementPath(), placement));
}

QtMainWindow::~QtMainWindow() {
  deferred_.stop();
  window_.onShown = nullptr;
  window_.onCommand = nullptr;
  // The widgets go first, while the controls and handlers their signals reach still exist.
  qDeleteAll(window_.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

void QtMainWindow::Init() { dlg_->OnInitDialog(); }

namespace {

// Takes the Escape key from the widget it watches.
class OnEscapeKey : public QObject {
 public:
  OnEscapeKey(QObject* parent, std::function<void()> act) : QObject(parent), act_(std::move(act)) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress ||
        static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) {
      return false;
    }
    act_();
    return true;
  }

 private:
  std::function<void()> act_;
};

}  // namespace

void QtMainWindow::AddKeys(QTabWidget& tabs) {
  auto* filter = window_.findChild<QLineEdit*>(QString::number(kIdFilter));
  filter->installEventFilter(new OnEscapeKey(filter, [this] {
    dlg_->OnEscape(kIdFilter);
    CloseWhenEnded();
  }));
  auto* find = new QShortcut(QKeySequence::Find, &window_);
  QObject::connect(find, &QShortcut::activated, filter, [filter] {
    filter->setFocus(Qt::ShortcutFocusReason);
    filter->selectAll();
  });
  // Ctrl+Tab reaches the tab widget itself only while it has the focus.
  QObject::connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), &window_),
                   &QShortcut::activated, &tabs, [this] { dlg_->OnStepTab(true); });
  QObject::connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), &window_),
                   &QShortcut::activated, &tabs, [this] { dlg_->OnStepTab(false); });
}

void QtMainWindow::BuildMenuBar(int width) {
  menuBar_ = new QMenuBar(&window_);
  // The entries on the right share a bar of their own in the corner.
  auto* right = new QMenuBar(menuBar_);
  for (const MenuBarEntry& entry : MainWindowLayout().menuBar) {
    QMenuBar* bar = entry.rightAligned ? right : menuBar_;
    std::vector<std::pair<QAction*, const MenuBarEntry*>> actions;
    if (entry.items.empty()) {
      actions.emplace_back(bar->addAction(ToQt(entry.caption)), &entry);
    } else {
      QMenu* menu = bar->addMenu(ToQt(entry.caption));
      for (const MenuBarEntry& item : entry.items) {
        actions.emplace_back(menu->addAction(ToQt(item.caption)), &item);
      }
    }
    for (auto [action, item] : actions) {
      action->setEnabled(item->enabled);
      action->setCheckable(item->checkable);
      if (item->id == -1) continue;
      const int id = item->id;
      action->setObjectName(QString::number(id));
      menuItems_.push_back(std::make_unique<QtMenuItem>(id, action));
      QtMenuItem* menuItem = menuItems_.back().get();
      QObject::connect(action, &QAction::triggered, action, [this, menuItem, id] {
        menuItem->RestoreCheck();
        Route(id);
      });
    }
  }
  menuBar_->setCornerWidget(right, Qt::TopRightCorner);
  menuBar_->setGeometry(0, 0, width, menuBar_->sizeHint().height());
}

void QtMainWindow::Route(int id) {
  dlg_->OnCommand(id);
  CloseWhenEnded();
}

void QtMainWindow::CloseWhenEnded() {
  switch (dlg_->GetResult()) {
    case CSwitcherDlg::Result::kRunning:
      return;
    case CSwitcherDlg::Result::kOk:
      SavePlacement();
      window_.done(QDialog::Accepted);
      return;
    case CSwitcherDlg::Result::kCancel:
      SavePlacement();
      window_.done(QDialog::Rejected);
      return;
  }
}

}  // namespace varokin::ui::qt
