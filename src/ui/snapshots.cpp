// Saving the whole selection to a .tas file, and switching back to what such a file names.
#include <functional>
#include <optional>
#include <string>

#include "engine/relocation.h"
#include "platform/line_reader.h"
#include "ui/switcher_dlg.h"
#include "ui/ufo_files.h"

namespace varokin::ui {

namespace {

constexpr const char* kSnapshotFolder = "Varokin\\Snapshots";

FileDialogRequest SnapshotDialog(platform::FileSystem& fs, const std::string& title) {
  FileDialogRequest request;
  request.title = title;
  request.defaultExt = "tas";
  // A snapshot folder that is a link to elsewhere is not offered: what is saved there lies
  // outside the TA folder.
  if (!fs.LeadsOutside(std::string(kSnapshotFolder) + "\\*.tas")) {
    request.initialDir = fs.HostPath(kSnapshotFolder);
  }
  return request;
}

void Warn(Prompts& prompts, const std::string& text) {
  prompts.Message(text, Buttons::kOk, Icon::kExclamation);
}

std::string Trimmed(const std::string& text) {
  const char* blanks = " \t\r\n\v\f";
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The name of a "TC:" or "AI:" line; nothing when the line is not that section or names nothing.
std::optional<std::string> SectionName(const std::string& line, const std::string& header) {
  if (line.compare(0, header.size(), header) != 0) return std::nullopt;
  std::string name = Trimmed(line.substr(header.size()));
  if (name.empty()) return std::nullopt;
  return name;
}

// The first row whose file name is the name; the rows of the unmodified game and the default AI
// answer to "none".
int RowNamed(const ListBox& list, const engine::ModNamePool& pool, const std::string& name) {
  for (int row = 0; row < list.GetCount(); ++row) {
    if (SameNameIgnoringCase(pool.Get(static_cast<int>(list.GetItemData(row))), name)) return row;
  }
  return ListBox::kError;
}

// A snapshot is anyone's text file: a UFO line may only name a .ufo file lying directly in the
// TA folder, or the restore would move files the player never meant it to.
bool NamesAUfoOfTheTaFolder(const std::string& line) {
  return engine::StaysInTaFolder(line) && line.find_first_of("\\/:") == std::string::npos &&
         line.size() > 4 && SameNameIgnoringCase(line.substr(line.size() - 4), ".ufo");
}

// The Total Conversion or the AI: one row of a single-selection list, loaded by the engine.
struct SingleChoice {
  ListBox& list;
  int& current;
  int& lastListPos;
  std::function<bool()> load;
  std::string kind;
  bool missingIsIncomplete;
};

bool RestoreSingle(SingleChoice choice, const std::string& name, const engine::ModNamePool& pool,
                   Prompts& prompts) {
  const int row = RowNamed(choice.list, pool, name);
  if (row < 0) {
    Warn(prompts, "Unable to find the " + choice.kind + " named " + name);
    return !choice.missingIsIncomplete;
  }
  bool complete = true;
  choice.current = static_cast<int>(choice.list.GetItemData(row));
  choice.list.SetCurSel(row);
  if (!choice.load()) {
    choice.list.SetCurSel(0);
    choice.current = engine::kNoMod;
    choice.load();
    complete = false;
  }
  choice.lastListPos = choice.list.GetCurSel();
  return complete;
}

}  // namespace

void CSwitcherDlg::OnTakeSnapshot() {
  const std::optional<std::string> path =
      ctx_.prompts.SaveFile(SnapshotDialog(ctx_.fs, "Save Snapshot As..."));
  if (!path || path->empty()) return;
  const engine::ModState& state = ctx_.state;
  std::string contents = "TC:" + state.GetCurrentTcName() + "\r\nMUTATORS:\r\n";
  for (int slot = 0; slot < engine::kMutatorSlotCount; ++slot) {
    if (state.mutatorSlots[slot] != -1) contents += state.GetMutatorName(slot) + "\r\n";
  }
  contents += "AI:" + state.GetCurrentAiName() + "\r\nUFOs:\r\n";
  for (const std::string& fileName : ctx_.fs.Find("*.ufo")) {
    if (!SkippedEnabledUfo(fileName)) contents += fileName + "\r\n";
  }
  // Written beside and renamed into place: a failed write leaves no half snapshot behind.
  if (!ctx_.fs.WriteFileAtomic(*path, contents)) {
    Warn(ctx_.prompts, "Unable to write the snapshot file " + *path);
  }
}

void CSwitcherDlg::OnRestoreSnapshot() {
  engine::StartupState& startup = ctx_.startup;
  std::string path;
  if (startup.snapshotRequested) {
    path = startup.snapshotPath;
  } else {
    const std::optional<std::string> chosen =
        ctx_.prompts.OpenFile(SnapshotDialog(ctx_.fs, "Select Snapshot to Restore"));
    if (!chosen || chosen->empty()) return;
    path = *chosen;
  }
  startup.snapshotRequested = false;

  // Opened before anything is switched off: a mistyped path must leave the selection alone.
  platform::LineReader reader(ctx_.fs, path);
  if (!reader.IsOpen()) {
    Warn(ctx_.prompts, "Unable to read the snapshot file " + path);
    return;
  }

  OnDisableAll();
  bool complete = DisableEveryUfo();
  const engine::ModState& state = ctx_.state;
  bool mutatorActive = false;
  for (int slot : state.mutatorSlots) mutatorActive = mutatorActive || slot != -1;
  if (state.currentTc != engine::kNoMod || state.currentAi != engine::kNoMod || mutatorActive ||
      !complete) {
    Warn(ctx_.prompts, "Unable to disable current settings, restoration aborted");
    // The UFOs that did move are shown as they now lie.
    SyncUfoSelection();
  } else {
    complete = RestoreSnapshotFile(reader);
  }
  if (!complete) Warn(ctx_.prompts, "The snapshot was not fully restored");
}

bool CSwitcherDlg::DisableEveryUfo() {
  engine::Relocator& relocator = ctx_.relocator;
  relocator.movePrefix = "Error Disabling UFO\n";
  relocator.moveSuffix.clear();
  bool complete = true;
  for (const std::string& fileName : ctx_.fs.Find("*.ufo")) {
    if (SkippedEnabledUfo(fileName)) continue;
    if (!relocator.MoveChecked(fileName, kUfoFolder + fileName)) complete = false;
  }
  return complete;
}

bool CSwitcherDlg::RestoreSnapshotFile(platform::LineReader& reader) {
  engine::ModState& state = ctx_.state;
  Prompts& prompts = ctx_.prompts;
  bool complete = true;
  std::string line = reader.ReadLine();

  if (const std::optional<std::string> name = SectionName(line, "TC:")) {
    complete = RestoreSingle({c_.tcList, state.currentTc, state.lastTcListPos,
                              [this] { return LoadTc(); }, "TC", false},
                             *name, state.modNamePool, prompts) &&
               complete;
    line = reader.ReadLine();
  }

  if (line == "MUTATORS:") {
    for (line = reader.ReadLine(); !line.empty() && line.front() == '}'; line = reader.ReadLine()) {
      const int row = RowNamed(c_.mutatorList, state.modNamePool, line);
      if (row < 0) {
        Warn(prompts, "Unable to find the Mutator named " + line);
        complete = false;
        continue;
      }
      const int poolIndex = static_cast<int>(c_.mutatorList.GetItemData(row));
      const int slot = state.AddMutatorSlot(poolIndex);
      // Named twice: the first line has already made it active.
      if (slot == -1) continue;
      if (slot < 0) {
        Warn(prompts, "No more than 32 Mutators can be active at the same time.");
        complete = false;
      } else if (LoadMutator(slot)) {
        c_.mutatorList.SetSel(row, true);
      } else {
        for (int& held : state.mutatorSlots) {
          if (held == poolIndex) held = -1;
        }
        c_.mutatorList.SetSel(row, false);
        complete = false;
      }
    }
  }

  if (const std::optional<std::string> name = SectionName(line, "AI:")) {
    complete = RestoreSingle({c_.aiList, state.currentAi, state.lastAiListPos,
                              [this] { return LoadAi(); }, "AI", true},
                             *name, state.modNamePool, prompts) &&
               complete;
    line = reader.ReadLine();
  }

  engine::Relocator& relocator = ctx_.relocator;
  relocator.movePrefix = "Error Enabling UFO\n";
  relocator.moveSuffix.clear();
  if (line == "UFOs:") {
    for (line = reader.ReadLine(); !line.empty(); line = reader.ReadLine()) {
      if (!NamesAUfoOfTheTaFolder(line)) {
        prompts.Message(relocator.movePrefix + "The snapshot names \"" + line +
                        "\", which is not a .ufo file of your TA directory; nothing was moved "
                        "for it");
        complete = false;
      } else if (!relocator.MoveChecked(kUfoFolder + line, line)) {
        complete = false;
      }
    }
  }
  SyncUfoSelection();
  return complete;
}

}  // namespace varokin::ui
