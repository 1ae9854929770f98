#pragma once

#include "harness/sandbox.h"

namespace varokin::fuzz {

// A TA folder as a player has it: the game's archives, two Total Conversions (one replacing
// totala1.hpi, one installing folders), two Mutators, an AI, UFOs enabled and kept with their
// descriptions, a pack, and stored payloads for the "Fuzz" configuration files the targets write.
// Nothing is active.
void LayTaFolder(Sandbox& ta);

}  // namespace varokin::fuzz
