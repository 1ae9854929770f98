#pragma once

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/switcher_app.h"
#include "platform/instances.h"
#include "support/expect_prompts.h"

namespace varokin::app_tests {

// Open windows as the lock files show them: a claim holds its title until it is released.
class OpenWindows : public platform::InstanceRegistry {
 public:
  bool WindowExists(const std::string& title) override { return titles.count(title) > 0; }
  std::unique_ptr<platform::WindowClaim> Claim(const std::string& title,
                                               std::string* unusable) override {
    if (!foreignLock.empty()) *unusable = foreignLock;
    if (!foreignLock.empty() || !titles.insert(title).second) return nullptr;
    return std::make_unique<Held>(titles, title);
  }
  std::set<std::string> titles;
  std::string foreignLock;

 private:
  struct Held : platform::WindowClaim {
    Held(std::set<std::string>& titles, std::string title) : titles(titles), title(title) {}
    ~Held() override { titles.erase(title); }
    std::set<std::string>& titles;
    std::string title;
  };
};

// Prompts that let another start happen while a message waits for its answer.
class PromptsWithAnInterruption : public fixtures::ExpectPrompts {
 public:
  Answer Message(const std::string& text, Buttons buttons, Icon icon) override {
    if (meanwhile) std::exchange(meanwhile, nullptr)();
    return ExpectPrompts::Message(text, buttons, icon);
  }
  std::function<void()> meanwhile;
};

class RecordingSteps : public app::StartupSteps {
 public:
  bool CheckInstallation() override {
    calls.push_back("CheckInstallation");
    return check ? check() : true;
  }
  void RegisterWithIcq() override { calls.push_back("RegisterWithIcq"); }
  void RunMainWindow() override { calls.push_back("RunMainWindow"); }
  std::vector<std::string> calls;
  std::function<bool()> check;
};

}  // namespace varokin::app_tests
