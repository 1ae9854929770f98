#include "support/ta_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <random>
#include <sstream>

namespace varokin::fixtures {

namespace fs = std::filesystem;

namespace {

void WriteAt(const fs::path& path, std::uint64_t offset, const char* bytes, std::size_t count) {
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  file.seekp(static_cast<std::streamoff>(offset));
  file.write(bytes, static_cast<std::streamsize>(count));
  if (!file) ADD_FAILURE() << "Could not write into " << path;
}

}  // namespace

fs::path FreshFolder(const fs::path& parent) {
  static unsigned counter = 0;
  std::random_device device;
  std::mt19937_64 random(
      device() ^
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  std::error_code error;
  const fs::path base = parent.empty() ? fs::temp_directory_path(error) : parent;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::ostringstream name;
    name << "varokin-test-" << std::hex << random() << '-' << ++counter;
    fs::path candidate = base / name.str();
    if (fs::create_directory(candidate, error)) return candidate;
  }
  ADD_FAILURE() << "Could not create a temporary folder under " << base;
  return {};
}

TaFolder::TaFolder(const fs::path& parent) : root_(FreshFolder(parent)) {
  std::error_code error;
  previousDir_ = fs::current_path(error);
  fs::current_path(root_, error);
  if (error) ADD_FAILURE() << "Could not enter " << root_ << ": " << error.message();
}

TaFolder::~TaFolder() {
  std::error_code error;
  // Windows cannot remove the working directory, so leave it first.
  fs::current_path(previousDir_, error);
  if (!root_.empty()) fs::remove_all(root_, error);
}

fs::path TaFolder::Host(const std::string& path) const { return HostPath(root_, path); }

void TaFolder::File(const std::string& path, std::uint64_t size) {
  Text(path, "");
  std::error_code error;
  fs::resize_file(Host(path), size, error);
  if (error) ADD_FAILURE() << "Could not size " << path << ": " << error.message();
}

void TaFolder::Text(const std::string& path, const std::string& contents) {
  const fs::path host = Host(path);
  std::error_code error;
  fs::create_directories(host.parent_path(), error);
  std::ofstream file(host, std::ios::binary | std::ios::trunc);
  file << contents;
  if (!file) ADD_FAILURE() << "Could not write " << path;
}

void TaFolder::Folder(const std::string& path) {
  std::error_code error;
  fs::create_directories(Host(path), error);
  if (error) ADD_FAILURE() << "Could not create " << path << ": " << error.message();
}

bool TaFolder::Exists(const std::string& path) const {
  std::error_code error;
  return fs::exists(Host(path), error);
}

std::string TaFolder::Read(const std::string& path) const {
  std::ifstream file(Host(path), std::ios::binary);
  std::ostringstream contents;
  contents << file.rdbuf();
  return contents.str();
}

std::int64_t TaFolder::SizeOf(const std::string& path) const {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(Host(path), error);
  return error ? -1 : static_cast<std::int64_t>(size);
}

void TaFolder::Game(const GameFiles& files) {
  auto lay = [this](const char* name, const std::optional<std::uint64_t>& size) {
    if (size) File(name, *size);
  };
  lay("totala.exe", files.totalaExe);
  if (files.totalaExe && files.exeSignature &&
      *files.totalaExe >= engine::kSignatureOffset2 + sizeof engine::kSignature2) {
    WriteAt(Host("totala.exe"), engine::kSignatureOffset1, engine::kSignature1,
            sizeof engine::kSignature1);
    WriteAt(Host("totala.exe"), engine::kSignatureOffset2, engine::kSignature2,
            sizeof engine::kSignature2);
  }
  lay("totala1.hpi", files.totala1Hpi);
  lay("ccdata.hpi", files.ccdataHpi);
  lay("btdata.hpi", files.btdataHpi);
  lay("rev31.ufo", files.rev31Ufo);
  if (files.programFolders) {
    Folder("Varokin\\UfoManager");
    Folder("Varokin\\Snapshots");
  }
}

}  // namespace varokin::fixtures
