#pragma once

#include <optional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "engine/context.h"

namespace varokin::engine {

// What the units tab shows of one UFO after a switch.
struct UfoShown {
  bool enabling = false;               // an enable was tried: every UFO may now lie elsewhere
  bool enabled = false;                // its file lies in the TA folder now
  std::optional<std::string> pane;     // the units pane's new text, if it changes
  std::vector<std::string> packsLeft;  // packs no longer whole: the UFO was disabled
};

// What the units tab shows after a pack was switched.
struct PackShown {
  std::vector<std::pair<std::string, UfoShown>> ufos;  // each UFO switched, in list order
  std::string pane;
  bool refused = false;  // nothing was switched: its journal could not be written
};

// The UFOs found in the TA folder and in Varokin\UfoManager, as the units tab lists them.
struct UfoListing {
  std::vector<std::string> enabledFiles;  // the listing of the TA folder's "*.ufo" files
  std::vector<std::string> enabled;       // UFO names, in listing order
  std::vector<std::string> kept;
};

// Which UFOs and packs show as selected: the UFOs whose file lies in the TA folder, and the packs
// with every member among them.
class UfoSelection {
 public:
  UfoSelection(const std::vector<std::string>& enabledFiles, const PackMembership& packs);
  bool Enabled(const std::string& ufo) const;
  bool Whole(const std::string& pack) const;

 private:
  std::unordered_set<std::string> enabled_;  // lower-cased file names
  std::unordered_set<std::string> whole_;    // pack file names
};

// Enabling and disabling UFOs, one by one and by pack: a .ufo file moves between the TA folder
// and Varokin\UfoManager. UFOs and packs are named by name (packs by file name).
class UfoSwitching {
 public:
  explicit UfoSwitching(Context& ctx) : ctx_(ctx) {}

  UfoListing List() const;
  // Reads which listed UFOs each pack names.
  void ReadPacks(const std::vector<std::string>& packs, const std::vector<std::string>& ufos);
  // The second form takes a listing of the TA folder's "*.ufo" files just made.
  UfoSelection Selection() const;
  UfoSelection Selection(const std::vector<std::string>& enabledFiles) const;

  // A click on a UFO: enables a disabled one, disables an enabled one. Nothing when its file is in
  // neither place (the user is told).
  std::optional<UfoShown> Switch(const std::string& ufo);
  // showDescription false shows only that a UFO has no description.
  UfoShown Enable(const std::string& ufo, bool showDescription);
  UfoShown Disable(const std::string& ufo, bool showDescription);
  // Enables or disables every UFO the pack names.
  PackShown SwitchPack(const std::string& pack, bool enable);

 private:
  Context& ctx_;
};

}  // namespace varokin::engine
