#pragma once

#include <cstdint>

namespace varokin::engine {

// Exact sizes of the game's files, version 3.1, by which the installation is judged.
constexpr std::uint64_t kTotalaExeSize = 1178624;
constexpr std::uint64_t kTotala1HpiSize = 32311035;
constexpr std::uint64_t kCcdataHpiSize = 25871597;
constexpr std::uint64_t kBtdataHpiSize = 23248392;
constexpr std::uint64_t kRev31UfoSize = 5481280;
// A totala1.hpi larger than this is a monolithic archive (all primary archives merged).
constexpr std::uint64_t kMonolithicThreshold = 34000000;

// The executable's signature: 16 bytes at the first offset, 8 at the second.
constexpr std::uint64_t kSignatureOffset1 = 1052364;
constexpr char kSignature1[16] = {'r', 'e', 'v', '%', 's', '.', 'G', 'P',
                                  '3', 0,   0,   0,   '3', '1', 0,   0};
constexpr std::uint64_t kSignatureOffset2 = 1054644;
constexpr char kSignature2[8] = {'v', '3', '.', '1', 0, 0, 0, 0};

}  // namespace varokin::engine
