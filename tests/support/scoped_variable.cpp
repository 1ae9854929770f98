#include "support/scoped_variable.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>
#else
#include <cstdlib>
#endif

namespace varokin::testing {

ScopedVariable::ScopedVariable(std::string name, const std::optional<std::string>& value)
    : name_(std::move(name)) {
#ifdef _WIN32
  std::vector<char> buffer(32768);
  const DWORD length =
      GetEnvironmentVariableA(name_.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
  if (length > 0 && length < buffer.size()) previous_ = std::string(buffer.data(), length);
#else
  if (const char* previous = std::getenv(name_.c_str())) previous_ = previous;
#endif
  Set(name_, value);
}

ScopedVariable::~ScopedVariable() { Set(name_, previous_); }

void ScopedVariable::Set(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
  SetEnvironmentVariableA(name.c_str(), value ? value->c_str() : nullptr);
#else
  if (value) {
    setenv(name.c_str(), value->c_str(), 1);
  } else {
    unsetenv(name.c_str());
  }
#endif
}

}  // namespace varokin::testing
