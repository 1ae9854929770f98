#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/text.h"

namespace varokin::platform::registry_text {

// Key paths and value names are matched as the Windows registry matches them: ASCII case aside.
inline bool SameName(const std::string& a, const std::string& b) {
  return EqualsIgnoringCase(a, b);
}

// A registry as read from a text file (our private file, or a Wine prefix's user.reg).
struct Value {
  std::string name;
  bool isDword = false;
  std::string text;
  std::uint32_t number = 0;
};

struct Key {
  std::string path;
  std::vector<Value> values;
};

inline const Value* FindValue(const std::vector<Key>& keys, const std::string& key,
                              const std::string& name) {
  for (const Key& k : keys) {
    if (!SameName(k.path, key)) continue;
    for (const Value& v : k.values) {
      if (SameName(v.name, name)) return &v;
    }
  }
  return nullptr;
}

}  // namespace varokin::platform::registry_text
