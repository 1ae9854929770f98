#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>
#include <fstream>

#include "support/qt/demo_window.h"
#include "support/ta_folder.h"
#include "ui/main_window_controls.h"

namespace varokin::qt_tests {
namespace {

using namespace ui;
using ui::qt::DialogWindow;

// One evening's story through the real widgets: each tab click reaches its handler, each row click
// switches its mod, a question is answered in a real message box, and Close saves what the window
// shows.
TEST_F(DemoWindowTest, ClicksSwitchModsAndCloseSavesTheTabAndTheCheckBox) {
  // Fresh settings: the Mutators tab first, with only its list and pane shown.
  EXPECT_EQ(Widget<QTabWidget>(kIdTabs)->currentIndex(), 1);
  EXPECT_TRUE(Widget<QListWidget>(kIdMutatorList)->isVisible());
  EXPECT_FALSE(Widget<QListWidget>(kIdTcList)->isVisible());
  for (int tab = 0; tab < 4; ++tab) {
    ClickTab(tab);
    EXPECT_EQ(main->Dlg().selectedTab, tab);
    SaveScreenshot(main->Window(), "main-tab-" + std::to_string(tab));
  }
  // The UFO list, longer than it is high, opens at its top row, not at its last selected one.
  QListWidget* ufos = Widget<QListWidget>(kIdUfoList);
  EXPECT_GT(ufos->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(ufos->verticalScrollBar()->value(), 0);
  EXPECT_EQ(ufos->indexAt(QPoint(2, 2)).row(), 0);

  ClickTab(0);
  ClickRow(kIdTcList, "Ashen Frontier");
  EXPECT_TRUE(OnDisk("]ashmaps.ufo"));
  EXPECT_EQ(Widget<QLabel>(kIdCurrentTcLabel)->text(), "Ashen Frontier");
  EXPECT_TRUE(Widget<QPlainTextEdit>(kIdTcPane)->toPlainText().startsWith("Ashen Frontier: \n"));
  SaveScreenshot(main->Window(), "main-tc-switched");

  ClickTab(1);
  ClickRow(kIdMutatorList, "Heavy Plating");
  EXPECT_EQ(Setting("Active Mutators", "Mutator 0"), "}{HeavyPlating.vkn");
  ClickRow(kIdMutatorList, "Heavy Plating");
  EXPECT_TRUE(OnDisk("Varokin/}{HeavyPlating(1).ccx"));
  EXPECT_TRUE(SelectedRows(kIdMutatorList).isEmpty());

  ClickTab(2);
  // The AI claims only the original game; the question is answered "No" (keep it).
  AnswerNextMessage(QMessageBox::No);
  ClickRow(kIdAiList, "Bastion Defensive AI");
  EXPECT_EQ(captionSeen, "Varokin");
  EXPECT_NE(messageSeen.find("does not claim to be compatible"), std::string::npos) << messageSeen;
  EXPECT_EQ(SelectedRows(kIdAiList), QStringList({"Bastion Defensive AI"}));

  QTest::mouseClick(Widget<QCheckBox>(kIdAllowDefaultAi), Qt::LeftButton);
  ClickButton(kIdClose);
  EXPECT_FALSE(main->Window().isVisible());
  EXPECT_EQ(main->Window().result(), QDialog::Accepted);
  EXPECT_EQ(Setting("Previous Settings", "SelectedTab"), "2");
  EXPECT_EQ(Setting("Previous Settings", "Allow Default AI"), "0");
}

// A larger window gives its room to the lists and panes, not the buttons; keys reach the filter,
// the tabs and the buttons; the next start opens at the size the window had.
TEST_F(DemoWindowTest, TheWindowGrowsFiltersItsListsAndComesBackAtItsSize) {
  fixtures::AddBigCollection(root / "ta");
  main = std::make_unique<ui::qt::QtMainWindow>(parts->ctx, parts->FrontEnd(*dialogs), nullptr);
  main->Init();
  main->Show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main->Window()));
  QWidget* focus = QApplication::focusWidget();
  EXPECT_TRUE(focus != nullptr && Widget<QTabWidget>(kIdTabs)->isAncestorOf(focus));
  ClickTab(1);
  DialogWindow& window = main->Window();
  QListWidget* mutators = Widget<QListWidget>(kIdMutatorList);
  QPushButton* launch = Widget<QPushButton>(kIdLaunchTa);
  const QSize list = mutators->size();
  const QSize button = launch->size();
  const QPoint fromCorner = QPoint(window.width(), window.height()) - launch->geometry().topLeft();
  window.resize(window.size() + QSize(200, 150));
  EXPECT_EQ(mutators->width(), list.width() + 200);
  EXPECT_EQ(mutators->height(), list.height() + 105);
  EXPECT_EQ(launch->size(), button);
  EXPECT_EQ(QPoint(window.width(), window.height()) - launch->geometry().topLeft(), fromCorner);

  ClickRow(kIdMutatorList, "Heavy Plating");
  QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
  auto* filter = Widget<QLineEdit>(kIdFilter);
  ASSERT_TRUE(filter->hasFocus());
  QTest::keyClicks(filter, "sHOT");
  EXPECT_FALSE(mutators->isRowHidden(
      mutators->row(mutators->findItems("Long Shot Artillery", Qt::MatchExactly)[0])));
  EXPECT_EQ(mutators->findItems("Heavy Plating", Qt::MatchExactly)[0]->isHidden(), true);
  ClickRow(kIdMutatorList, "Long Shot Artillery");
  EXPECT_EQ(SelectedRows(kIdMutatorList), QStringList({"Heavy Plating", "Long Shot Artillery"}));
  EXPECT_EQ(Setting("Active Mutators", "Mutator 1"), "}{LongShot.vkn");
  SaveScreenshot(window, "main-filtered");
  QTest::keyClick(filter, Qt::Key_Escape);
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(mutators->findItems("Heavy Plating", Qt::MatchExactly)[0]->isHidden());

  QTest::keyClick(&window, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(main->Dlg().selectedTab, 2);
  QTest::keyClick(&window, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(main->Dlg().selectedTab, 1);

  // Alt+C is "Close", which saves.
  const QSize grown = window.size();
  QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
  // A mnemonic presses its button a moment later, as a click shows.
  EXPECT_TRUE(QTest::qWaitFor([&window] { return !window.isVisible(); }, 2000));
  main = std::make_unique<ui::qt::QtMainWindow>(parts->ctx, parts->FrontEnd(*dialogs), nullptr);
  main->Init();
  main->Show();
  EXPECT_EQ(main->Window().size(), grown);
}

// A name cut by the list's edge shows whole, with its description's first lines, when the pointer
// rests on it; a name shown whole has no tip.
TEST_F(DemoWindowTest, ACutNameShowsWholeInItsTooltip) {
  const std::string name = "Krogoth Mark Two Experimental Walker of the Northern Front";
  std::ofstream(root / "ta" / (name + ".ufo")).close();
  std::ofstream(root / "ta" / "Varokin" / "UfoManager" / (name + ".txt")) << "Krogoth\r\nHuge.\r\n";
  main = std::make_unique<ui::qt::QtMainWindow>(parts->ctx, parts->FrontEnd(*dialogs), nullptr);
  main->Init();
  main->Show();
  ClickTab(3);
  QListWidget* ufos = Widget<QListWidget>(kIdUfoList);
  const auto tipAt = [ufos](const QString& row) {
    QListWidgetItem* item = ufos->findItems(row, Qt::MatchExactly).value(0);
    if (item == nullptr) return QString("no row");
    const QPoint at = ufos->visualItemRect(item).center();
    QHelpEvent help(QEvent::ToolTip, at, ufos->viewport()->mapToGlobal(at));
    QApplication::sendEvent(ufos->viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  };
  EXPECT_EQ(tipAt("Bulwark"), QString());
  EXPECT_EQ(tipAt(QString::fromStdString(name)), QString::fromStdString(name + "\nKrogoth\nHuge."));
}

TEST_F(DemoWindowTest, SelectionsAndCheckMarksAreTheHandlersOwnAndEscapeDoesNotSave) {
  ClickTab(1);
  QListWidget* mutators = Widget<QListWidget>(kIdMutatorList);
  mutators->setFocus();
  QTest::keyClick(mutators, Qt::Key_A, Qt::ControlModifier);
  EXPECT_TRUE(SelectedRows(kIdMutatorList).isEmpty());
  EXPECT_TRUE(OnDisk("Varokin/}{HeavyPlating(1).ccx"));

  // A single-selection list keeps its one row when Ctrl-clicked.
  ClickTab(0);
  QListWidget* tcs = Widget<QListWidget>(kIdTcList);
  QTest::mouseClick(tcs->viewport(), Qt::LeftButton, Qt::ControlModifier,
                    tcs->visualItemRect(tcs->item(0)).center());
  EXPECT_EQ(SelectedRows(kIdTcList), QStringList({"*Original TA*"}));

  auto* tahook = main->Window().findChild<QAction*>(QString::number(kIdMenuAutoLaunchTahook));
  ASSERT_NE(tahook, nullptr);
  // Qt checks a checkable item on the click; cancelling the file dialog must leave it unchecked.
  bool asked = false;
  OnNextModal([&asked](QWidget& dialog) {
    asked = true;
    if (auto* fileDialog = qobject_cast<QDialog*>(&dialog)) fileDialog->reject();
  });
  tahook->trigger();
  EXPECT_TRUE(asked);
  EXPECT_FALSE(tahook->isChecked());

  QTest::keyClick(&main->Window(), Qt::Key_Escape);
  EXPECT_FALSE(main->Window().isVisible());
  EXPECT_EQ(Setting("Previous Settings", "SelectedTab"), "<none>");
}

}  // namespace
}  // namespace varokin::qt_tests
