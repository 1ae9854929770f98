#include "engine/pack_file.h"

#include "engine/config_files.h"
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

UfoPack ParsePackFile(std::string_view text, bool withUfos) {
  UfoPack pack;
  TextLines lines(text);
  pack.name = lines.NextLine();
  pack.description = DecodeDescription(std::string(lines.NextLine()));
  if (!withUfos) return pack;
  TextLines members(text);
  ForEachPackMember(members, [&](std::string_view ufo) { pack.ufos.emplace_back(ufo); });
  return pack;
}

std::string PackPane(const UfoPack& pack, const std::string& fileName) {
  return pack.name + ": \r\n" + pack.description + "\r\n\r\n  -- " + fileName;
}

bool WritePackFile(platform::FileSystem& fs, const std::string& path, const UfoPack& pack) {
  return fs.WriteFileAtomic(path, PackFileText(pack));
}

bool SaveUfoPack(platform::FileSystem& fs, Prompts& prompts, const std::string& fileName,
                 const UfoPack& pack) {
  // The file name is typed, so it may point anywhere.
  if (!IsPlainPackFileName(fileName)) {
    prompts.Message("The file name \"" + fileName +
                    "\" cannot be used: a UFO pack is a file of its own in Varokin\\UfoManager, "
                    "without folders or drive letters");
    return false;
  }
  const std::string path = PackPath(fileName);
  if (fs.Exists(path) &&
      prompts.Message("A UFO pack with this name already exists, do you want to overwrite it?",
                      Buttons::kYesNo, Icon::kExclamation) != Answer::kYes) {
    return true;
  }
  if (WritePackFile(fs, path, pack)) {
    prompts.Message("The UFO pack " + pack.name + " will be available next time you start Varokin");
  } else {
    prompts.Message("The file " + path + " could not be created");
  }
  return true;
}

}  // namespace varokin::engine
