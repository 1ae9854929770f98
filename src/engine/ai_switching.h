#pragma once

#include <string>

#include "engine/context.h"
#include "engine/shown_text.h"

namespace varokin::engine {

// Activating and deactivating AIs: the numbered payloads of the active AI's configuration file.
class AiSwitching {
 public:
  explicit AiSwitching(Context& ctx) : ctx_(ctx) {}

  // Activates state.currentAi (the default AI for kNoMod) and remembers it. May ask whether to
  // give up on an AI that does not claim to be compatible with the active TC.
  bool LoadAi();
  // Moves every payload of state.currentAi out again; changes no state.
  bool UnloadAi();
  // The journal's plan for unloading the AI fromAi and then loading toAi (either kNoMod: the
  // default AI).
  JournalPlan PlanSwitch(int fromAi, int toAi) const;
  // Start-up check of the remembered AI ("none": the default AI). Reports, repairs nothing.
  bool ValidateAi(const std::string& name);

  // What the last of the calls above asks the window to show (the AI's description).
  const ShownText& Shown() const { return shown_; }

 private:
  Context& ctx_;
  ShownText shown_;
};

}  // namespace varokin::engine
