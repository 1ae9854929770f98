// Varokin.INI as the player may have edited it, read and updated through the settings store: for
// the entries the file holds (and one it lacks, in a section it lacks) a value is written and
// read back. Each update must read back as written or be refused leaving the file as it was, must
// leave every other entry's value alone, and may change one line only, keeping every other byte.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "harness/sandbox.h"
#include "platform/file_system.h"
#include "settings/ini_document.h"
#include "settings/settings_store.h"

namespace {

using namespace varokin;

std::string_view Trim(std::string_view text) {
  // The blanks the reader trims, ^Z among them.
  const std::string_view blanks(" \t\r\v\f\x1A");
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == text.npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string Key(std::string_view section, std::string_view entry) {
  std::string key = std::string(Trim(section)) + '\n' + std::string(Trim(entry));
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

struct Name {
  std::string section;
  std::string entry;
};

// Up to eight section and entry names as a reader of the file would pick them out, spelled as the
// file spells them.
std::vector<Name> NamesIn(std::string_view text) {
  std::vector<Name> names;
  std::optional<std::string> section;
  while (!text.empty() && names.size() < 8) {
    const std::size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text = end == text.npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.front() == '[') {
      section = std::string(Trim(line.substr(1, line.rfind(']') - 1)));
    } else if (section && line.find('=') != line.npos) {
      names.push_back({*section, std::string(Trim(line.substr(0, line.find('='))))});
    }
  }
  return names;
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::Sandbox sandbox([](fuzz::Sandbox&) {});
  static const std::unique_ptr<platform::FileSystem> fs = platform::CreateHostFileSystem();
  const std::string text(reinterpret_cast<const char*>(data), size);
  sandbox.Begin({}, text);
  settings::SettingsStore settings(*fs, sandbox.SettingsPath());

  std::vector<Name> names = NamesIn(text);
  const std::vector<Name> known = names;
  names.push_back({"Previous Settings", "TC"});
  names.push_back({"Fuzz Section", "New Entry"});
  const std::string values[] = {"][Fuzz.tc", "", "two words", "a=b", "[x]", "0", " padded"};

  std::string before = text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const Name& name = names[i];
    const std::string& value = values[(i + size) % std::size(values)];
    std::vector<std::optional<std::string>> others;
    for (const Name& other : known) {
      others.push_back(settings::IniDocument(before).Find(other.section, other.entry));
    }

    settings::IniDocument document(before);
    const bool written = document.Set(name.section, name.entry, value);
    if (settings.WriteProfileString(name.section, name.entry, value) != written) {
      fuzz::Fail("the settings store and the document disagree on writing " + name.entry);
    }
    const std::string after = ReadFile(sandbox.SettingsPath());
    if (after != (written ? document.Text() : before)) fuzz::Fail("the file is not the document");
    if (!written) continue;

    if (settings::IniDocument(after).Find(name.section, name.entry) != value ||
        settings.GetProfileString(name.section, name.entry, "<missing>") != value) {
      fuzz::Fail("[" + name.section + "] " + name.entry + "=\"" + value +
                 "\" reads back differently");
    }
    for (std::size_t k = 0; k < known.size(); ++k) {
      if (Key(known[k].section, known[k].entry) == Key(name.section, name.entry)) continue;
      if (settings::IniDocument(after).Find(known[k].section, known[k].entry) != others[k]) {
        fuzz::Fail("writing " + name.entry + " changed " + known[k].entry);
      }
    }
    // What was taken out lies within one line: every other line is kept byte for byte.
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) {
      ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
      ++suffix;
    }
    if (before.substr(prefix, before.size() - prefix - suffix).find('\n') != std::string::npos) {
      fuzz::Fail("writing " + name.entry + " changed more than its line");
    }
    before = after;
  }
  sandbox.End(fuzz::Allowed::kNothing);
  return 0;
}
