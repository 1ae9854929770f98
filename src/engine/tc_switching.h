#pragma once

#include <string>

#include "engine/context.h"
#include "ui/controls.h"

namespace varokin::engine {

// Activating and deactivating Total Conversions: the rename pairs of the active TC's
// configuration file, moved with backups of the game's base files.
class TcSwitching {
 public:
  TcSwitching(Context& ctx, ui::TextControl& pane, ui::TextControl& currentTcLabel)
      : ctx_(ctx), pane_(pane), label_(currentTcLabel) {}

  // Activates state.currentTc (the unmodified game for kNoMod) and remembers it.
  bool LoadTc();
  // Moves every rename pair of state.currentTc out again; changes no state.
  bool UnloadTc();
  // Start-up check of the remembered TC ("none": the unmodified game). Reports, repairs nothing.
  bool ValidateTc(const std::string& name);

 private:
  // Sets the unmodified game's tags, description and label, with the warnings about its archive.
  void ShowOriginalGame(bool alwaysReportMissing);

  Context& ctx_;
  ui::TextControl& pane_;
  ui::TextControl& label_;
};

}  // namespace varokin::engine
