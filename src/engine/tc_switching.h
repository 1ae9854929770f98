#pragma once

#include <string>

#include "engine/context.h"
#include "engine/shown_text.h"

namespace varokin::engine {

// Activating and deactivating Total Conversions: the rename pairs of the active TC's
// configuration file, moved with backups of the game's base files.
class TcSwitching {
 public:
  explicit TcSwitching(Context& ctx) : ctx_(ctx) {}

  // Activates state.currentTc (the unmodified game for kNoMod) and remembers it.
  bool LoadTc();
  // Moves every rename pair of state.currentTc out again; changes no state.
  bool UnloadTc();
  // The journal's plan for unloading the TC fromTc and then loading toTc (either kNoMod: the
  // unmodified game).
  JournalPlan PlanSwitch(int fromTc, int toTc) const;
  // Start-up check of the remembered TC ("none": the unmodified game). Reports, repairs nothing.
  bool ValidateTc(const std::string& name);

  // What the last of the calls above asks the window to show (the TC's title and description).
  const ShownText& Shown() const { return shown_; }

 private:
  // Sets the unmodified game's tags, description and label, with the warnings about its archive.
  void ShowOriginalGame(bool alwaysReportMissing);

  Context& ctx_;
  ShownText shown_;
};

}  // namespace varokin::engine
