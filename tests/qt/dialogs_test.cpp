#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <sstream>

#include "app/command_line.h"
#include "support/qt/demo_window.h"
#include "support/scoped_variable.h"
#include "ui/about_dlg.h"
#include "ui/main_window_controls.h"
#include "ui/multiplayer_dlg.h"
#include "ui/qt/desktop_program.h"
#include "ui/qt/qt_controls.h"
#include "ui/qt/qt_prompts.h"
#include "ui/ta_folder_dlg.h"
#include "ui/ufo_pack_dlg.h"
#include "ui/window_titles.h"

namespace varokin::qt_tests {
namespace {

using namespace ui;

std::string FirstLine(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string first;
  std::getline(in, first);
  return first;
}

TEST_F(DemoWindowTest, UfoPackDialogWritesThePackOfTheEnabledUfos) {
  OnNextModal([&](QWidget& window) {
    SaveScreenshot(window, "ufo-pack");
    // It opens on the pack name, selected: typing replaces it.
    QLineEdit* name = Child<QLineEdit>(window, CUfoPackDlg::kIdPackName);
    EXPECT_EQ(window.focusWidget(), name);
    QTest::keyClicks(name, "Demo Pack");
    AnswerNextMessage(QMessageBox::Ok);
    QTest::mouseClick(Child<QPushButton>(window, kIdOk), Qt::LeftButton);
  });
  main->Window().findChild<QAction*>(QString::number(kIdMenuMakeUfoPack))->trigger();

  // The file is named after the pack as it was typed.
  EXPECT_EQ(FirstLine(root / "ta/Varokin/UfoManager/Demo Pack.pac"), "Demo Pack\r");
}

// The multiplayer window opened by a recorded request; its game name is cleaned when the focus
// leaves the field.
TEST_F(DemoWindowTest, AShowingCarriesOutTheRecordedRequestAMomentLater) {
  parts->startup.hostRequested = true;
  std::string title, cleaned;
  OnNextModal([&](QWidget& window) {
    title = window.windowTitle().toStdString();
    SaveScreenshot(window, "multiplayer");
    // The field loses its focus only in the active window; a busy machine may not have made it
    // active yet.
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    QLineEdit* name = Child<QLineEdit>(window, kIdGameName);
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, "My great game");
    QTest::keyClick(name, Qt::Key_Tab);
    cleaned = name->text().toStdString();
    QTest::mouseClick(Child<QPushButton>(window, kIdCancelDialog), Qt::LeftButton);
  });
  main->Window().hide();
  QElapsedTimer clock;
  clock.start();
  main->Show();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !title.empty(); }, 3000));
  EXPECT_GE(clock.elapsed(), 100);
  EXPECT_EQ(title, "Varokin: Hosting...");
  EXPECT_EQ(cleaned, "My_great_game");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(DemoWindowTest, SnapshotIsSavedWhereTheFileDialogSays) {
  std::string folder;
  OnNextModal([&](QWidget& window) {
    auto* dialog = qobject_cast<QFileDialog*>(&window);
    ASSERT_NE(dialog, nullptr);
    folder = QDir(dialog->directory()).canonicalPath().toStdString();
    // Typed without its extension: the dialog adds the default one.
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText("Mine");
    static_cast<QDialog*>(dialog)->accept();
  });
  main->Window().findChild<QAction*>(QString::number(kIdMenuTakeSnapshot))->trigger();

  EXPECT_EQ(folder, std::filesystem::canonical(root / "ta/Varokin/Snapshots").string());
  EXPECT_EQ(FirstLine(root / "ta/Varokin/Snapshots/Mine.tas"), "TC:none\r");
}

TEST(QtFilterTextTest, PatternsGoInTheParenthesesQtReads) {
  EXPECT_EQ(ui::qt::QtFilterText("Snapshot Files (*.tas)|*.tas||"), "Snapshot Files (*.tas)");
  EXPECT_EQ(ui::qt::QtFilterText("Programs|*.exe;*.com|All Files (*.*)|*.*||"),
            "Programs (*.exe *.com);;All Files (*.*)");
}

// Runs act on the message box the next Message call opens.
void OnMessageBox(std::function<void(QMessageBox&)> act) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    poll->deleteLater();
    poll->stop();
    act(*box);
  });
  poll->start(20);
}

void PressEscape(QMessageBox& box) {
  QTest::keyClick(box.focusWidget() ? box.focusWidget() : &box, Qt::Key_Escape);
}

TEST(QtMessageBoxTest, EscapeAndTheCloseBoxAnswerCancelOrOkNeverYesNoAndTallTextsScroll) {
  ui::qt::QtPrompts qtPrompts;
  Prompts& prompts = qtPrompts;
  bool stayedOpen = false;
  bool scrolls = true;
  OnMessageBox([&](QMessageBox& box) {
    PressEscape(box);
    box.close();
    stayedOpen = box.isVisible();
    scrolls = box.findChild<QScrollArea*>() != nullptr;
    box.button(QMessageBox::Yes)->click();
  });
  EXPECT_EQ(prompts.Message("Do you wish to disable it again?", Buttons::kYesNo), Answer::kYes);
  EXPECT_TRUE(stayedOpen);
  EXPECT_FALSE(scrolls);

  OnMessageBox(PressEscape);
  EXPECT_EQ(prompts.Message("Save?", Buttons::kYesNoCancel), Answer::kCancel);
  OnMessageBox([](QMessageBox& box) { box.close(); });
  EXPECT_EQ(prompts.Message("Save?", Buttons::kYesNoCancel), Answer::kCancel);
  OnMessageBox(PressEscape);
  EXPECT_EQ(prompts.Message("Done"), Answer::kOk);

  // A text taller than the screen scrolls, with the buttons on the screen.
  std::string text;
  for (int line = 1; line <= 2000; ++line) {
    text += "Missing file Varokin\\Mods\\unit" + std::to_string(line) + ".fbi\n";
  }
  std::string shown;
  int height = 0;
  int screenHeight = 0;
  bool buttonsInside = false;
  OnMessageBox([&](QMessageBox& box) {
    shown = ui::qt::FromQt(box.text());
    height = box.frameGeometry().height();
    screenHeight = box.screen()->availableGeometry().height();
    buttonsInside = box.findChild<QScrollArea*>() != nullptr;
    for (QAbstractButton* button : box.buttons()) {
      const QRect place(button->mapTo(&box, QPoint(0, 0)), button->size());
      buttonsInside = buttonsInside && button->isVisible() && box.rect().contains(place);
    }
    QDir().mkpath(VAROKIN_SCREENSHOTS);
    EXPECT_TRUE(box.grab().save(VAROKIN_SCREENSHOTS "/long-message.png"));
    box.button(QMessageBox::No)->click();
  });
  EXPECT_EQ(prompts.Message(text, Buttons::kYesNo, Icon::kExclamation), Answer::kNo);
  EXPECT_EQ(shown, text);
  EXPECT_GT(height, 0);
  EXPECT_LE(height, screenHeight);
  EXPECT_TRUE(buttonsInside);
}

TEST_F(DemoWindowTest, AboutBoxCentresItsLinesTabsOnlyToOkAndClosesWithEscape) {
  bool shown = false;
  OnNextModal([&](QWidget& window) {
    shown = window.windowTitle() == "About Varokin";
    SaveScreenshot(window, "about");
    const QList<QLabel*> labels = window.findChildren<QLabel*>();
    const auto headline = std::find_if(labels.begin(), labels.end(), [](QLabel* label) {
      return label->text().startsWith("Varokin - the ultimate");
    });
    ASSERT_NE(headline, labels.end());
    EXPECT_TRUE((*headline)->alignment() & Qt::AlignHCenter);
    for (int id : {kIdAboutFeedback, kIdAboutWebAddress}) {
      EXPECT_TRUE(Child<QLineEdit>(window, id)->alignment() & Qt::AlignHCenter) << id;
    }
    auto* acknowledgements = Child<QPlainTextEdit>(window, kIdAboutAcknowledgements);
    EXPECT_TRUE(acknowledgements->verticalScrollBar()->isVisible());
    // Tab and Backtab go round the fields to the one button.
    auto* ok = Child<QPushButton>(window, kIdOk);
    EXPECT_EQ(window.focusWidget(), ok);
    QTest::keyClick(&window, Qt::Key_Tab);
    EXPECT_EQ(window.focusWidget(), ok);
    QTest::keyClick(&window, Qt::Key_Backtab);
    EXPECT_EQ(window.focusWidget(), ok);
    QTest::keyClick(&window, Qt::Key_Escape);
  });
  main->Window().findChild<QAction*>(QString::number(kIdMenuAbout))->trigger();
  EXPECT_TRUE(shown);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// A TA folder in a fake Wine prefix, chosen from the menu and then at the first start of the
// program as its desktop entry starts it; the next start opens the main window at once.
TEST_F(DemoWindowTest, ChangeTaFolderListsTheInstallsFoundAndRestartsOnTheChoice) {
  const std::filesystem::path prefix = root / "prefix";
  // Long enough a path to be shortened in the main window.
  const std::filesystem::path ta =
      prefix / "drive_c" / "Games" / "Total Annihilation Commander Pack with Battle Tactics";
  const std::string make =
      std::string("bash '") + VAROKIN_MAKE_DEMO_TA + "' '" + ta.string() + "' >/dev/null";
  ASSERT_EQ(std::system(make.c_str()), 0);
  std::ofstream(prefix / "system.reg") << "";
  std::filesystem::create_directories(root / "home");
  std::filesystem::create_directories(root / "desktop-config");
  const std::string found = std::filesystem::canonical(ta);
  testing::ScopedVariable home("HOME", (root / "home").string());
  testing::ScopedVariable winePrefix("WINEPREFIX", prefix.string());
  testing::ScopedVariable dataHome("XDG_DATA_HOME", std::nullopt);

  // Every window opened, by title: the chooser takes its first row, the first-use question is
  // answered Yes, the offer to compile (made at every start) No, the main window "Close".
  std::vector<std::string> arguments;
  std::ifstream entry(VAROKIN_DESKTOP_ENTRY);
  for (std::string line; std::getline(entry, line);) {
    if (line.rfind("Exec=", 0) != 0) continue;
    std::istringstream words(line.substr(5));
    for (std::string word; words >> word;) {
      // Field codes stand for files opened with the program; there are none here.
      if (word[0] != '%') arguments.push_back(word);
    }
  }
  ASSERT_FALSE(arguments.empty());
  EXPECT_EQ(arguments.front(), "varokin");
  arguments.erase(arguments.begin());
  QStringList opened, rows;
  QString folderShown, folderLabel;
  QPointer<QWidget> answered;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == answered) return;
    answered = modal;
    opened << modal->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      const bool firstUse = box->text().contains("first time");
      QAbstractButton* answer = box->button(firstUse ? QMessageBox::Yes : QMessageBox::No);
      answer->click();
    } else if (auto* list = modal->findChild<QListWidget*>(QString::number(kIdTaFolderList))) {
      SaveScreenshot(*modal, "ta-folder");
      rows.clear();
      for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
      list->setCurrentRow(0);
      QTest::mouseClick(Child<QPushButton>(*modal, kIdOk), Qt::LeftButton);
    } else {
      if (auto* label = Child<ui::qt::MiddleShortenedLabel>(*modal, kIdTaFolderLabel)) {
        folderLabel = label->text();
        folderShown = label->Shown();
      }
      QTest::mouseClick(Child<QPushButton>(*modal, kIdClose), Qt::LeftButton);
    }
  });
  poll.start(20);
  main->Window().findChild<QAction*>(QString::number(kIdMenuChangeTaFolder))->trigger();
  EXPECT_EQ(rows, QStringList{QString::fromStdString(found)});
  EXPECT_EQ(parts->startup.nextTaFolder, found);
  std::filesystem::current_path(root / "home");
  setenv("XDG_CONFIG_HOME", (root / "desktop-config").c_str(), 1);
  for (int start = 0; start < 2; ++start) {
    app::TaFolderSearch search;
    search.option = app::TakeTaFolderOption(arguments);
    search.commandText = app::CommandText(arguments);
    EXPECT_EQ(ui::qt::RunDesktopProgram(search), 0);
    std::filesystem::current_path(root / "home");
  }
  const QString main = QString::fromStdString(kMainWindowTitle);
  const QString chooser = "Where is Total Annihilation?";
  EXPECT_EQ(opened, (QStringList{chooser, chooser, "Varokin", "Varokin", main, "Varokin", main}))
      << opened.join("\n|").toStdString();
  EXPECT_EQ(folderLabel, QString::fromStdString("TA folder: " + found));
  EXPECT_TRUE(folderShown.startsWith("TA folder: /") && folderShown.endsWith("Battle Tactics") &&
              folderShown.contains(QChar(0x2026)))
      << folderShown.toStdString();
}

}  // namespace
}  // namespace varokin::qt_tests
