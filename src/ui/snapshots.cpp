// Snapshots from the settings menu: the engine saves and restores them; the window lends it its
// lists' files and its switches, and shows what was restored.
#include <string>
#include <vector>

#include "ui/switcher_dlg.h"

namespace varokin::ui {

namespace {

std::vector<int> PoolIndices(const ListBox& list) {
  std::vector<int> indices;
  for (int row = 0; row < list.GetCount(); ++row) {
    indices.push_back(static_cast<int>(list.GetItemData(row)));
  }
  return indices;
}

int RowOf(const ListBox& list, int poolIndex) {
  for (int row = 0; row < list.GetCount(); ++row) {
    if (static_cast<int>(list.GetItemData(row)) == poolIndex) return row;
  }
  return 0;
}

}  // namespace

void CSwitcherDlg::OnTakeSnapshot() { snapshots_.Take(); }

void CSwitcherDlg::OnRestoreSnapshot() {
  if (RefuseWhileGameRuns()) return;
  const std::optional<engine::Snapshot> snapshot = snapshots_.Open();
  if (!snapshot) return;
  OnDisableAll();
  engine::ModState& state = ctx_.state;
  engine::SnapshotSwitches switches{
      .tcs = PoolIndices(c_.tcList),
      .mutators = PoolIndices(c_.mutatorList),
      .ais = PoolIndices(c_.aiList),
      .loadTc = [this] { return LoadTc(); },
      .loadAi = [this] { return LoadAi(); },
      .loadMutator = [this](int slot) { return LoadMutator(slot); },
      .show =
          [this, &state] {
            c_.tcList.SetCurSel(RowOf(c_.tcList, state.currentTc));
            state.lastTcListPos = c_.tcList.GetCurSel();
            for (int row = 0; row < c_.mutatorList.GetCount(); ++row) {
              bool active = false;
              for (int held : state.mutatorSlots) {
                active = active || held == static_cast<int>(c_.mutatorList.GetItemData(row));
              }
              c_.mutatorList.SetSel(row, active);
            }
            c_.aiList.SetCurSel(RowOf(c_.aiList, state.currentAi));
            state.lastAiListPos = c_.aiList.GetCurSel();
            SyncUfoSelection();
          }};
  snapshots_.Restore(*snapshot, switches);
}

}  // namespace varokin::ui
