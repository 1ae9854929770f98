#include "ui/ufo_files.h"

#include <algorithm>

#include "engine/relocation.h"
#include "platform/line_reader.h"
#include "platform/text.h"

namespace varokin::ui {

namespace {

// A description is read only up to the line that brings it to this length.
constexpr std::size_t kDescriptionLimit = 2000;

}  // namespace

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  return platform::EqualsIgnoringCase(a, b);
}

bool SkippedEnabledUfo(const std::string& fileName) {
  if (!fileName.empty() && std::string("~}]^").find(fileName.front()) != std::string::npos) {
    return true;
  }
  return SameNameIgnoringCase(fileName, "rev31.ufo") || !engine::StaysInTaFolder(fileName);
}

bool SkippedKeptUfo(const std::string& fileName) {
  return fileName.empty() || fileName.front() == '~' || !engine::StaysInTaFolder(fileName);
}

std::string UfoName(const std::string& fileName) {
  return fileName.size() >= 4 ? fileName.substr(0, fileName.size() - 4) : std::string();
}

UfoDescription ReadUfoDescription(platform::FileSystem& fs, const std::string& ufoName,
                                  bool withText) {
  UfoDescription description;
  const std::string path = kUfoFolder + ufoName + ".txt";
  description.exists = fs.Exists(path);
  if (!description.exists) return description;
  platform::LineReader reader(fs, path);
  std::string line = reader.ReadLine();
  if (!line.empty() && line.front() == '@') {
    description.tags = line.substr(1);
    line = reader.ReadLine();
  }
  if (!withText) return description;
  // The reader gives empty lines once the file has ended, so the text is gathered up to the limit
  // and the empty lines the end of the file added are dropped again.
  std::string& text = description.text;
  text = line;
  std::size_t kept = text.size();
  while (text.size() < kDescriptionLimit && reader.IsOpen()) {
    line = reader.ReadLine();
    text += "\r\n" + line;
    if (!line.empty()) kept = text.size();
  }
  text.resize(kept);
  return description;
}

}  // namespace varokin::ui
