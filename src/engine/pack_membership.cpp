#include <algorithm>

#include "engine/context.h"

namespace varokin::engine {

namespace {

std::string Key(const std::string& ufoName) {
  std::string key = ufoName;
  // ASCII letters only, so that the answer does not depend on the locale.
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

}  // namespace

void PackMembership::Reset(int packs) {
  packs_ = packs > 0 ? packs : 0;
  packsByUfo_.clear();
}

// A pack naming a UFO twice holds it once.
void PackMembership::Add(int pack, const std::string& ufoName) {
  if (pack < 0 || pack >= packs_) return;
  std::vector<int>& packs = packsByUfo_[Key(ufoName)];
  const auto at = std::lower_bound(packs.begin(), packs.end(), pack);
  if (at == packs.end() || *at != pack) packs.insert(at, pack);
}

bool PackMembership::Names(int pack, const std::string& ufoName) const {
  const std::vector<int>& packs = PacksNaming(ufoName);
  return std::binary_search(packs.begin(), packs.end(), pack);
}

const std::vector<int>& PackMembership::PacksNaming(const std::string& ufoName) const {
  static const std::vector<int> kNone;
  const auto found = packsByUfo_.find(Key(ufoName));
  return found == packsByUfo_.end() ? kNone : found->second;
}

}  // namespace varokin::engine
