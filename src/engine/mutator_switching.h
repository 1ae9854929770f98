#pragma once

#include <string>

#include "engine/context.h"
#include "engine/shown_text.h"

namespace varokin::engine {

// Activating and deactivating Mutators in their 32 slots: the .ccx payloads named after the
// Mutator's configuration file.
class MutatorSwitching {
 public:
  explicit MutatorSwitching(Context& ctx) : ctx_(ctx) {}

  // Activates the Mutator whose pool index the slot already holds, and remembers it.
  bool LoadMutator(int slot);
  // Deactivates the Mutator in the slot, frees the slot and forgets it.
  bool UnloadMutator(int slot);
  // Start-up check of a remembered Mutator. Reports, repairs nothing.
  void ValidateMutator(const std::string& fileName);

  // What the last of the calls above asks the window to show (the Mutator's description).
  const ShownText& Shown() const { return shown_; }

 private:
  Context& ctx_;
  ShownText shown_;
};

}  // namespace varokin::engine
