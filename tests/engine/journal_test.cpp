#include "engine/journal.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/journal_repair.h"
#include "support/engine/switching_fixture.h"

namespace varokin::engine {
namespace {

const std::string kQuestionEnd = "\n\nFinish it, undo it, or leave the files as they are?";

class InterruptedSwitch : public engine_tests::Switching {
 protected:
  // Three moves of a Mutator's payloads planned, the first made, the second made or skipped as a
  // move the user declined, the program then gone.
  void CutShortAfterTwoMoves(bool declinedSecond = false) {
    JournalPlan plan;
    // A tab from a mod's title would split the record's line: it is read back as a blank.
    plan.what = "Loading the Mutator\tFast";
    for (const char* name : {"a", "b", "c"}) {
      ta.Text(std::string("Varokin\\") + name, name);
      plan.moves.push_back({std::string("Varokin\\") + name, name});
    }
    plan.finished.push_back(Planned(settings::MutatorSlot(0), "}{Fast.vkn"));
    plan.undone.push_back(Planned(settings::MutatorSlot(0), ""));
    // Its own moves, whose journal the program's end lets go of.
    Relocator cut(fs, prompts, startup);
    ASSERT_TRUE(cut.JournalOfMoves().Begin(plan));
    ASSERT_TRUE(cut.MoveChecked("Varokin\\a", "a", {}));
    if (declinedSecond) {
      cut.JournalOfMoves().MoveSkipped();
    } else {
      ASSERT_TRUE(cut.MoveChecked("Varokin\\b", "b", {}));
    }
  }
  // listed: the report of the files left alone that follows the answer.
  void Repair(Answer answer, const std::string& listed = "") {
    prompts.Expect("Loading the Mutator Fast was interrupted after 2 of 3 moves." + kQuestionEnd,
                   answer, Buttons::kFinishUndoLeave);
    if (!listed.empty()) ExpectMessage(listed);
    RepairInterrupted(fs, prompts, settings, startup);
  }
};

// Finish and Undo end with the settings that match and list what is in neither place.
TEST_F(InterruptedSwitch, LeftForTheNextStartThenFinishedOrUndoneAsThePlanSays) {
  CutShortAfterTwoMoves();
  Repair(Answer::kCancel);
  EXPECT_TRUE(ta.Exists("a") && ta.Exists("Varokin\\c") && ta.Exists(kJournalPath));
  // Neither where it started nor where it should go: listed, and the rest is put back.
  ASSERT_TRUE(fs.Rename("a", "elsewhere"));
  Repair(Answer::kNo,
         "These files were neither where they started nor where they should go, so Varokin left "
         "them alone:\n\n-> a (to go to Varokin\\a)\n");
  EXPECT_TRUE(ta.Exists("Varokin\\b") && ta.Exists("Varokin\\c") && !ta.Exists("b"));
  EXPECT_EQ(Setting("Active Mutators", "Mutator 0"), "");
  EXPECT_FALSE(ta.Exists(kJournalPath));

  // A move the user declined (a UFO of a pack kept disabled) is not made when finishing.
  CutShortAfterTwoMoves(true);
  Repair(Answer::kYes);
  EXPECT_TRUE(ta.Exists("a") && ta.Exists("Varokin\\b") && ta.Exists("c"));
  EXPECT_FALSE(ta.Exists(kJournalPath));
  EXPECT_EQ(Setting("Active Mutators", "Mutator 0"), "}{Fast.vkn");
}

TEST_F(InterruptedSwitch, AJournalThatCannotBeReadOrLeadsOutsideIsReportedAndIgnored) {
  const std::string ignored =
      "The file Varokin\\Journal.txt records an operation that was cut short, but it cannot be "
      "read or names files outside your TA directory. Varokin ignores it.";
  ta.Text("Varokin\\a", "a");
  for (const std::string text :
       {"not a journal\n", "Varokin journal 1\nwhat\tx\nmove\tC\t..\\..\\home\ta\nplan end\nM\n",
        "Varokin journal 1\nwhat\tx\nmove\tC\tVarokin\\a\ta\nplan end\nM\nR\tVarokin\\a\tC:\\a\n",
        "Varokin journal 1\nwhat\tx\nfinished\tVarokin\tFirst Use\t1\nplan end\n",
        // Cut off before its plan ends: not written by us, as the plan is written whole.
        "Varokin journal 1\nwhat\tx\nmove\tC\tVarokin\\a\ta\n"}) {
    ta.Text(kJournalPath, text);
    ExpectMessage(ignored);
    RepairInterrupted(fs, prompts, settings, startup);
    EXPECT_TRUE(ta.Exists("Varokin\\a")) << text;
    EXPECT_TRUE(ta.Exists(kJournalPath)) << text;
  }
}

}  // namespace
}  // namespace varokin::engine
