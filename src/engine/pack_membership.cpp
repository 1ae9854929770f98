#include "engine/pack_membership.h"

#include <algorithm>

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

void PackMembership::Reset(const std::vector<std::string>& packs,
                           const std::vector<std::string>& ufos) {
  packs_.clear();
  lastPack_ = -1;
  for (const std::string& pack : packs) {
    if (FindPack(pack) < 0) packs_.push_back(pack);
  }
  ufos_.clear();
  names_.clear();
  packsByUfo_.clear();
  shift_ = 60;
  while ((std::size_t{1} << (64 - shift_)) < 2 * ufos.size()) --shift_;
  slots_.assign(std::size_t{1} << (64 - shift_), 0);
  filter_.assign(kFilterBits / 64, 0);
  for (const std::string& name : ufos) {
    if (Find(name) >= 0) continue;
    std::string lowered = name;
    for (char& c : lowered) c = Lower(c);
    const std::uint64_t hash = Hash(lowered);
    std::size_t slot = hash >> shift_;
    while (slots_[slot] != 0) slot = (slot + 1) & (slots_.size() - 1);
    slots_[slot] = SlotValue(hash, names_.size());
    filter_[FilterBit(hash) / 64] |= std::uint64_t{1} << (FilterBit(hash) % 64);
    ufos_.push_back(name);
    names_.push_back(std::move(lowered));
    packsByUfo_.emplace_back();
  }
}

int PackMembership::Find(std::string_view ufo) const {
  if (slots_.empty()) return -1;
  const std::uint64_t hash = Hash(ufo);
  if ((filter_[FilterBit(hash) / 64] >> (FilterBit(hash) % 64) & 1) == 0) return -1;
  for (std::size_t slot = hash >> shift_; slots_[slot] != 0;
       slot = (slot + 1) & (slots_.size() - 1)) {
    const std::size_t index = (slots_[slot] & 0xFFFFFFFFu) - 1;
    if (slots_[slot] == SlotValue(hash, index) && SameLowered(names_[index], ufo)) {
      return static_cast<int>(index);
    }
  }
  return -1;
}

// The packs are few, and the lines of one pack come one after the other: the pack asked last
// answers most calls. Pack names are file names as listed, so they compare exactly: on a disk
// that tells case apart, "a.pac" and "A.pac" are two packs.
int PackMembership::FindPack(std::string_view pack) const {
  const auto same = [&](int index) { return packs_[static_cast<std::size_t>(index)] == pack; };
  if (lastPack_ >= 0 && same(lastPack_)) return lastPack_;
  for (int index = 0; index < static_cast<int>(packs_.size()); ++index) {
    if (same(index)) return lastPack_ = index;
  }
  return -1;
}

// A pack naming a UFO twice holds it once.
void PackMembership::Add(std::string_view pack, std::string_view ufo) {
  const int index = Find(ufo);
  if (index < 0) return;
  const int packIndex = FindPack(pack);
  if (packIndex < 0) return;
  std::vector<int>& packs = packsByUfo_[static_cast<std::size_t>(index)];
  const auto at = std::lower_bound(packs.begin(), packs.end(), packIndex);
  if (at == packs.end() || *at != packIndex) packs.insert(at, packIndex);
}

std::vector<std::string> PackMembership::PacksNaming(std::string_view ufo) const {
  std::vector<std::string> named;
  const int index = Find(ufo);
  if (index < 0) return named;
  for (int pack : packsByUfo_[static_cast<std::size_t>(index)]) {
    named.push_back(packs_[static_cast<std::size_t>(pack)]);
  }
  return named;
}

std::vector<std::string> PackMembership::Members(std::string_view pack) const {
  std::vector<std::string> members;
  const int packIndex = FindPack(pack);
  if (packIndex < 0) return members;
  for (std::size_t index = 0; index < ufos_.size(); ++index) {
    const std::vector<int>& packs = packsByUfo_[index];
    if (std::binary_search(packs.begin(), packs.end(), packIndex)) members.push_back(ufos_[index]);
  }
  return members;
}

}  // namespace varokin::engine
