// Varokin.exe's message boxes as the user meets them: where they open, what Escape and the close
// box answer, and a text too tall for the screen. Each box is worked from a timer that ticks in
// its own modal loop.
#include "ui/win32/win32_prompts.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/gui/box_driver.h"
#include "ui/win32/owner_window.h"

namespace varokin::ui::win32 {
namespace {

using namespace gui_tests;

class Win32PromptsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExA(0, "STATIC", "Owner", WS_POPUP | WS_VISIBLE | WS_CAPTION, 30, 20, 420,
                             300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work_, 0);
  }
  void TearDown() override { DestroyWindow(owner_); }

  // Shows the message and runs the steps one per tick while it is open.
  Answer Show(const std::string& text, Buttons buttons, std::vector<std::function<void()>> run) {
    steps = std::move(run);
    nextStep = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, RunNextStep);
    const OwnerScope scope(owner_);
    const Answer answer = prompts_.Message(text, buttons, Icon::kExclamation);
    KillTimer(nullptr, timer);
    EXPECT_EQ(nextStep, steps.size()) << "the box closed before every step ran";
    return answer;
  }
  // Escape and then the close box, each given a tick to act; stillOpen says whether the box
  // outlived both.
  std::vector<std::function<void()>> EscapeThenClose(HWND& box, bool& stillOpen) {
    return {[&] {
              box = OpenBox();
              PressEscape();
            },
            [&] { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); },
            [&] { stillOpen = IsWindow(box) && IsWindowVisible(box); }};
  }

  HWND owner_ = nullptr;
  RECT work_{};
  Win32Prompts prompts_;
};

TEST_F(Win32PromptsTest, MessageBoxesOpenOverTheirOwnerAndEscapeAnswersOnlyOkOrCancel) {
  HWND box = nullptr;
  bool stillOpen = false;
  RECT place{};
  auto run = EscapeThenClose(box, stillOpen);
  run.push_back([&] {
    place = WindowRect(box);
    PostMessageA(GetDlgItem(box, IDYES), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(Show("Do you wish to disable it again?", Buttons::kYesNo, run), Answer::kYes);
  EXPECT_TRUE(stillOpen);
  const POINT centre = Centre(place), ownerCentre = Centre(WindowRect(owner_));
  EXPECT_NEAR(centre.x, ownerCentre.x, 2);
  EXPECT_NEAR(centre.y, ownerCentre.y, 2);

  EXPECT_EQ(
      Show("Done", Buttons::kOk, {[] { PostMessageA(OpenBox(), WM_SYSCOMMAND, SC_CLOSE, 0); }}),
      Answer::kOk);
}

TEST_F(Win32PromptsTest, ATooTallTextScrollsInABoxThatKeepsItsButtonsAndKeysOnTheScreen) {
  std::string text;
  for (int line = 1; line <= 2000; ++line) {
    text += "Missing file Varokin\\Mods\\unit" + std::to_string(line) + ".fbi\n";
  }
  HWND box = nullptr;
  bool stillOpen = false;
  RECT place{};
  bool buttonsShown = false;
  int shownLength = 0;
  LONG_PTR textStyle = 0;
  auto run = EscapeThenClose(box, stillOpen);
  run.push_back([&] {
    place = WindowRect(box);
    buttonsShown = true;
    for (int id : {IDYES, IDNO}) {
      HWND button = GetDlgItem(box, id);
      buttonsShown = buttonsShown && button && IsWindowVisible(button) &&
                     Inside(WindowRect(button), place) && Inside(WindowRect(button), work_);
    }
    HWND area = FindWindowExA(box, nullptr, "EDIT", nullptr);
    textStyle = area ? GetWindowLongPtrA(area, GWL_STYLE) : 0;
    shownLength = area ? GetWindowTextLengthA(area) : 0;
    PostMessageA(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(Show(text, Buttons::kYesNo, run), Answer::kNo);
  EXPECT_TRUE(stillOpen);
  EXPECT_TRUE(buttonsShown);
  EXPECT_TRUE(Inside(place, work_));
  EXPECT_TRUE(textStyle & WS_VSCROLL);
  EXPECT_EQ(shownLength, static_cast<int>(text.size()) + 2000);  // each line end as CR LF
  const POINT centre = Centre(place), ownerCentre = Centre(WindowRect(owner_));
  EXPECT_NEAR(centre.x, ownerCentre.x, 2);

  // Where the box has Cancel, or OK alone, Escape and the close box answer it.
  EXPECT_EQ(Show(text, Buttons::kYesNoCancel, {[] { PressEscape(); }}), Answer::kCancel);
  EXPECT_EQ(Show(text, Buttons::kOk, {[] { PostMessageA(OpenBox(), WM_SYSCOMMAND, SC_CLOSE, 0); }}),
            Answer::kOk);
}

}  // namespace
}  // namespace varokin::ui::win32
