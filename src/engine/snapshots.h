#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/context.h"

namespace varokin::engine {

// A snapshot file (.tas): the Total Conversion, Mutators, AI and UFOs that were active, by file
// name. An empty tc or ai names none; the unmodified game and the default AI are "none".
struct Snapshot {
  std::string tc;
  std::vector<std::string> mutators;
  std::string ai;
  std::vector<std::string> ufos;  // .ufo file names

  bool operator==(const Snapshot&) const = default;
};

// The sections are read in their order, each only where the one before it ended: a "TC:" line
// that names nothing ends the reading there.
Snapshot ParseSnapshot(std::string_view text);
// Every line ends with CR LF; what ParseSnapshot gave, it reads back the same.
std::string SnapshotText(const Snapshot& snapshot);

// What a restore reaches through the main window: the files its lists show, by pool index in
// list order (the unmodified game and the default AI as kNoMod), and the switches that load
// what state names, which also show it.
struct SnapshotSwitches {
  std::vector<int> tcs{};
  std::vector<int> mutators{};
  std::vector<int> ais{};
  std::function<bool()> loadTc{};
  std::function<bool()> loadAi{};
  std::function<bool(int slot)> loadMutator{};
  // Shows what is active now and where the UFOs lie.
  std::function<void()> show{};
};

// Saving everything that is active to a snapshot file, and switching back to what one names.
class Snapshots {
 public:
  explicit Snapshots(Context& ctx) : ctx_(ctx) {}

  // Asks where to save, and writes the file.
  void Take();
  // The snapshot to restore: the one named at start-up, or one the user picks. Nothing when the
  // choice was cancelled or the file cannot be read (the user is told).
  std::optional<Snapshot> Open();
  // Switches to the snapshot once the window has switched the modifications off: the UFOs are
  // disabled first, and nothing more is done when anything is still active.
  void Restore(const Snapshot& snapshot, const SnapshotSwitches& switches);

 private:
  bool DisableEveryUfo();
  bool RestoreSections(const Snapshot& snapshot, const SnapshotSwitches& switches);
  // The TC or the AI: whether it is restored as completely as the snapshot asks.
  bool RestoreSingle(int& current, const std::vector<int>& listed,
                     const std::function<bool()>& load, const std::string& kind,
                     const std::string& name, bool missingIsIncomplete);

  Context& ctx_;
};

}  // namespace varokin::engine
