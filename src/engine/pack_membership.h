#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varokin::engine {

// Which packs name which UFOs: packs by their file name, UFOs by name without regard to case, so
// that a UFO listed from both folders is one UFO. A pack may hold a million member lines: each
// costs one look-up in a flat table that allocates nothing, so start-up stays linear in the
// packs' lines, and only the UFOs listed are ever kept.
class PackMembership {
 public:
  // Forgets every member: only the packs and UFOs named here can be named later, the first
  // spelling of a name standing for all.
  void Reset(const std::vector<std::string>& packs, const std::vector<std::string>& ufos);
  // Nothing when the pack or the UFO is none of those given to Reset.
  void Add(std::string_view pack, std::string_view ufo);
  // The packs that name the UFO, in the order given to Reset.
  std::vector<std::string> PacksNaming(std::string_view ufo) const;
  // The UFOs the pack names, each once, as first spelt and in the order given to Reset.
  std::vector<std::string> Members(std::string_view pack) const;
  // The packs whose every member is one of the UFOs this says is enabled, in the order given to
  // Reset; a pack naming no listed UFO is one of them.
  template <class IsEnabled>
  std::vector<std::string> WholePacks(IsEnabled isEnabled) const {
    std::vector<bool> broken(packs_.size(), false);
    for (std::size_t ufo = 0; ufo < ufos_.size(); ++ufo) {
      if (packsByUfo_[ufo].empty() || isEnabled(ufos_[ufo])) continue;
      for (int pack : packsByUfo_[ufo]) broken[static_cast<std::size_t>(pack)] = true;
    }
    std::vector<std::string> whole;
    for (std::size_t pack = 0; pack < packs_.size(); ++pack) {
      if (!broken[pack]) whole.push_back(packs_[pack]);
    }
    return whole;
  }

 private:
  // The UFO's index in ufos_, or -1.
  int Find(std::string_view ufo) const;
  int FindPack(std::string_view pack) const;

  std::vector<std::string> packs_;
  std::vector<std::string> ufos_;   // as first spelt
  std::vector<std::string> names_;  // lower-cased, one per UFO
  std::vector<std::vector<int>> packsByUfo_;
  std::vector<std::uint64_t> filter_;  // a bit for each name's hash, asked before the slots
  std::vector<std::uint64_t> slots_;   // open addressing, a power of two of them
  int shift_ = 60;                     // 64 - log2 of the slot count
  mutable int lastPack_ = -1;          // the pack Add named last: a pack's lines come together
};

}  // namespace varokin::engine
