#include "engine/ufo_files.h"

#include <algorithm>
#include <memory>

#include "engine/relocation.h"
#include "platform/line_reader.h"
#include "platform/text.h"

namespace varokin::engine {

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
  return SameNameIgnoringCase(fileName, "rev31.ufo") || !StaysInTaFolder(fileName);
}

bool SkippedKeptUfo(const std::string& fileName) {
  return fileName.empty() || fileName.front() == '~' || !StaysInTaFolder(fileName);
}

std::string UfoName(const std::string& fileName) {
  return fileName.size() >= 4 ? fileName.substr(0, fileName.size() - 4) : std::string();
}

std::string EnabledPlace(const std::string& ufoName) { return ufoName + ".ufo"; }
std::string DisabledPlace(const std::string& ufoName) { return kUfoFolder + ufoName + ".ufo"; }

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

std::optional<std::string> ReadFileText(platform::FileSystem& fs, const std::string& path,
                                        std::size_t maxBytes) {
  const std::unique_ptr<platform::InputFile> file = fs.OpenRead(path);
  if (!file) return std::nullopt;
  std::string text;
  constexpr std::size_t kChunk = 64 * 1024;
  while (text.size() < maxBytes) {
    const std::size_t size = text.size();
    const std::size_t wanted = std::min(kChunk, maxBytes - size);
    text.resize(size + wanted);
    const std::size_t got = file->Read(text.data() + size, wanted);
    text.resize(size + got);
    if (got == 0) break;
  }
  return text;
}

std::string_view TextLines::NextLine(std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  const std::size_t limit = bufferSize - 1;
  const std::size_t begin = pos_;
  std::size_t end = pos_;  // one past the line's last character
  while (pos_ < text_.size()) {
    const char c = text_[pos_];
    if (c == '\n') {
      ++pos_;
      break;
    }
    if (c == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') {
      pos_ += 2;
      break;
    }
    // A full line leaves the rest, a lone CR too, to the next read.
    if (end - begin == limit) break;
    end = ++pos_;
  }
  const std::string_view line = text_.substr(begin, end - begin);
  return line.substr(0, line.find('\0'));
}

}  // namespace varokin::engine
