#pragma once

#include <optional>
#include <string>

namespace varokin::testing {

// An environment variable of this process and the programs it starts, set (or, given no value,
// removed) for the object's life.
class ScopedVariable {
 public:
  ScopedVariable(std::string name, const std::optional<std::string>& value);
  ~ScopedVariable();
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  static void Set(const std::string& name, const std::optional<std::string>& value);

  std::string name_;
  std::optional<std::string> previous_;
};

}  // namespace varokin::testing
