#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace varokin::platform::testing {

// A fresh folder made the working directory for one test, as the TA folder is for the program.
// The helpers reach the disk through the standard library, behind the file system's back.
class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  static void Put(const std::string& path, const std::string& contents);
  static std::optional<std::string> Contents(const std::string& path);
  // Names in a folder as the disk holds them, sorted.
  static std::vector<std::string> Entries(const std::string& folder = ".");

  std::unique_ptr<FileSystem> fs_ = CreateHostFileSystem();
  std::filesystem::path root_;

 private:
  std::filesystem::path previous_;
};

}  // namespace varokin::platform::testing
