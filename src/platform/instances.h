#pragma once

#include <memory>
#include <string>

namespace varokin::platform {

// Held while a window of a title is open; releasing it closes the title.
class WindowClaim {
 public:
  virtual ~WindowClaim() = default;
};

// Which of the program's top-level windows are open, in any process of this user: window
// titles on Windows, named lock files elsewhere (a lock dies with its process, so a crashed
// instance never blocks the next start).
class InstanceRegistry {
 public:
  virtual ~InstanceRegistry() = default;
  virtual bool WindowExists(const std::string& title) = 0;
  // Marks a window of this title as open until the claim is destroyed, in one step that also
  // tells whether another holds it. Nothing when the title could not be claimed: when that is not
  // because another holds it but because the lock folder or file is not this user's own, its path
  // is put in `unusable` (when given).
  virtual std::unique_ptr<WindowClaim> Claim(const std::string& title,
                                             std::string* unusable = nullptr) = 0;
};

std::unique_ptr<InstanceRegistry> CreateHostInstanceRegistry();

}  // namespace varokin::platform
