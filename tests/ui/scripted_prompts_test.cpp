#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varokin::fixtures {
namespace {

// Collects what the script reports instead of failing, so the reports themselves can be checked.
struct Recorder {
  ScriptedPrompts prompts;
  std::vector<std::string> problems;
  Recorder() {
    prompts.onUnexpected = [this](const std::string& p) { problems.push_back(p); };
  }
  Prompts& AsPrompts() { return prompts; }
};

TEST(ScriptedPrompts, UnexpectedOrMisscriptedMessagesAreReportedAndAnsweredWithTheLastButton) {
  Recorder r;
  EXPECT_EQ(r.AsPrompts().Message("Overwrite?", Buttons::kYesNo), Answer::kNo);
  EXPECT_EQ(r.AsPrompts().Message("Save?", Buttons::kYesNoCancel), Answer::kCancel);
  EXPECT_EQ(r.AsPrompts().Message("Note"), Answer::kOk);
  EXPECT_EQ(r.AsPrompts().OpenFile(FileDialogRequest{}), std::nullopt);
  ASSERT_EQ(r.problems.size(), 4u);
  EXPECT_NE(r.problems[0].find("Overwrite?"), std::string::npos);

  // A message out of turn does not use up the one the script waits for.
  r.problems.clear();
  r.prompts.Expect("First", Answer::kYes);
  EXPECT_EQ(r.AsPrompts().Message("Second", Buttons::kYesNo), Answer::kNo);
  EXPECT_EQ(r.problems.size(), 1u);
  EXPECT_EQ(r.prompts.Pending(), 1u);
  EXPECT_EQ(r.AsPrompts().Message("First", Buttons::kYesNo), Answer::kYes);
  EXPECT_EQ(r.problems.size(), 1u);
  EXPECT_EQ(r.prompts.Messages().size(), 5u);

  // Other buttons than the script says: reported, and the scripted message still waits.
  r.prompts.Expect("Sure?", Answer::kYes, Buttons::kYesNoCancel);
  EXPECT_EQ(r.AsPrompts().Message("Sure?", Buttons::kYesNo), Answer::kNo);
  EXPECT_EQ(r.problems.size(), 2u);
  EXPECT_EQ(r.prompts.Pending(), 1u);

  // Expecting the text only, with the default OK answer, for a Yes/No question is a script error.
  Recorder s;
  s.prompts.Expect("Really?");
  EXPECT_EQ(s.AsPrompts().Message("Really?", Buttons::kYesNo), Answer::kNo);
  EXPECT_EQ(s.problems.size(), 1u);
  EXPECT_EQ(s.prompts.Pending(), 0u);
}

}  // namespace
}  // namespace varokin::fixtures
