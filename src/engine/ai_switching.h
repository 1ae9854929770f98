#pragma once

#include <string>

#include "engine/context.h"
#include "ui/controls.h"

namespace varokin::engine {

// Activating and deactivating AIs: the numbered payloads of the active AI's configuration file.
class AiSwitching {
 public:
  AiSwitching(Context& ctx, ui::TextControl& pane) : ctx_(ctx), pane_(pane) {}

  // Activates state.currentAi (the default AI for kNoMod) and remembers it. May ask whether to
  // give up on an AI that does not claim to be compatible with the active TC.
  bool LoadAi();
  // Moves every payload of state.currentAi out again; changes no state.
  bool UnloadAi();
  // Start-up check of the remembered AI ("none": the default AI). Reports, repairs nothing.
  bool ValidateAi(const std::string& name);

 private:
  Context& ctx_;
  ui::TextControl& pane_;
};

}  // namespace varokin::engine
