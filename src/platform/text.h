#pragma once

#include <string>
#include <string_view>

namespace varokin::platform {

// Lower-cases ASCII letters only, whatever the locale: bytes of multibyte characters are left as
// they are, so a name in any encoding keeps its meaning and compares as the folder cache does.
inline std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

}  // namespace varokin::platform
