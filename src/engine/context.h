#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/mod_state.h"
#include "engine/prompts.h"
#include "engine/relocation.h"
#include "engine/startup_state.h"
#include "platform/file_system.h"
#include "settings/settings_store.h"

namespace varokin::engine {

// Which packs name which UFOs: packs by their row in the pack list, UFOs by name without regard
// to case, so that a UFO listed from both folders belongs to its packs on either row. A pack may
// hold a million member lines: each costs one look-up in a flat table that allocates nothing, so
// start-up stays linear in the packs' lines, and only the listed UFOs are ever kept.
class PackMembership {
 public:
  // Forgets every member: the packs are rows 0 to packs - 1, and only the UFOs named here can be
  // members.
  void Reset(int packs, const std::vector<std::string>& ufoNames);
  int Packs() const { return packs_; }
  // Nothing when the name is none of the UFOs given to Reset.
  void Add(int pack, std::string_view ufoName);
  bool Names(int pack, std::string_view ufoName) const;
  // The packs that name the UFO, lowest row first.
  const std::vector<int>& PacksNaming(std::string_view ufoName) const;

 private:
  // The UFO's index in packsByUfo_, or -1.
  int Find(std::string_view ufoName) const;

  int packs_ = 0;
  std::vector<std::string> names_;  // lower-cased, one per UFO
  std::vector<std::vector<int>> packsByUfo_;
  std::vector<std::uint64_t> filter_;  // a bit for each name's hash, asked before the slots
  std::vector<std::uint64_t> slots_;   // open addressing, a power of two of them
  int shift_ = 60;                     // 64 - log2 of the slot count
};

// Everything a switching operation works with. The application object owns the parts and hands
// this bundle down by reference.
struct Context {
  platform::FileSystem& fs;
  Prompts& prompts;
  settings::SettingsStore& settings;
  engine::StartupState& startup;
  ModState& state;
  Relocator& relocator;
  PackMembership& packMembership;
};

}  // namespace varokin::engine
