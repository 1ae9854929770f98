#include "support/platform/temp_folder.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

namespace varokin::platform::testing {

void TempFolderTest::SetUp() {
  std::random_device random;
  root_ = std::filesystem::temp_directory_path() /
          ("varokin-platform-" + std::to_string(random()) + std::to_string(random()));
  ASSERT_TRUE(std::filesystem::create_directory(root_));
  previous_ = std::filesystem::current_path();
  ASSERT_TRUE(fs_->SetCurrentDir(root_.string()));
}

void TempFolderTest::TearDown() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
  std::filesystem::remove_all(root_, ignored);
}

void TempFolderTest::Put(const std::string& path, const std::string& contents) {
  std::filesystem::path file(path);
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out << contents;
  ASSERT_TRUE(out.good()) << path;
}

std::optional<std::string> TempFolderTest::Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> TempFolderTest::Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace varokin::platform::testing
