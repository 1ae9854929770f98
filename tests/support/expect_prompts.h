#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/scripted_prompts.h"

namespace varokin::fixtures {

// Scripted prompts for a test: any message the script did not expect fails the test, and so does
// an expected one that never came.
class ExpectPrompts : public ScriptedPrompts {
 public:
  ExpectPrompts() {
    onUnexpected = [](const std::string& problem) { ADD_FAILURE() << problem; };
  }
  ~ExpectPrompts() override {
    std::string missing;
    for (const std::string& text : PendingTexts()) missing += "\n  \"" + text + "\"";
    EXPECT_EQ(Pending(), 0u) << "Expected but never shown:" << missing;
  }
  ExpectPrompts(const ExpectPrompts&) = delete;
  ExpectPrompts& operator=(const ExpectPrompts&) = delete;
};

}  // namespace varokin::fixtures
