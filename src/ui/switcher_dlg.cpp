#include "ui/switcher_dlg.h"

#include <algorithm>
#include <array>

#include "engine/config_files.h"
#include "engine/ufo_files.h"
#include "ui/main_window_layout.h"

namespace varokin::ui {

namespace {

constexpr std::array<const char*, 4> kTabNames = {"Total Conversions", "Mutators", "AIs",
                                                  "Units, Etc. (.ufo)"};

}  // namespace

CSwitcherDlg::CSwitcherDlg(engine::Context& ctx, MainWindowControls& controls)
    : ctx_(ctx), c_(controls), tc_(ctx), ai_(ctx), mutators_(ctx), ufos_(ctx), snapshots_(ctx) {}

void CSwitcherDlg::Show(const engine::ShownText& shown, TextControl& pane) {
  if (shown.title) c_.currentTcLabel.SetText(*shown.title);
  if (shown.description) pane.SetText(*shown.description);
}

bool CSwitcherDlg::LoadTc() {
  const bool loaded = tc_.LoadTc();
  Show(tc_.Shown(), c_.tcPane);
  return loaded;
}

bool CSwitcherDlg::UnloadTc() {
  const bool unloaded = tc_.UnloadTc();
  Show(tc_.Shown(), c_.tcPane);
  return unloaded;
}

bool CSwitcherDlg::LoadAi() {
  const bool loaded = ai_.LoadAi();
  Show(ai_.Shown(), c_.aiPane);
  return loaded;
}

bool CSwitcherDlg::UnloadAi() {
  const bool unloaded = ai_.UnloadAi();
  Show(ai_.Shown(), c_.aiPane);
  return unloaded;
}

bool CSwitcherDlg::LoadMutator(int slot) {
  const bool loaded = mutators_.LoadMutator(slot);
  Show(mutators_.Shown(), c_.mutatorPane);
  return loaded;
}

bool CSwitcherDlg::UnloadMutator(int slot) {
  const bool unloaded = mutators_.UnloadMutator(slot);
  Show(mutators_.Shown(), c_.mutatorPane);
  return unloaded;
}

void CSwitcherDlg::FitColumns() {
  // The three lists share one rectangle, so they measure by the Mutator list's width. A column is
  // a third of it at the least, as wide as the longest name with a gap after it, and no wider
  // than the list.
  constexpr int kGap = 8;
  const int width = c_.mutatorList.GetWidthPixels();
  for (ListBox* list : {&c_.tcList, &c_.mutatorList, &c_.aiList}) {
    int longest = 0;
    for (int row = 0; row < list->GetCount(); ++row) {
      longest = std::max(longest, list->GetTextWidthPixels(list->GetText(row)));
    }
    list->SetColumnWidth(std::min(std::max(longest + kGap, width / 3), width));
  }
}

void CSwitcherDlg::OnSize() { FitColumns(); }

bool CSwitcherDlg::OnInitDialog() {
  const engine::StartupState& startup = ctx_.startup;
  c_.menuDisableFileWarnings.SetChecked(!startup.warnModifiedFiles);
  c_.menuDisableCustomExeWarning.SetChecked(!startup.warnCustomExe);
  c_.menuCcInstalled.SetChecked(startup.ccInstalled);
  // Start-up has made the TA folder the working directory.
  c_.taFolderLabel.SetText("TA folder: " + ctx_.fs.CurrentDir());

  settings::SettingsStore& settings = ctx_.settings;
  c_.allowDefaultAi.SetChecked(settings.Get(settings::kAllowDefaultAi) != 0);
  c_.menuAutoLaunchTahook.SetChecked(settings.Get(settings::kUseTahook) != 0);
  c_.menuDontAskCompile.SetChecked(settings.Get(settings::kCompileMonolithic) == 0);
  c_.menuDontConfigureIcq.SetChecked(settings.Get(settings::kConfigureIcq) == 0);

  int tab = 0;
  for (const char* name : kTabNames) c_.tabs.InsertItem(tab++, name);
  selectedTab = settings.Get(settings::kSelectedTab);
  // A tab number the tab control would refuse (a hand-edited settings file) shows the first tab.
  if (selectedTab < 0 || selectedTab >= c_.tabs.GetItemCount()) selectedTab = 0;
  c_.tabs.SetCurSel(selectedTab);
  OnSelchangeTab();

  ScanCatalogue();
  FitColumns();
  ShowCurrentAi();
  return true;
}

void CSwitcherDlg::ShowCurrentAi() {
  const int row = c_.aiList.GetCurSel();
  // A random choice is kept from the player, and so is the row it selected.
  c_.currentAiLabel.SetText(row == ListBox::kError ? "(random)" : c_.aiList.GetText(row));
}

void CSwitcherDlg::OnSelchangeTab() {
  for (Control* control :
       std::array<Control*, 9>{&c_.tcList, &c_.mutatorList, &c_.aiList, &c_.packList, &c_.ufoList,
                               &c_.tcPane, &c_.mutatorPane, &c_.aiPane, &c_.ufoPane}) {
    control->Show(false);
  }
  const int tab = c_.tabs.GetCurSel();
  if (tab >= 0 && tab < static_cast<int>(filters_.size()))
    c_.filter.SetText(filters_[static_cast<std::size_t>(tab)]);
  switch (tab) {
    case 0:
      c_.tcList.Show(true);
      c_.tcPane.Show(true);
      selectedTab = 0;
      break;
    case 1:
      c_.mutatorList.Show(true);
      c_.mutatorPane.Show(true);
      selectedTab = 1;
      break;
    case 2:
      c_.aiList.Show(true);
      c_.aiPane.Show(true);
      selectedTab = 2;
      break;
    case 3:
      c_.packList.Show(true);
      c_.ufoList.Show(true);
      c_.ufoPane.Show(true);
      // UFO files may have been moved by hand while another tab was shown.
      SyncUfoSelection();
      selectedTab = 3;
      break;
    default:
      break;
  }
}

void CSwitcherDlg::OnChangeFilter() {
  const std::string text = c_.filter.GetText();
  switch (c_.tabs.GetCurSel()) {
    case 0:
      c_.tcList.SetFilter(text);
      break;
    case 1:
      c_.mutatorList.SetFilter(text);
      break;
    case 2:
      c_.aiList.SetFilter(text);
      break;
    case 3:
      c_.packList.SetFilter(text);
      c_.ufoList.SetFilter(text);
      break;
    default:
      return;
  }
  filters_[static_cast<std::size_t>(c_.tabs.GetCurSel())] = text;
}

std::string CSwitcherDlg::NameTip(int listId, int row) {
  constexpr int kTipLines = 3;
  ListBox* list = listId == kIdTcList        ? &c_.tcList
                  : listId == kIdMutatorList ? &c_.mutatorList
                  : listId == kIdAiList      ? &c_.aiList
                  : listId == kIdPackList    ? &c_.packList
                  : listId == kIdUfoList     ? &c_.ufoList
                                             : nullptr;
  if (list == nullptr || row < 0 || row >= list->GetCount()) return "";
  std::string tip = list->GetText(row);
  std::string description;
  const auto mod = static_cast<int>(list->GetItemData(row));
  if (listId == kIdUfoList) {
    description = engine::ReadUfoDescription(ctx_.fs, tip, true).text;
  } else if (listId != kIdPackList && mod != engine::kNoMod) {
    engine::ConfigReader config(ctx_.fs, ctx_.state.modNamePool.Get(mod));
    if (config.IsOpen()) {
      config.ReadLine();
      description = engine::DecodeDescription(config.ReadLine());
    }
  }
  std::size_t end = 0;
  for (int line = 0, from = 0; line < kTipLines; ++line) {
    end = description.find("\r\n", static_cast<std::size_t>(from));
    if (end == std::string::npos) break;
    from = static_cast<int>(end) + 2;
  }
  if (end != std::string::npos) description.resize(end);
  if (!description.empty()) tip += "\r\n" + description;
  return tip;
}

void CSwitcherDlg::SaveWindowState() {
  ctx_.settings.Write(settings::kSelectedTab, selectedTab);
  ctx_.settings.Write(settings::kAllowDefaultAi, c_.allowDefaultAi.IsChecked() ? 1 : 0);
}

void CSwitcherDlg::OnOK() {
  SaveWindowState();
  result_ = Result::kOk;
}

void CSwitcherDlg::OnCancel() { result_ = Result::kCancel; }

void CSwitcherDlg::OnEscape(int focusId) {
  if (focusId == kIdFilter && !c_.filter.GetText().empty()) {
    c_.filter.SetText("");
    OnChangeFilter();
  } else {
    OnCommand(CommandForKey(MainWindowLayout().layout, DialogKey::kEscape));
  }
}

void CSwitcherDlg::OnStepTab(bool forward) {
  const int count = c_.tabs.GetItemCount();
  if (count == 0) return;
  c_.tabs.SetCurSel((c_.tabs.GetCurSel() + (forward ? 1 : count - 1)) % count);
  OnSelchange(kIdTabs);
}

void CSwitcherDlg::OnShowWindow(bool show) {
  if (show) timerPending_ = true;
}

void CSwitcherDlg::OnTimer() {
  if (!timerPending_) return;
  timerPending_ = false;
  const engine::StartupState& startup = ctx_.startup;
  if (startup.hostRequested || startup.joinRequested) {
    OnMultiplayer();
  } else if (startup.snapshotRequested) {
    OnRestoreSnapshot();
    ShowCurrentAi();
  }
}

bool CSwitcherDlg::OnCommand(int id) {
  const bool handled = RouteCommand(id);
  if (handled) ShowCurrentAi();
  return handled;
}

bool CSwitcherDlg::RouteCommand(int id) {
  switch (id) {
    case kIdClose:
      OnOK();
      return true;
    case kIdCancel:
      OnCancel();
      return true;
    case kIdLaunchTa:
      OnLaunchTa();
      return true;
    case kIdMultiplayer:
      OnMultiplayer();
      return true;
    case kIdDisableAll:
      OnDisableAll();
      return true;
    case kIdChooseRandomAi:
      OnChooseRandomAi();
      return true;
    case kIdMenuAutoLaunchTahook:
      OnAutoLaunchTahook();
      return true;
    case kIdMenuDisableFileWarnings:
      OnDisableFileWarnings();
      return true;
    case kIdMenuDisableCustomExeWarning:
      OnDisableCustomExeWarning();
      return true;
    case kIdMenuCcInstalled:
      OnCcInstalled();
      return true;
    case kIdMenuDontConfigureIcq:
      OnDontConfigureIcq();
      return true;
    case kIdMenuDontAskCompile:
      OnDontAskCompile();
      return true;
    case kIdMenuTakeSnapshot:
      OnTakeSnapshot();
      return true;
    case kIdMenuRestoreSnapshot:
      OnRestoreSnapshot();
      return true;
    case kIdMenuMakeUfoPack:
      OnMakeUfoPack();
      return true;
    case kIdMenuAbout:
      OnAbout();
      return true;
    case kIdMenuChangeTaFolder:
      OnChangeTaFolder();
      return true;
    default:
      return false;
  }
}

bool CSwitcherDlg::OnChange(int id) {
  if (id != kIdFilter) return false;
  OnChangeFilter();
  return true;
}

bool CSwitcherDlg::OnSelchange(int id) {
  const bool handled = RouteSelchange(id);
  if (handled) ShowCurrentAi();
  return handled;
}

bool CSwitcherDlg::RouteSelchange(int id) {
  switch (id) {
    case kIdTcList:
      OnSelchangeTcList();
      return true;
    case kIdMutatorList:
      OnSelchangeMutatorList();
      return true;
    case kIdAiList:
      OnSelchangeAiList();
      return true;
    case kIdPackList:
      OnSelchangePackList();
      return true;
    case kIdUfoList:
      OnSelchangeUfoList();
      return true;
    case kIdTabs:
      OnSelchangeTab();
      return true;
    default:
      return false;
  }
}

}  // namespace varokin::ui
