#include "settings/settings_table.h"

namespace varokin::settings {

TextSetting MutatorSlot(int slot) {
  return {sections::kActiveMutators, "Mutator " + std::to_string(slot), ""};
}

}  // namespace varokin::settings
