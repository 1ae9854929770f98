#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/text.h"

namespace varokin::platform {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

// A piece of the pattern without stars against the same number of characters of the name.
bool SegmentMatchesAt(std::string_view segment, std::string_view name, std::size_t at) {
  for (std::size_t i = 0; i < segment.size(); ++i) {
    const char p = segment[i];
    if (p != '?' && LowerAscii(p) != LowerAscii(name[at + i])) return false;
  }
  return true;
}

// Leftmost place at or after `from` where a piece between two stars matches. Shift-And keeps this
// one pass over the name, so no pattern can make the match quadratic; pieces longer than the
// 64 bits of the state (never seen in practice) fall back to trying every place.
std::size_t FindSegment(std::string_view segment, std::string_view name, std::size_t from) {
  const std::size_t length = segment.size();
  if (length > 64) {
    for (std::size_t at = from; at + length <= name.size(); ++at) {
      if (SegmentMatchesAt(segment, name, at)) return at;
    }
    return kNone;
  }
  std::uint64_t anyChar = 0;
  for (std::size_t i = 0; i < length; ++i) {
    if (segment[i] == '?') anyChar |= std::uint64_t{1} << i;
  }
  std::uint64_t accepts[256];
  for (std::uint64_t& mask : accepts) mask = anyChar;
  for (std::size_t i = 0; i < length; ++i) {
    const char c = segment[i];
    if (c == '?') continue;
    accepts[static_cast<unsigned char>(LowerAscii(c))] |= std::uint64_t{1} << i;
    accepts[static_cast<unsigned char>(UpperAscii(c))] |= std::uint64_t{1} << i;
  }
  const std::uint64_t whole = std::uint64_t{1} << (length - 1);
  std::uint64_t state = 0;
  for (std::size_t at = from; at < name.size(); ++at) {
    state = ((state << 1) | 1) & accepts[static_cast<unsigned char>(name[at])];
    if (state & whole) return at + 1 - length;
  }
  return kNone;
}

}  // namespace

// The piece before the first star is tied to the start of the name and the piece after the last
// star to its end; every piece in between may go anywhere, and taking the leftmost place for each
// leaves the most room for the rest, so no choice ever has to be undone.
bool WildcardMatch(const std::string& pattern, const std::string& name) {
  const std::string_view text(pattern);
  const std::size_t firstStar = text.find('*');
  if (firstStar == kNone) {
    return text.size() == name.size() && SegmentMatchesAt(text, name, 0);
  }
  const std::size_t lastStar = text.rfind('*');
  const std::string_view head = text.substr(0, firstStar);
  const std::string_view tail = text.substr(lastStar + 1);
  if (head.size() + tail.size() > name.size()) return false;
  const std::size_t tailStart = name.size() - tail.size();
  if (!SegmentMatchesAt(head, name, 0) || !SegmentMatchesAt(tail, name, tailStart)) return false;

  const std::string_view middleOfName = std::string_view(name).substr(0, tailStart);
  std::size_t position = head.size();
  std::size_t star = firstStar;
  while (star < lastStar) {
    const std::size_t next = text.find('*', star + 1);
    const std::string_view segment = text.substr(star + 1, next - star - 1);
    star = next;
    if (segment.empty()) continue;
    const std::size_t found = FindSegment(segment, middleOfName, position);
    if (found == kNone) return false;
    position = found + segment.size();
  }
  return true;
}

}  // namespace varokin::platform
