#include "support/qt/demo_window.h"

#include <QApplication>
#include <QDir>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "support/ta_folder.h"
#include "ui/main_window_controls.h"
#include "ui/qt/qt_controls.h"

namespace varokin::qt_tests {

DemoWindowTest::DemoWindowTest() {
  previousDir_ = std::filesystem::current_path();
  root = fixtures::FreshFolder();
  const std::string make = std::string("bash '") + VAROKIN_MAKE_DEMO_TA + "' '" +
                           (root / "ta").string() + "' >/dev/null";
  if (std::system(make.c_str()) != 0) ADD_FAILURE() << "could not make the demo TA folder";
  std::filesystem::create_directories(root / "config");
  std::filesystem::current_path(root / "ta");
  if (const char* config = std::getenv("XDG_CONFIG_HOME")) previousConfig_ = config;
  setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);

  parts = std::make_unique<app::ProgramParts>(prompts);
  dialogs = std::make_unique<ui::qt::QtDialogRunner>(nullptr);
  main = std::make_unique<ui::qt::QtMainWindow>(parts->ctx, parts->FrontEnd(*dialogs), nullptr);
  main->Init();
  main->Show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&main->Window()));
  // Its activation, late on a busy machine, would otherwise take the focus from a window the test
  // opens over it.
  EXPECT_TRUE(QTest::qWaitForWindowActive(&main->Window()));
}

DemoWindowTest::~DemoWindowTest() {
  main.reset();
  std::filesystem::current_path(previousDir_);
  if (previousConfig_) {
    setenv("XDG_CONFIG_HOME", previousConfig_->c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
}

bool DemoWindowTest::OnDisk(const std::string& path) const {
  return std::filesystem::exists(root / "ta" / path);
}

std::string DemoWindowTest::Setting(const std::string& section, const std::string& entry) {
  settings::SettingsStore onDisk(*parts->fs, settings::kSettingsFileName);
  return onDisk.GetProfileString(section, entry, "<none>");
}

void DemoWindowTest::ClickTab(int tab) {
  QTabBar* bar = Widget<QTabWidget>(ui::kIdTabs)->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
}

void DemoWindowTest::ClickRow(int listId, const QString& text) {
  QListWidget* list = Widget<QListWidget>(listId);
  const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1) << text.toStdString();
  list->scrollToItem(found.first());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(found.first()).center());
}

void DemoWindowTest::ClickButton(int id) {
  QTest::mouseClick(Widget<QPushButton>(id), Qt::LeftButton);
}

QStringList DemoWindowTest::Rows(int listId) {
  QStringList rows;
  QListWidget* list = Widget<QListWidget>(listId);
  for (int row = 0; row < list->count(); ++row) rows << list->item(row)->text();
  return rows;
}

QStringList DemoWindowTest::SelectedRows(int listId) {
  QStringList rows;
  QListWidget* list = Widget<QListWidget>(listId);
  for (int row = 0; row < list->count(); ++row) {
    if (list->item(row)->isSelected()) rows << list->item(row)->text();
  }
  return rows;
}

void DemoWindowTest::OnNextModal(std::function<void(QWidget&)> act) {
  auto* poll = new QTimer(&main->Window());
  QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    poll->stop();
    poll->deleteLater();
    act(*modal);
  });
  poll->start(20);
}

void DemoWindowTest::AnswerNextMessage(QMessageBox::StandardButton button) {
  messageSeen.clear();
  captionSeen.clear();
  OnNextModal([this, button](QWidget& modal) {
    auto* box = qobject_cast<QMessageBox*>(&modal);
    ASSERT_NE(box, nullptr) << "not a message box: " << modal.windowTitle().toStdString();
    messageSeen = ui::qt::FromQt(box->text());
    captionSeen = ui::qt::FromQt(box->windowTitle());
    SaveScreenshot(*box, "message");
    QAbstractButton* answer = box->button(button);
    ASSERT_NE(answer, nullptr) << "the box has no such button: " << messageSeen;
    answer->click();
  });
}

void DemoWindowTest::SaveScreenshot(QWidget& widget, const std::string& name) {
  QDir().mkpath(VAROKIN_SCREENSHOTS);
  const QString path = QString(VAROKIN_SCREENSHOTS) + "/" + QString::fromStdString(name) + ".png";
  EXPECT_TRUE(widget.grab().save(path)) << path.toStdString();
}

}  // namespace varokin::qt_tests
