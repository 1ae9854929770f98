// Enabling and disabling UFOs one by one and by pack, from the lists of the units tab.
#include <string>
#include <unordered_set>

#include "engine/config_files.h"
#include "platform/line_reader.h"
#include "platform/text.h"
#include "ui/switcher_dlg.h"
#include "ui/ufo_files.h"

namespace varokin::ui {

namespace {

std::string EnabledPlace(const std::string& ufoName) { return ufoName + ".ufo"; }
std::string DisabledPlace(const std::string& ufoName) { return kUfoFolder + ufoName + ".ufo"; }

// A UFO without a description file says so whatever the caller asked for.
void ShowUfoDescription(TextControl& pane, const std::string& ufoName,
                        const UfoDescription& description, bool showDescription) {
  if (!description.exists) {
    pane.SetText(ufoName + ":\r\n" + "No description available");
  } else if (showDescription) {
    pane.SetText(ufoName + ":\r\n" + description.text);
  }
}

}  // namespace

bool CSwitcherDlg::EnableUfo(int index, bool showDescription) {
  engine::Relocator& relocator = ctx_.relocator;
  relocator.movePrefix = "Error enabling .ufo file\n\n";
  relocator.moveSuffix.clear();
  const std::string ufoName = c_.ufoList.GetText(index);
  const bool kept = ctx_.fs.Exists(DisabledPlace(ufoName));
  if (!kept && !ctx_.fs.Exists(EnabledPlace(ufoName))) {
    c_.ufoList.SetSel(index, false);
    return false;
  }
  c_.ufoList.SetSel(index, true);

  const UfoDescription description = ReadUfoDescription(ctx_.fs, ufoName, showDescription);
  ShowUfoDescription(c_.ufoPane, ufoName, description, showDescription);
  if (kept) {
    if (!ctx_.state.IsCompatible(" " + description.tags + " ") &&
        ctx_.prompts.Message("This .UFO file (" + ufoName +
                                 ".ufo) does not claim to be compatible with your current "
                                 "TC.\n\nDo you wish to disable it again?  (Recommended)",
                             Buttons::kYesNo) == Answer::kYes) {
      c_.ufoList.SetSel(index, false);
      return false;
    }
    // Whether a copy lies in the TA folder afterwards decides, not the move itself.
    relocator.MoveChecked(DisabledPlace(ufoName), EnabledPlace(ufoName));
  }
  if (ctx_.fs.Exists(EnabledPlace(ufoName))) return true;
  c_.ufoList.SetSel(index, false);
  return false;
}

bool CSwitcherDlg::DisableUfo(int index, bool showDescription) {
  engine::Relocator& relocator = ctx_.relocator;
  relocator.movePrefix = "Error disabling .ufo file\n\n";
  relocator.moveSuffix.clear();
  const std::string ufoName = c_.ufoList.GetText(index);
  if (ctx_.fs.Exists(EnabledPlace(ufoName)) &&
      !relocator.MoveChecked(EnabledPlace(ufoName), DisabledPlace(ufoName))) {
    c_.ufoList.SetSel(index, true);
    return false;
  }
  c_.ufoList.SetSel(index, false);
  for (int pack : ctx_.packMembership.PacksNaming(ufoName)) c_.packList.SetSel(pack, false);
  ShowUfoDescription(c_.ufoPane, ufoName, ReadUfoDescription(ctx_.fs, ufoName, showDescription),
                     showDescription);
  return true;
}

void CSwitcherDlg::OnSelchangeUfoList() {
  const int row = c_.ufoList.GetAnchorIndex();
  if (row < 0 || row >= c_.ufoList.GetCount()) return;
  const std::string ufoName = c_.ufoList.GetText(row);
  if (ctx_.fs.Exists(DisabledPlace(ufoName))) {
    EnableUfo(row, true);
    SyncUfoSelection();
  } else if (ctx_.fs.Exists(EnabledPlace(ufoName))) {
    DisableUfo(row, true);
  } else {
    ctx_.prompts.Message(ufoName +
                         ".ufo has dissappeared.  It was present when Varokin was started.");
  }
  if (c_.ufoList.GetSelCount() <= 0) c_.ufoPane.SetText("No Units Currently Selected");
}

void CSwitcherDlg::OnSelchangePackList() {
  const int pack = c_.packList.GetAnchorIndex();
  if (pack < 0 || pack >= c_.packList.GetCount()) return;
  const bool selected = c_.packList.GetSel(pack);
  const engine::PackMembership& packs = ctx_.packMembership;
  // A UFO listed from both folders has two rows; it is switched once, as one file.
  std::unordered_set<std::string> switched;
  for (int ufo = 0; ufo < c_.ufoList.GetCount(); ++ufo) {
    const std::string ufoName = c_.ufoList.GetText(ufo);
    if (!packs.Names(pack, ufoName) || !switched.insert(platform::LowerCase(ufoName)).second)
      continue;
    if (selected) {
      EnableUfo(ufo, false);
    } else {
      DisableUfo(ufo, false);
    }
  }
  if (selected) SyncUfoSelection();

  const std::string fileName =
      ctx_.state.modNamePool.Get(static_cast<int>(c_.packList.GetItemData(pack)));
  platform::LineReader reader(ctx_.fs, kUfoFolder + fileName);
  const std::string title = reader.ReadLine();
  const std::string description = reader.ReadLine();
  c_.ufoPane.SetText(engine::DescriptionPane(title, description, fileName));
}

}  // namespace varokin::ui
