#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace varokin::platform {

// Held while a window of a title is open; releasing it closes the title.
class WindowClaim {
 public:
  virtual ~WindowClaim() = default;
};

// The file in the TA folder (the current directory) whose locked bytes tell which windows are
// open. Native programs and Windows programs under Wine lock the same bytes of the same file, so
// each sees the other; a lock dies with its process, so a killed instance never blocks the next
// start. The file itself stays.
inline constexpr char kInstanceMarker[] = "Varokin.lock";

// The byte of the marker that stands for a window title (the same in both builds).
inline std::uint32_t MarkerByte(const std::string& title) {
  std::uint32_t hash = 2166136261u;
  for (const char c : title) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return hash % (1u << 30);
}

// Which of the program's top-level windows are open on the TA folder that is the current
// directory, in any process: window titles (on Windows) and the locks of the marker.
class InstanceRegistry {
 public:
  virtual ~InstanceRegistry() = default;
  virtual bool WindowExists(const std::string& title) = 0;
  // Marks a window of this title as open until the claim is destroyed, in one step that also
  // tells whether another holds it. Nothing when the title could not be claimed: when that is not
  // because another holds it but because the marker cannot be made or locked, its path is put in
  // `unusable` (when given).
  virtual std::unique_ptr<WindowClaim> Claim(const std::string& title,
                                             std::string* unusable = nullptr) = 0;
};

std::unique_ptr<InstanceRegistry> CreateHostInstanceRegistry();

}  // namespace varokin::platform
