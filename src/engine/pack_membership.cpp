#include <algorithm>

#include "engine/context.h"

namespace varokin::engine {

namespace {

// ASCII letters only, so that the answer does not depend on the locale.
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// FNV-1a over the lower-cased name, its bits spread by a Fibonacci multiplication: names such as
// "u1234" and "u1235" would otherwise crowd neighbouring slots.
std::uint64_t Hash(std::string_view name) {
  std::uint64_t hash = 14695981039346656037ull;
  for (char c : name) hash = (hash ^ static_cast<unsigned char>(Lower(c))) * 1099511628211ull;
  return hash * 11400714819323198485ull;
}

// A slot holds the name's index + 1 in its low half (0: free) and the top of its hash in the
// high half, so that most slots that hold another name are passed without looking at the name.
std::uint64_t SlotValue(std::uint64_t hash, std::size_t index) {
  return (hash & 0xFFFFFFFF00000000ull) | (index + 1);
}

// The filter: one bit per hash value, 16 KiB, small enough to stay in the fastest cache, answers
// most member lines that name no listed UFO before the table is looked at.
constexpr std::size_t kFilterBits = std::size_t{1} << 17;

std::size_t FilterBit(std::uint64_t hash) { return (hash >> 20) & (kFilterBits - 1); }

bool SameLowered(std::string_view lowered, std::string_view name) {
  if (lowered.size() != name.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (lowered[i] != Lower(name[i])) return false;
  }
  return true;
}

}  // namespace

void PackMembership::Reset(int packs, const std::vector<std::string>& ufoNames) {
  packs_ = packs > 0 ? packs : 0;
  names_.clear();
  packsByUfo_.clear();
  shift_ = 60;
  while ((std::size_t{1} << (64 - shift_)) < 2 * ufoNames.size()) --shift_;
  slots_.assign(std::size_t{1} << (64 - shift_), 0);
  filter_.assign(kFilterBits / 64, 0);
  for (const std::string& name : ufoNames) {
    if (Find(name) >= 0) continue;
    std::string lowered = name;
    for (char& c : lowered) c = Lower(c);
    const std::uint64_t hash = Hash(lowered);
    std::size_t slot = hash >> shift_;
    while (slots_[slot] != 0) slot = (slot + 1) & (slots_.size() - 1);
    slots_[slot] = SlotValue(hash, names_.size());
    filter_[FilterBit(hash) / 64] |= std::uint64_t{1} << (FilterBit(hash) % 64);
    names_.push_back(std::move(lowered));
    packsByUfo_.emplace_back();
  }
}

int PackMembership::Find(std::string_view ufoName) const {
  if (slots_.empty()) return -1;
  const std::uint64_t hash = Hash(ufoName);
  if ((filter_[FilterBit(hash) / 64] >> (FilterBit(hash) % 64) & 1) == 0) return -1;
  for (std::size_t slot = hash >> shift_; slots_[slot] != 0;
       slot = (slot + 1) & (slots_.size() - 1)) {
    const int ufo = static_cast<int>(slots_[slot] & 0xFFFFFFFFu) - 1;
    if (slots_[slot] == SlotValue(hash, ufo) && SameLowered(names_[ufo], ufoName)) return ufo;
  }
  return -1;
}

// A pack naming a UFO twice holds it once.
void PackMembership::Add(int pack, std::string_view ufoName) {
  if (pack < 0 || pack >= packs_) return;
  const int ufo = Find(ufoName);
  if (ufo < 0) return;
  std::vector<int>& packs = packsByUfo_[ufo];
  const auto at = std::lower_bound(packs.begin(), packs.end(), pack);
  if (at == packs.end() || *at != pack) packs.insert(at, pack);
}

bool PackMembership::Names(int pack, std::string_view ufoName) const {
  const std::vector<int>& packs = PacksNaming(ufoName);
  return std::binary_search(packs.begin(), packs.end(), pack);
}

const std::vector<int>& PackMembership::PacksNaming(std::string_view ufoName) const {
  static const std::vector<int> kNone;
  const int ufo = Find(ufoName);
  return ufo < 0 ? kNone : packsByUfo_[ufo];
}

}  // namespace varokin::engine
