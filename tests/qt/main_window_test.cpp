#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include "support/qt/demo_window.h"
#include "ui/main_window_controls.h"

namespace varokin::qt_tests {
namespace {

using namespace ui;

TEST_F(DemoWindowTest, ListsShowTheCatalogueInTheListBoxOrder) {
  EXPECT_EQ(Rows(kIdTcList),
            QStringList({"*Original TA*", "Ashen Frontier", "Galactic Dawn", "Iron Tide"}));
  EXPECT_EQ(SelectedRows(kIdTcList), QStringList({"*Original TA*"}));
  EXPECT_EQ(Rows(kIdAiList).first(), "*Default AI*");
  // Fresh settings: the Mutators tab first, with only its list and pane shown.
  EXPECT_EQ(Widget<QTabWidget>(kIdTabs)->currentIndex(), 1);
  EXPECT_TRUE(Widget<QListWidget>(kIdMutatorList)->isVisible());
  EXPECT_FALSE(Widget<QListWidget>(kIdTcList)->isVisible());
  EXPECT_TRUE(Widget<QCheckBox>(kIdAllowDefaultAi)->isChecked());
  EXPECT_EQ(main->Window().windowTitle(), "Varokin - by Quellan");

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
}

// One evening's story through the real widgets: each click reaches its handler, a question is
// answered in a real message box, and Close saves what the window shows.
TEST_F(DemoWindowTest, ClicksSwitchModsAndCloseSavesTheTabAndTheCheckBox) {
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

TEST_F(DemoWindowTest, SelectionsTheSystemListBoxCannotMakeAreUndone) {
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
}

TEST_F(DemoWindowTest, EscapeClosesWithoutSaving) {
  ClickTab(2);
  QTest::keyClick(&main->Window(), Qt::Key_Escape);
  EXPECT_FALSE(main->Window().isVisible());
  EXPECT_EQ(Setting("Previous Settings", "SelectedTab"), "<none>");
}

TEST_F(DemoWindowTest, AMenuCheckMarkIsWhatTheHandlerDecides) {
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
  EXPECT_EQ(Setting("Varokin", "Use TAHook"), "<none>");
}

}  // namespace
}  // namespace varokin::qt_tests
