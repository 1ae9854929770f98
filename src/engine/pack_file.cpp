#include "engine/pack_file.h"

#include "engine/relocation.h"

namespace varokin::engine {

std::string PackPath(const std::string& fileName) { return "Varokin\\UfoManager\\" + fileName; }

bool IsPlainPackFileName(const std::string& fileName) {
  return fileName.find_first_of("\\/") == std::string::npos && StaysInTaFolder(fileName);
}

std::string StoredDescription(const std::string& text) {
  std::string stored;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    if (c == '\r' || c == '\n') {
      stored += "##";
      if (c == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
    } else {
      stored += c;
    }
  }
  return stored;
}

std::string PackFileText(const UfoPack& pack) {
  std::string text = pack.name + "\r\n" + StoredDescription(pack.description) + "\r\n";
  for (const std::string& ufo : pack.ufos) text += ufo + "\r\n";
  return text;
}

bool WritePackFile(platform::FileSystem& fs, const std::string& path, const UfoPack& pack) {
  return fs.WriteFileAtomic(path, PackFileText(pack));
}

}  // namespace varokin::engine
