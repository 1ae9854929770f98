// varokin-console killed with SIGKILL in the middle of switching a Total Conversion of 2,000
// rename pairs: no file may be lost or doubled, the next start must report the half-moved TC, and
// the player must be able to put things right by that report.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "support/console/console_fixture.h"

namespace varokin::testing {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kPairs = 2000;
constexpr char kTc[] = "][Big.tc";

std::string Number(int k) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%04d", k);
  return digits;
}
std::string StoredName(int k) { return "Big" + Number(k) + ".dat"; }
std::string Stored(int k) { return "Varokin\\" + StoredName(k); }
std::string Installed(int k) {
  return k % 2 ? "big" + Number(k) + ".hpi" : "units\\big" + Number(k) + ".fbi";
}

// The kill lands once pair `after` has moved, in the switch into the TC or out of it.
struct KillPoint {
  const char* name;
  bool out;
  int after;
};
const KillPoint kPoints[] = {
    {"in, early", false, 100},
    {"in, middle", false, 1000},
    {"in, late", false, 1500},
    {"out, middle", true, 1000},
};

// One TA folder for every point: each ends with every file back where it was at the start.
class KillMidSwitch : public ConsoleFixture {
 protected:
  void SetUp() override {
    ConsoleFixture::SetUp();
    ta.Game();
    ta.Folder("units");
    std::vector<fixtures::TcPair> pairs;
    for (int k = 1; k <= kPairs; ++k) {
      // Every 250th payload is a large archive, told apart by its size; the others by their text.
      if (k % 250 == 0) ta.File(Stored(k), (64ull << 20) + k);
      pairs.push_back({StoredName(k), Installed(k)});
    }
    ta.Tc("Big", "Big Conversion", "Two thousand##files", "BIG", pairs);
    original = ta.Inventory();
  }

  // Whether pair k is in the TA folder once `moved` pairs of the switch have moved.
  bool In(int k) const { return out ? k > moved : k <= moved; }
  fixtures::FileInventory Expected() const {
    fixtures::FileInventory expected = original;
    for (int k = 1; k <= kPairs; ++k) {
      if (!In(k)) continue;
      auto entry = expected.extract(Stored(k));
      entry.key() = Installed(k);
      expected.insert(std::move(entry));
    }
    return expected;
  }
  // The pairs whose file is at the switch's destination; each file must be at one of its names.
  int CountMoved() {
    int count = 0;
    for (int k = 1; k <= kPairs; ++k) {
      const bool stored = ta.Exists(Stored(k));
      EXPECT_NE(stored, ta.Exists(Installed(k))) << "pair " << k;
      if (stored == out) ++count;
    }
    return count;
  }
  // Everything in the test's home but the TA folder, lock files by their kind.
  std::set<std::string> Outside() const {
    std::set<std::string> names;
    for (auto it = fs::recursive_directory_iterator(home); it != fs::recursive_directory_iterator();
         ++it) {
      if (it->path() == ta.Root()) {
        it.disable_recursion_pending();
        continue;
      }
      const fs::path relative = it->path().lexically_relative(home);
      names.insert(relative.extension() == ".lock" ? "lock" : relative.generic_string());
    }
    return names;
  }

  // Starts the console on script and kills it once the file `mark` exists. It runs in short
  // spells and is looked at only while stopped, so the kill lands on the state seen.
  void KillWhenMoved(const std::string& script, const std::string& mark) {
    const Clock::time_point start = Clock::now();
    ChildProcess console(VAROKIN_CONSOLE, {}, home / "output.txt");
    ASSERT_TRUE(console.Started());
    console.Write(script);
    for (;;) {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
      ASSERT_TRUE(console.Pause()) << "the program ended before " << mark << " moved";
      if (ta.Exists(mark)) break;
      console.Resume();  // first: a stopped program would never end when the test gives up
      ASSERT_LT(Clock::now() - start, std::chrono::seconds(20)) << mark << " never moved";
    }
    ASSERT_TRUE(console.Kill());
    killedAfter = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  }

  fixtures::FileInventory original;
  bool out = false;
  int moved = 0;
  double killedAfter = 0;
};

TEST_F(KillMidSwitch, LosesNoFileAndTheNextStartFinishesOrUndoesTheSwitch) {
  for (const KillPoint& point : kPoints) {
    SCOPED_TRACE(point.name);
    out = point.out;
    if (point.out) {
      ASSERT_EQ(Run("tab 0\nclick 1008 1\npress 1\n"), 0);
      ASSERT_EQ(output, "");
      ASSERT_EQ(Setting("Previous Settings", "TC"), kTc);
    }
    ASSERT_NO_FATAL_FAILURE(
        KillWhenMoved(point.out ? "tab 0\nclick 1008 0\n" : "tab 0\nclick 1008 1\n",
                      point.out ? Stored(point.after) : Installed(point.after)));
    moved = CountMoved();
    std::printf("%s: killed %.1f ms after the start, %d of %d pairs moved\n", point.name,
                killedAfter, moved, kPairs);
    ASSERT_LT(moved, kPairs) << "the switch had finished before the kill landed";
    // Every file once, with its size and contents, beside the switch's journal.
    fixtures::FileInventory found = ta.Inventory();
    EXPECT_EQ(found.erase("Varokin\\Journal.txt"), 1u);
    EXPECT_EQ(found, Expected());
    EXPECT_EQ(Outside(), (std::set<std::string>{"output.txt", "varokin", "varokin/Varokin.INI",
                                                "varokin/folders"}));
    EXPECT_EQ(Setting("Previous Settings", "TC"), kTc);

    // The next start offers to finish or undo the switch before its check, the points taking
    // turns at the two answers. Either ends with every pair on one side, the settings naming
    // what is in place, and a start after it without a message.
    const bool finish = (&point - kPoints) % 2 == 0;
    ASSERT_EQ(Run(finish ? "yes\n" : "no\n"), 0);
    EXPECT_NE(output.find(" was interrupted after "), std::string::npos) << output;
    EXPECT_NE(output.find("Yes: Finish. No: Undo. Cancel: Leave it."), std::string::npos);
    EXPECT_FALSE(ta.Exists("Varokin\\Journal.txt"));
    const bool tcIn = point.out != finish;
    EXPECT_EQ(Setting("Previous Settings", "TC"), tcIn ? kTc : "none");
    out = !tcIn;  // every pair on the one side
    moved = kPairs;
    EXPECT_EQ(ta.Inventory(), Expected());
    ASSERT_EQ(Run(""), 0);
    EXPECT_EQ(output, "");

    if (tcIn) {
      ASSERT_EQ(Run("tab 0\nclick 1008 0\n"), 0);
      EXPECT_EQ(output, "");
      EXPECT_EQ(Setting("Previous Settings", "TC"), "none");
    }
    ASSERT_EQ(ta.Inventory(), original);
  }
}

}  // namespace
}  // namespace varokin::testing
