#pragma once

#include <string>

#include "engine/context.h"
#include "ui/controls.h"

namespace varokin::engine {

// Activating and deactivating Mutators in their 32 slots: the .ccx payloads named after the
// Mutator's configuration file.
class MutatorSwitching {
 public:
  MutatorSwitching(Context& ctx, ui::TextControl& pane) : ctx_(ctx), pane_(pane) {}

  // Activates the Mutator whose pool index the slot already holds, and remembers it.
  bool LoadMutator(int slot);
  // Deactivates the Mutator in the slot, frees the slot and forgets it.
  bool UnloadMutator(int slot);
  // Start-up check of a remembered Mutator. Reports, repairs nothing.
  void ValidateMutator(const std::string& fileName);

 private:
  Context& ctx_;
  ui::TextControl& pane_;
};

}  // namespace varokin::engine
