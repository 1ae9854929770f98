#include "engine/snapshots.h"

#include "engine/relocation.h"
#include "engine/ufo_files.h"

namespace varokin::engine {

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

std::string Trimmed(std::string_view text) {
  const char* blanks = " \t\r\n\v\f";
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return std::string();
  return std::string(text.substr(first, text.find_last_not_of(blanks) - first + 1));
}

// The name of a "TC:" or "AI:" line; empty when the line is not that section or names nothing.
std::string SectionName(std::string_view line, std::string_view header) {
  if (!line.starts_with(header)) return std::string();
  return Trimmed(line.substr(header.size()));
}

// A snapshot is anyone's text file: a UFO line may only name a .ufo file lying directly in the
// TA folder, or the restore would move files the player never meant it to.
bool NamesAUfoOfTheTaFolder(const std::string& line) {
  return StaysInTaFolder(line) && line.find_first_of("\\/:") == std::string::npos &&
         line.size() > 4 && SameNameIgnoringCase(line.substr(line.size() - 4), ".ufo");
}

// The first listed file of that name.
int Named(const std::vector<int>& listed, const ModNamePool& pool, const std::string& name) {
  for (int poolIndex : listed) {
    if (SameNameIgnoringCase(pool.Get(poolIndex), name)) return poolIndex;
  }
  return -1;
}

}  // namespace

Snapshot ParseSnapshot(std::string_view text) {
  Snapshot snapshot;
  TextLines lines(text);
  std::string_view line = lines.NextLine();
  snapshot.tc = SectionName(line, "TC:");
  if (!snapshot.tc.empty()) line = lines.NextLine();
  if (line == "MUTATORS:") {
    for (line = lines.NextLine(); !line.empty() && line.front() == '}'; line = lines.NextLine()) {
      snapshot.mutators.emplace_back(line);
    }
  }
  snapshot.ai = SectionName(line, "AI:");
  if (!snapshot.ai.empty()) line = lines.NextLine();
  if (line == "UFOs:") {
    for (line = lines.NextLine(); !line.empty(); line = lines.NextLine())
      snapshot.ufos.emplace_back(line);
  }
  return snapshot;
}

std::string SnapshotText(const Snapshot& snapshot) {
  // A "TC:" or "AI:" line naming nothing would end the reading there.
  std::string text = snapshot.tc.empty() ? "" : "TC:" + snapshot.tc + "\r\n";
  text += "MUTATORS:\r\n";
  for (const std::string& mutator : snapshot.mutators) text += mutator + "\r\n";
  if (!snapshot.ai.empty()) text += "AI:" + snapshot.ai + "\r\n";
  text += "UFOs:\r\n";
  for (const std::string& ufo : snapshot.ufos) text += ufo + "\r\n";
  return text;
}

void Snapshots::Take() {
  const std::optional<std::string> path =
      ctx_.prompts.SaveFile(SnapshotDialog(ctx_.fs, "Save Snapshot As..."));
  if (!path || path->empty()) return;
  const ModState& state = ctx_.state;
  Snapshot snapshot;
  snapshot.tc = state.GetCurrentTcName();
  for (int slot = 0; slot < kMutatorSlotCount; ++slot) {
    if (state.mutatorSlots[slot] != -1) snapshot.mutators.push_back(state.GetMutatorName(slot));
  }
  snapshot.ai = state.GetCurrentAiName();
  for (const std::string& fileName : ctx_.fs.Find("*.ufo")) {
    if (!SkippedEnabledUfo(fileName)) snapshot.ufos.push_back(fileName);
  }
  // Written beside and renamed into place: a failed write leaves no half snapshot behind.
  if (!ctx_.fs.WriteFileAtomic(*path, SnapshotText(snapshot))) {
    Warn(ctx_.prompts, "Unable to write the snapshot file " + *path);
  }
}

std::optional<Snapshot> Snapshots::Open() {
  StartupState& startup = ctx_.startup;
  std::string path;
  if (startup.snapshotRequested) {
    path = startup.snapshotPath;
  } else {
    const std::optional<std::string> chosen =
        ctx_.prompts.OpenFile(SnapshotDialog(ctx_.fs, "Select Snapshot to Restore"));
    if (!chosen || chosen->empty()) return std::nullopt;
    path = *chosen;
  }
  startup.snapshotRequested = false;
  // Read before anything is switched off: a mistyped path must leave the selection alone.
  const std::optional<std::string> text = ReadFileText(ctx_.fs, path);
  if (!text) {
    Warn(ctx_.prompts, "Unable to read the snapshot file " + path);
    return std::nullopt;
  }
  return ParseSnapshot(*text);
}

void Snapshots::Restore(const Snapshot& snapshot, const SnapshotSwitches& switches) {
  bool complete = DisableEveryUfo();
  const ModState& state = ctx_.state;
  bool mutatorActive = false;
  for (int slot : state.mutatorSlots) mutatorActive = mutatorActive || slot != -1;
  if (state.currentTc != kNoMod || state.currentAi != kNoMod || mutatorActive || !complete) {
    Warn(ctx_.prompts, "Unable to disable current settings, restoration aborted");
    // The UFOs that did move are shown as they now lie.
    switches.show();
  } else {
    complete = RestoreSections(snapshot, switches);
  }
  if (!complete) Warn(ctx_.prompts, "The snapshot was not fully restored");
}

bool Snapshots::DisableEveryUfo() {
  const Framing framing{"Error Disabling UFO\n", ""};
  JournalPlan plan;
  plan.what = "Disabling the UFOs before restoring a snapshot";
  for (const std::string& fileName : ctx_.fs.Find("*.ufo")) {
    if (!SkippedEnabledUfo(fileName)) plan.moves.push_back({fileName, kUfoFolder + fileName});
  }
  const JournalScope journal(ctx_.relocator.JournalOfMoves(), [&plan] { return plan; });
  if (!journal.Started()) return ctx_.relocator.Refuse(journal.Problem(), framing);
  bool complete = true;
  for (const PlannedMove& move : plan.moves) {
    if (!ctx_.relocator.MoveChecked(move.from, move.to, framing)) complete = false;
  }
  return complete;
}

bool Snapshots::RestoreSingle(int& current, const std::vector<int>& listed,
                              const std::function<bool()>& load, const std::string& kind,
                              const std::string& name, bool missingIsIncomplete) {
  const int poolIndex = Named(listed, ctx_.state.modNamePool, name);
  if (poolIndex < 0) {
    Warn(ctx_.prompts, "Unable to find the " + kind + " named " + name);
    return !missingIsIncomplete;
  }
  current = poolIndex;
  if (load()) return true;
  current = kNoMod;
  load();
  return false;
}

bool Snapshots::RestoreSections(const Snapshot& snapshot, const SnapshotSwitches& switches) {
  ModState& state = ctx_.state;
  Prompts& prompts = ctx_.prompts;
  bool complete = true;
  if (!snapshot.tc.empty()) {
    complete =
        RestoreSingle(state.currentTc, switches.tcs, switches.loadTc, "TC", snapshot.tc, false) &&
        complete;
  }
  for (const std::string& mutator : snapshot.mutators) {
    const int poolIndex = Named(switches.mutators, state.modNamePool, mutator);
    if (poolIndex < 0) {
      Warn(prompts, "Unable to find the Mutator named " + mutator);
      complete = false;
      continue;
    }
    const int slot = state.AddMutatorSlot(poolIndex);
    // Named twice: the first line has already made it active.
    if (slot == -1) continue;
    if (slot < 0) {
      Warn(prompts, "No more than 32 Mutators can be active at the same time.");
      complete = false;
    } else if (!switches.loadMutator(slot)) {
      for (int& held : state.mutatorSlots) {
        if (held == poolIndex) held = -1;
      }
      complete = false;
    }
  }
  if (!snapshot.ai.empty()) {
    complete =
        RestoreSingle(state.currentAi, switches.ais, switches.loadAi, "AI", snapshot.ai, true) &&
        complete;
  }
  const Framing framing{"Error Enabling UFO\n", ""};
  JournalPlan plan;
  plan.what = "Enabling the UFOs of a snapshot";
  for (const std::string& ufo : snapshot.ufos) {
    if (NamesAUfoOfTheTaFolder(ufo)) plan.moves.push_back({kUfoFolder + ufo, ufo});
  }
  const JournalScope journal(ctx_.relocator.JournalOfMoves(), [&plan] { return plan; });
  if (!journal.Started()) {
    complete = ctx_.relocator.Refuse(journal.Problem(), framing);
  } else {
    for (const std::string& ufo : snapshot.ufos) {
      if (!NamesAUfoOfTheTaFolder(ufo)) {
        prompts.Message(framing.prefix + "The snapshot names \"" + ufo +
                        "\", which is not a .ufo file of your TA directory; nothing was moved "
                        "for it");
        complete = false;
      } else if (!ctx_.relocator.MoveChecked(kUfoFolder + ufo, ufo, framing)) {
        complete = false;
      }
    }
  }
  switches.show();
  return complete;
}

}  // namespace varokin::engine
