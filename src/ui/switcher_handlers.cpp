// The handlers that switch Total Conversions, AIs and Mutators from the lists and buttons.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/config_files.h"
#include "platform/clock.h"
#include "ui/switcher_dlg.h"

namespace varokin::ui {

namespace {

constexpr const char* kShutDown =
    "Please shut down Varokin immediately and fix whatever problems were reported";
constexpr const char* kForceWarning =
    " do you want to give up? \n\n    NO = try to force Varokin to use the default settings.  It "
    "probably won't work and may well screw things up worse.  You've been warned.";

// Yes: leave the modification active. No: forget it although its files may stay installed.
bool UserGivesUp(Prompts& prompts, const std::string& what) {
  return prompts.Message("Unable to safely unload " + what + kForceWarning, Buttons::kYesNo) ==
         Answer::kYes;
}

int PoolIndexOf(const ListBox& list, int row) { return static_cast<int>(list.GetItemData(row)); }

}  // namespace

bool CSwitcherDlg::RefuseWhileGameRuns() {
  return engine::RefuseWhileGameRuns(ctx_, frontEnd.processes);
}

void CSwitcherDlg::SwitchSingleMod(const SingleModList& mods, int row) {
  // Without a chosen row there is nothing to switch to.
  if (row < 0) return;
  if (RefuseWhileGameRuns()) {
    mods.list.SetCurSel(mods.lastPos);
    return;
  }
  const engine::JournalScope journal(ctx_.relocator.JournalOfMoves(), [&] {
    return (this->*mods.plan)(mods.current, PoolIndexOf(mods.list, row));
  });
  if (!journal.Started()) {
    mods.list.SetCurSel(mods.lastPos);
    ctx_.prompts.Message(journal.Problem());
    return;
  }
  if (!(this->*mods.unload)()) {
    mods.list.SetCurSel(mods.lastPos);
    ctx_.prompts.Message(kShutDown);
    return;
  }
  mods.current = PoolIndexOf(mods.list, row);
  if (!(this->*mods.load)()) {
    mods.list.SetCurSel(0);
    mods.current = engine::kNoMod;
    (this->*mods.load)();
  }
  mods.lastPos = mods.list.GetCurSel();
}

void CSwitcherDlg::OnSelchangeTcList() {
  engine::ModState& state = ctx_.state;
  SwitchSingleMod({c_.tcList, state.currentTc, state.lastTcListPos, &CSwitcherDlg::PlanTcSwitch,
                   &CSwitcherDlg::UnloadTc, &CSwitcherDlg::LoadTc},
                  c_.tcList.GetCurSel());
}

void CSwitcherDlg::OnSelchangeAiList() {
  engine::ModState& state = ctx_.state;
  SwitchSingleMod({c_.aiList, state.currentAi, state.lastAiListPos, &CSwitcherDlg::PlanAiSwitch,
                   &CSwitcherDlg::UnloadAi, &CSwitcherDlg::LoadAi},
                  c_.aiList.GetAnchorIndex());
}

void CSwitcherDlg::OnChooseRandomAi() {
  if (RefuseWhileGameRuns()) return;
  engine::ModState& state = ctx_.state;
  const int rows = c_.aiList.GetCount();
  std::vector<int> candidates;
  candidates.reserve(static_cast<std::size_t>(rows));
  std::string listing;
  if (c_.allowDefaultAi.IsChecked()) {
    candidates.push_back(0);
    listing += "     *Default AI*\r\n";
  }
  for (int row = 1; row < rows; ++row) {
    const std::string fileName = state.modNamePool.Get(PoolIndexOf(c_.aiList, row));
    if (!ctx_.fs.Exists(engine::ConfigPath(fileName))) continue;
    engine::ConfigReader reader(ctx_.fs, fileName);
    const std::string title = reader.ReadLine();
    reader.ReadLine();
    const std::string tags = reader.ReadLine();
    if (!state.IsCompatible(" " + tags + " ")) continue;
    candidates.push_back(row);
    listing += "     " + title + "\r\n";
  }
  if (candidates.empty()) {
    ctx_.prompts.Message(
        " I'm sorry, you have no AIs which claim to be compatible with the currently active "
        "TC\n\n  Using the Default AI");
    FallBackToDefaultAi();
    return;
  }

  const platform::WallTime now = platform::Now();
  std::srand(static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.seconds) *
                                        static_cast<std::uint64_t>(now.milliseconds)));
  const int picked = candidates[static_cast<std::size_t>(std::rand()) % candidates.size()];

  const engine::JournalScope journal(ctx_.relocator.JournalOfMoves(), [&] {
    return ai_.PlanSwitch(state.currentAi, PoolIndexOf(c_.aiList, picked));
  });
  if (!journal.Started()) {
    ctx_.prompts.Message(journal.Problem());
    return;
  }
  if (!UnloadAi()) {
    ctx_.prompts.Message(kShutDown);
    return;
  }
  state.currentAi = PoolIndexOf(c_.aiList, picked);
  if (LoadAi()) {
    c_.aiPane.SetText("Using a randomly selected AI that's compatible with " +
                      c_.tcList.GetText(c_.tcList.GetCurSel()) + ".\r\nCompatible AIs are:\r\n" +
                      listing);
    // Which AI was picked stays a surprise until the game starts.
    c_.aiList.SetCurSel(-1);
    state.lastAiListPos = picked;
  } else {
    c_.aiList.SetCurSel(0);
    state.currentAi = engine::kNoMod;
    state.lastAiListPos = 0;
    LoadAi();
  }
}

void CSwitcherDlg::FallBackToDefaultAi() {
  engine::ModState& state = ctx_.state;
  const engine::JournalScope journal(ctx_.relocator.JournalOfMoves(), [&] {
    return ai_.PlanSwitch(state.currentAi, engine::kNoMod);
  });
  if (!journal.Started()) {
    c_.aiList.SetCurSel(state.lastAiListPos);
    ctx_.prompts.Message(journal.Problem());
    return;
  }
  if (!UnloadAi()) {
    c_.aiList.SetCurSel(state.lastAiListPos);
    ctx_.prompts.Message(kShutDown);
    return;
  }
  state.currentAi = engine::kNoMod;
  LoadAi();
  c_.aiList.SetCurSel(0);
  state.lastAiListPos = 0;
}

void CSwitcherDlg::OnSelchangeMutatorList() {
  engine::ModState& state = ctx_.state;
  const int row = c_.mutatorList.GetAnchorIndex();
  if (row < 0) return;
  const int poolIndex = PoolIndexOf(c_.mutatorList, row);
  int active = -1;
  for (int slot = 0; slot < engine::kMutatorSlotCount && active < 0; ++slot) {
    if (state.mutatorSlots[slot] == poolIndex) active = slot;
  }

  if (RefuseWhileGameRuns()) {
    c_.mutatorList.SetSel(row, active >= 0);
    return;
  }
  if (active < 0) {
    const int slot = state.AddMutatorSlot(poolIndex);
    if (slot < 0) {
      c_.mutatorList.SetSel(row, false);
      ctx_.prompts.Message("No more than 32 Mutators can be active at the same time.");
    } else {
      const bool loaded = LoadMutator(slot);
      if (!loaded) {
        for (int& held : state.mutatorSlots) {
          if (held == poolIndex) held = -1;
        }
      }
      c_.mutatorList.SetSel(row, loaded);
    }
  } else if (UnloadMutator(active)) {
    c_.mutatorList.SetSel(row, false);
  } else {
    c_.mutatorList.SetSel(row, true);
    ctx_.prompts.Message(kShutDown);
  }

  if (c_.mutatorList.GetSelCount() <= 0) c_.mutatorPane.SetText("No Mutators Currently Selected");
}

void CSwitcherDlg::OnDisableAll() {
  if (RefuseWhileGameRuns()) return;
  engine::ModState& state = ctx_.state;
  Prompts& prompts = ctx_.prompts;

  {
    const engine::JournalScope journal(ctx_.relocator.JournalOfMoves(), [&] {
      return tc_.PlanSwitch(state.currentTc, engine::kNoMod);
    });
    if (!journal.Started()) {
      prompts.Message(journal.Problem());
      return;
    }
    if (UnloadTc() || !UserGivesUp(prompts, "the current TC,")) {
      c_.tcList.SetCurSel(0);
      state.currentTc = engine::kNoMod;
      state.lastTcListPos = 0;
      LoadTc();
    }
  }

  c_.mutatorList.SetSel(-1, false);
  for (int slot = 0; slot < engine::kMutatorSlotCount; ++slot) {
    const int poolIndex = state.mutatorSlots[slot];
    if (poolIndex == -1 || UnloadMutator(slot)) continue;
    if (UserGivesUp(prompts, "the Mutator " + state.GetMutatorName(slot))) {
      for (int row = 0; row < c_.mutatorList.GetCount(); ++row) {
        if (PoolIndexOf(c_.mutatorList, row) == poolIndex) c_.mutatorList.SetSel(row, true);
      }
    } else {
      state.mutatorSlots[slot] = -1;
      ctx_.settings.Write(settings::MutatorSlot(slot), "");
    }
  }

  const engine::JournalScope journal(ctx_.relocator.JournalOfMoves(), [&] {
    return ai_.PlanSwitch(state.currentAi, engine::kNoMod);
  });
  if (!journal.Started()) {
    prompts.Message(journal.Problem());
    return;
  }
  if (UnloadAi() || !UserGivesUp(prompts, "the current Ai,")) {
    c_.aiList.SetCurSel(0);
    state.currentAi = engine::kNoMod;
    state.lastAiListPos = 0;
    LoadAi();
  }

  if (c_.ufoList.GetSelCount() <= 0) c_.ufoPane.SetText("No Units Currently Selected");
  if (c_.mutatorList.GetSelCount() <= 0) c_.mutatorPane.SetText("No Mutators Currently Selected");
}

}  // namespace varokin::ui
