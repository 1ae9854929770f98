#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/ai_switching.h"
#include "engine/context.h"
#include "engine/mutator_switching.h"
#include "engine/snapshots.h"
#include "engine/tc_switching.h"
#include "engine/ufo_switching.h"
#include "platform/instances.h"
#include "platform/line_reader.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "ui/dialog.h"
#include "ui/main_window_controls.h"

namespace varokin::ui {

// The main window: set-up, tabs, the catalogue of everything that can be switched, and one
// handler per user action. A front end creates the controls, calls OnInitDialog, forwards every
// notification to OnCommand / OnSelchange, calls OnShowWindow when the window is shown and
// OnTimer 100 ms later (once, while TimerPending), and closes the window when Result() is no
// longer kRunning.
class CSwitcherDlg {
 public:
  enum class Result { kRunning, kOk, kCancel };

  // What the handlers reach beyond the engine. The front end sets these before OnInitDialog; a
  // handler that needs one that is missing does nothing.
  struct FrontEnd {
    DialogRunner* dialogs = nullptr;
    platform::Processes* processes = nullptr;
    platform::InstanceRegistry* instances = nullptr;
    platform::Registry* registry = nullptr;
  };
  FrontEnd frontEnd;

  CSwitcherDlg(engine::Context& ctx, MainWindowControls& controls);

  bool OnInitDialog();
  void OnShowWindow(bool show);
  // The window was resized: the lists' columns follow their widths.
  void OnSize();
  bool TimerPending() const { return timerPending_; }
  void OnTimer();
  Result GetResult() const { return result_; }

  // Routing: a button or menu command, and a selection change of a list or the tab control.
  // False for an id the main window does not handle.
  bool OnCommand(int id);
  bool OnSelchange(int id);
  // The text of an edit changed.
  bool OnChange(int id);
  // The Escape key, with the focus on the control focusId (0: none known). In a filter that holds
  // text it clears the filter; anywhere else it sends the command Escape sends in this window.
  void OnEscape(int focusId);
  // Ctrl+Tab and Ctrl+Shift+Tab: the next tab or the one before, round the ends.
  void OnStepTab(bool forward);

  void OnSelchangeTab();
  // Hides the rows of the shown tab's lists whose names do not hold the filter's text. Nothing is
  // selected or switched by it; each tab keeps its own filter.
  void OnChangeFilter();
  void SaveWindowState();
  void OnOK();
  void OnCancel();

  void OnSelchangeTcList();
  void OnSelchangeMutatorList();
  void OnSelchangeAiList();
  void OnSelchangePackList();
  void OnSelchangeUfoList();
  void OnLaunchTa();
  void OnMultiplayer();
  void OnDisableAll();
  void OnChooseRandomAi();
  void OnAutoLaunchTahook();
  void OnDisableFileWarnings();
  void OnDisableCustomExeWarning();
  void OnCcInstalled();
  void OnDontConfigureIcq();
  void OnDontAskCompile();
  void OnTakeSnapshot();
  void OnRestoreSnapshot();
  void OnMakeUfoPack();
  void OnAbout();
  void OnChangeTaFolder();

  // What the pointer resting on a row whose name is cut shows: the whole name and the first lines
  // of the mod's description.
  std::string NameTip(int listId, int row);

  // Selects the UFO rows whose file lies in the TA folder, and the packs with every member
  // selected. The second form takes a listing of the folder's "*.ufo" files just made.
  void SyncUfoSelection();
  void SyncUfoSelection(const std::vector<std::string>& enabledUfoFiles);

  int selectedTab = 1;

 private:
  void ScanCatalogue();
  // Columns wide enough for the longest names, as far as the lists' widths allow.
  void FitColumns();
  // Names the AI in use beside the current TC, whatever tab is shown.
  void ShowCurrentAi();
  bool RouteCommand(int id);
  bool RouteSelchange(int id);
  // Renaming a running game's archives corrupts it under Wine and fails half way on Windows: while
  // a program of the TA folder runs, says so and is true.
  bool RefuseWhileGameRuns();
  // Switches to the default AI after the random choice found no candidate.
  void FallBackToDefaultAi();
  // The engine's switches, each followed at once by what it asks to show in the window.
  bool LoadTc();
  bool UnloadTc();
  bool LoadAi();
  bool UnloadAi();
  // The one TC or AI switched to the mod of a row of its list, unload and load under one journal:
  // between them the old one's files are out and the new one's not in. The row left selected is
  // kept, so that a refused unload later reselects the mod really active.
  struct SingleModList {
    ListBox& list;
    int& current;
    int& lastPos;
    engine::JournalPlan (CSwitcherDlg::*plan)(int from, int to) const;
    bool (CSwitcherDlg::*unload)();
    bool (CSwitcherDlg::*load)();
  };
  void SwitchSingleMod(const SingleModList& mods, int row);
  engine::JournalPlan PlanTcSwitch(int from, int to) const { return tc_.PlanSwitch(from, to); }
  engine::JournalPlan PlanAiSwitch(int from, int to) const { return ai_.PlanSwitch(from, to); }
  bool LoadMutator(int slot);
  bool UnloadMutator(int slot);
  // Puts a switch's title into the "Current TC" label and its description into pane.
  void Show(const engine::ShownText& shown, TextControl& pane);
  // Rows of the units tab and the names the engine knows them by.
  std::string PackFileOf(int row) const;
  std::vector<std::string> ListedUfos() const;
  void ShowUfo(int row, const engine::UfoShown& shown);
  void ShowUfoSelection(const engine::UfoSelection& selection);

  engine::Context& ctx_;
  MainWindowControls& c_;
  engine::TcSwitching tc_;
  engine::AiSwitching ai_;
  engine::MutatorSwitching mutators_;
  engine::UfoSwitching ufos_;
  engine::Snapshots snapshots_;
  std::array<std::string, 4> filters_;
  bool timerPending_ = false;
  Result result_ = Result::kRunning;
};

}  // namespace varokin::ui
