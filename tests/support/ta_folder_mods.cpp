// The builders of configuration files, UFOs and packs, in the formats the program reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "support/ta_folder.h"

namespace varokin::fixtures {

namespace {

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace

std::string TaFolder::Tc(const std::string& name, const std::string& title,
                         const std::string& description, const std::string& tags,
                         const std::vector<TcPair>& pairs) {
  const std::string fileName = "][" + name + ".tc";
  std::vector<std::string> lines{title, description, tags};
  for (const TcPair& pair : pairs) {
    lines.push_back(pair.stored + " " + pair.installed);
    const std::string stored = "Varokin\\" + pair.stored;
    if (!Exists(stored)) Text(stored, "TC " + name + ": " + pair.stored);
  }
  Text("Varokin\\" + fileName, Lines(lines));
  return fileName;
}

std::string TaFolder::Mutator(const std::string& name, const std::string& title,
                              const std::string& description, const std::string& tags, int count) {
  const std::string stem = "}{" + name;
  // A count of zero or less still means the one file B.ccx.
  for (int k = 0; k <= std::max(count, 0); ++k) {
    const std::string payload = k == 0 ? stem + ".ccx" : stem + "(" + std::to_string(k) + ").ccx";
    if (!Exists("Varokin\\" + payload)) Text("Varokin\\" + payload, "Mutator " + payload);
  }
  const std::string fileName = stem + ".vkn";
  Text("Varokin\\" + fileName, Lines({title, description, tags, std::to_string(count)}));
  return fileName;
}

std::string TaFolder::Ai(const std::string& name, const std::string& title,
                         const std::string& description, const std::string& tags,
                         const std::vector<AiPayload>& payloads) {
  const std::string stem = "^^" + name;
  std::vector<std::string> lines{title, description, tags};
  for (std::size_t i = 0; i < payloads.size(); ++i) {
    lines.push_back(payloads[i].installed);
    const std::string stored = "Varokin\\" + stem + "(" + std::to_string(i + 1) + ")";
    if (Exists(stored)) continue;
    // A folder payload carries a file, so that its move shows in an inventory.
    Text(payloads[i].folder ? stored + "\\payload.txt" : stored, "AI " + stored);
  }
  const std::string fileName = stem + ".ai";
  Text("Varokin\\" + fileName, Lines(lines));
  return fileName;
}

void TaFolder::Ufo(const std::string& name, UfoPlace place, const std::optional<UfoText>& text) {
  const std::string folder = place == UfoPlace::kEnabled ? "" : "Varokin\\UfoManager\\";
  Text(folder + name + ".ufo", "UFO " + name);
  if (!text) return;
  std::vector<std::string> lines;
  if (text->tags) lines.push_back("@" + *text->tags);
  lines.push_back(text->title);
  lines.push_back(text->description);
  Text("Varokin\\UfoManager\\" + name + ".txt", Lines(lines));
}

void TaFolder::Pack(const std::string& fileName, const std::string& title,
                    const std::string& description, const std::vector<std::string>& ufoNames) {
  std::vector<std::string> lines{title, description};
  lines.insert(lines.end(), ufoNames.begin(), ufoNames.end());
  Text("Varokin\\UfoManager\\" + fileName, Lines(lines));
}

void AddBigCollection(const std::filesystem::path& root) {
  const auto write = [](const std::filesystem::path& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    if (!file) ADD_FAILURE() << "Could not write " << path;
  };
  const auto numbered = [](const char* kind, int n) {
    char name[32];
    std::snprintf(name, sizeof name, "%s %03d", kind, n);
    return std::string(name);
  };
  for (int n = 0; n < 150; ++n) {
    const char* kind = n % 10 == 0 ? "Fast" : "Heavy";
    const std::string stem = "}{" + std::string(kind) + std::to_string(n);
    write(root / "Varokin" / (stem + ".ccx"), "Mutator " + stem);
    write(root / "Varokin" / (stem + ".vkn"), Lines({numbered(kind, n), "d", "*", "0"}));
  }
  for (int n = 0; n < 400; ++n) {
    const std::string name = numbered(n % 10 == 0 ? "Tank" : "Plane", n);
    write(root / "Varokin" / "UfoManager" / (name + ".ufo"), "UFO " + name);
  }
}

}  // namespace varokin::fixtures
