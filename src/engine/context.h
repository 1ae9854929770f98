#pragma once

#include <vector>

#include "app/settings_store.h"
#include "app/startup_state.h"
#include "engine/mod_state.h"
#include "engine/relocation.h"
#include "platform/file_system.h"
#include "ui/prompts.h"

namespace varokin::engine {

// Which packs name which UFOs: one row per pack list row, one column per UFO list row, both in
// list order at the time the catalogue was scanned.
class PackMembership {
 public:
  void Resize(int rows, int columns);
  int Rows() const { return rows_; }
  int Columns() const { return columns_; }
  bool Get(int row, int column) const;
  void Set(int row, int column);

 private:
  int rows_ = 0;
  int columns_ = 0;
  std::vector<char> cells_;
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
