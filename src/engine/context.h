#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "app/settings_store.h"
#include "app/startup_state.h"
#include "engine/mod_state.h"
#include "engine/relocation.h"
#include "platform/file_system.h"
#include "ui/prompts.h"

namespace varokin::engine {

// Which packs name which UFOs: packs by their row in the pack list, UFOs by name without regard
// to case, so that a UFO listed from both folders belongs to its packs on either row. A set look-up
// per name keeps start-up linear in the packs' lines, however many there are.
class PackMembership {
 public:
  // Forgets every member; the packs are rows 0 to packs - 1.
  void Reset(int packs);
  int Packs() const { return packs_; }
  void Add(int pack, const std::string& ufoName);
  bool Names(int pack, const std::string& ufoName) const;
  // The packs that name the UFO, lowest row first.
  const std::vector<int>& PacksNaming(const std::string& ufoName) const;

 private:
  int packs_ = 0;
  std::unordered_map<std::string, std::vector<int>> packsByUfo_;  // keyed by the lower-cased name
};

// Everything a switching operation works with. The application object owns the parts and hands
// this bundle down by reference.
struct Context {
  platform::FileSystem& fs;
  ui::Prompts& prompts;
  app::SettingsStore& settings;
  app::StartupState& startup;
  ModState& state;
  Relocator& relocator;
  PackMembership& packMembership;
};

}  // namespace varokin::engine
