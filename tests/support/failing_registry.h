#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace varokin::fixtures {

// Lets every write through except those of one value name.
class FailingRegistry : public platform::Registry {
 public:
  FailingRegistry(platform::Registry& inner, std::string failing)
      : inner_(inner), failing_(std::move(failing)) {}
  bool KeyExists(const std::string& k) override { return inner_.KeyExists(k); }
  std::vector<std::string> SubKeys(const std::string& k) override { return inner_.SubKeys(k); }
  std::optional<std::string> GetString(const std::string& k, const std::string& n) override {
    return inner_.GetString(k, n);
  }
  std::optional<std::uint32_t> GetDword(const std::string& k, const std::string& n) override {
    return inner_.GetDword(k, n);
  }
  bool CreateKey(const std::string& k) override { return inner_.CreateKey(k); }
  bool SetString(const std::string& k, const std::string& n, const std::string& v) override {
    return n != failing_ && inner_.SetString(k, n, v);
  }
  bool SetDword(const std::string& k, const std::string& n, std::uint32_t v) override {
    return inner_.SetDword(k, n, v);
  }
  bool DeleteKey(const std::string& k) override { return inner_.DeleteKey(k); }

 private:
  platform::Registry& inner_;
  std::string failing_;
};

}  // namespace varokin::fixtures
