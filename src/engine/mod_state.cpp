#include "engine/mod_state.h"

#include <cstddef>

#include "platform/line_reader.h"

namespace varokin::engine {

namespace {

// Indexes above this are never pool indexes; they stand for "no modification".
constexpr int kHighestPoolIndexRange = 2048;
constexpr std::size_t kMaxTag = 64;

}  // namespace

int ModNamePool::Add(const std::string& name) {
  if (Count() >= kCapacity) return -1;
  names_.push_back(name);
  return Count() - 1;
}

std::string ModNamePool::Get(int index) const {
  if (index >= 0 && index < Count()) return names_[static_cast<std::size_t>(index)];
  if (index > kHighestPoolIndexRange) return "none";
  return std::string();
}

std::string ModState::GetMutatorName(int slot) const {
  if (slot < 0 || slot >= kMutatorSlotCount || mutatorSlots[slot] == -1) return std::string();
  return modNamePool.Get(mutatorSlots[slot]);
}

int ModState::AddMutatorSlot(int poolIndex) {
  for (int slot : mutatorSlots) {
    if (slot == poolIndex) return -1;
  }
  for (int slot = 0; slot < kMutatorSlotCount; ++slot) {
    if (mutatorSlots[slot] == -1) {
      mutatorSlots[slot] = poolIndex;
      return slot;
    }
  }
  return -2;
}

// Only blanks start the next search in tcTags, so a tag that follows a tab is never tried; the
// item's tags are found by searching for the tag between two blanks. Both are long-standing
// behaviours that existing configuration files were written against.
bool ModState::IsCompatible(const std::string& itemTags) const {
  if (itemTags == " * ") return true;
  std::size_t blank = tcTags.find(' ');
  while (blank != std::string::npos) {
    platform::WordScanner scanner(std::string_view(tcTags).substr(blank));
    std::string tag;
    if (!scanner.NextWord(tag, kMaxTag)) return false;
    if (itemTags.find(" " + tag + " ") != std::string::npos) return true;
    blank = tcTags.find(' ', blank + 1);
  }
  return false;
}

}  // namespace varokin::engine
