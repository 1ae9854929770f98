// The units tab: rows of the UFO and pack lists mapped to the names the engine switches, and what
// it answers shown in the rows and the pane.
#include <string>
#include <unordered_map>

#include "platform/text.h"
#include "ui/switcher_dlg.h"

namespace varokin::ui {

std::string CSwitcherDlg::PackFileOf(int row) const {
  return ctx_.state.modNamePool.Get(static_cast<int>(c_.packList.GetItemData(row)));
}

std::vector<std::string> CSwitcherDlg::ListedUfos() const {
  std::vector<std::string> listed;
  listed.reserve(static_cast<std::size_t>(c_.ufoList.GetCount()));
  for (int row = 0; row < c_.ufoList.GetCount(); ++row) listed.push_back(c_.ufoList.GetText(row));
  return listed;
}

void CSwitcherDlg::ShowUfo(int row, const engine::UfoShown& shown) {
  c_.ufoList.SetSel(row, shown.enabled);
  if (!shown.packsLeft.empty()) {
    for (int pack = 0; pack < c_.packList.GetCount(); ++pack) {
      for (const std::string& left : shown.packsLeft) {
        if (PackFileOf(pack) == left) {
          c_.packList.SetSel(pack, false);
        }
      }
    }
  }
  if (shown.pane) c_.ufoPane.SetText(*shown.pane);
}

void CSwitcherDlg::OnSelchangeUfoList() {
  const int row = c_.ufoList.GetAnchorIndex();
  if (row < 0 || row >= c_.ufoList.GetCount()) return;
  if (RefuseWhileGameRuns()) {
    SyncUfoSelection();
    return;
  }
  if (const std::optional<engine::UfoShown> shown = ufos_.Switch(c_.ufoList.GetText(row))) {
    ShowUfo(row, *shown);
    if (shown->enabling) SyncUfoSelection();
  }
  if (c_.ufoList.GetSelCount() <= 0) c_.ufoPane.SetText("No Units Currently Selected");
}

void CSwitcherDlg::OnSelchangePackList() {
  const int pack = c_.packList.GetAnchorIndex();
  if (pack < 0 || pack >= c_.packList.GetCount()) return;
  if (RefuseWhileGameRuns()) {
    SyncUfoSelection();
    return;
  }
  const bool selected = c_.packList.GetSel(pack);
  const engine::PackShown shown = ufos_.SwitchPack(PackFileOf(pack), selected);
  // A UFO listed from both folders shows what became of it on its first row.
  std::unordered_map<std::string, int> rows;
  for (int row = c_.ufoList.GetCount() - 1; row >= 0; --row) {
    rows[platform::LowerCase(c_.ufoList.GetText(row))] = row;
  }
  for (const auto& [ufo, ufoShown] : shown.ufos) {
    const auto row = rows.find(platform::LowerCase(ufo));
    if (row != rows.end()) ShowUfo(row->second, ufoShown);
  }
  if (selected || shown.refused) SyncUfoSelection();
  c_.ufoPane.SetText(shown.pane);
}

void CSwitcherDlg::SyncUfoSelection() { ShowUfoSelection(ufos_.Selection()); }

void CSwitcherDlg::SyncUfoSelection(const std::vector<std::string>& enabledUfoFiles) {
  ShowUfoSelection(ufos_.Selection(enabledUfoFiles));
}

void CSwitcherDlg::ShowUfoSelection(const engine::UfoSelection& selection) {
  c_.ufoList.SetSel(-1, true);
  c_.packList.SetSel(-1, true);
  for (int row = 0; row < c_.ufoList.GetCount(); ++row) {
    if (!selection.Enabled(c_.ufoList.GetText(row))) c_.ufoList.SetSel(row, false);
  }
  for (int row = 0; row < c_.packList.GetCount(); ++row) {
    if (!selection.Whole(PackFileOf(row))) c_.packList.SetSel(row, false);
  }
}

}  // namespace varokin::ui
