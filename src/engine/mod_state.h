#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace varokin::engine {

// Pool index that stands for no modification: the unmodified game, or the default AI.
constexpr int kNoMod = 9999;
constexpr int kMutatorSlotCount = 32;

// One value per Mutator slot, indexed by slot number as the rest of the program counts slots.
template <typename T>
struct SlotArray : std::array<T, kMutatorSlotCount> {
  T& operator[](int slot) { return std::array<T, kMutatorSlotCount>::operator[](Index(slot)); }
  const T& operator[](int slot) const {
    return std::array<T, kMutatorSlotCount>::operator[](Index(slot));
  }

 private:
  static std::size_t Index(int slot) { return static_cast<std::size_t>(slot); }
};

// Numbers every configuration and UFO pack file name found in this run.
class ModNamePool {
 public:
  static constexpr int kCapacity = 511;

  // The new name's index, or -1 when the pool is full.
  int Add(const std::string& name);
  // The name for an index in the pool, "none" above 2048, the empty string otherwise.
  std::string Get(int index) const;
  int Count() const { return static_cast<int>(names_.size()); }

 private:
  std::vector<std::string> names_;
};

// What is active: the process-wide switching state.
struct ModState {
  ModNamePool modNamePool;
  int currentTc = kNoMod;
  int currentAi = kNoMod;
  SlotArray<int> mutatorSlots;
  std::string tcTags;
  std::string baseGameTag = " OTA ";
  int lastTcListPos = 0;
  int lastAiListPos = 0;

  ModState() { mutatorSlots.fill(-1); }

  std::string GetCurrentTcName() const { return modNamePool.Get(currentTc); }
  std::string GetCurrentAiName() const { return modNamePool.Get(currentAi); }
  // The name in a slot; empty for a free slot and for a slot number outside 0 to 31.
  std::string GetMutatorName(int slot) const;
  // The slot the index was put in; -1 when a slot already holds it, -2 when every slot is taken.
  int AddMutatorSlot(int poolIndex);
  void SetTcTags(const std::string& tags) { tcTags = tags; }
  // itemTags is " " + the item's tag line + " ".
  bool IsCompatible(const std::string& itemTags) const;
};

}  // namespace varokin::engine
