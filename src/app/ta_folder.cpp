#include "app/ta_folder.h"

#include "install/installation.h"
#include "platform/text.h"

namespace varokin::app {

namespace {

constexpr char kOption[] = "--ta-folder";
constexpr char kNameTheFolder[] =
    "Start Varokin in the TA folder, or name the folder with --ta-folder DIR.";

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool MoveTo(platform::FileSystem& fs, const std::string& folder) {
  return !folder.empty() && fs.SetCurrentDir(folder) && fs.Exists("totala.exe");
}

bool Found(platform::FileSystem& fs, settings::KnownFolders& known) {
  // A list that cannot be written costs only the next start's search.
  static_cast<void>(known.Remember(fs.CurrentDir()));
  return true;
}

void SayNotFound(Prompts& prompts) {
  prompts.Message(std::string(install::kNoTotalaExe) + "\n" + kNameTheFolder);
}

}  // namespace

std::optional<std::string> TakeTaFolderOption(std::vector<std::string>& arguments) {
  std::optional<std::string> folder;
  for (std::size_t i = 0; i < arguments.size();) {
    if (arguments[i] == kOption && i + 1 < arguments.size()) {
      folder = arguments[i + 1];
      arguments.erase(arguments.begin() + static_cast<std::ptrdiff_t>(i),
                      arguments.begin() + static_cast<std::ptrdiff_t>(i + 2));
    } else {
      ++i;
    }
  }
  return folder;
}

std::optional<std::string> TakeTaFolderOption(std::string& commandText) {
  const std::string option = std::string(kOption) + " ";
  std::size_t at = 0;
  while ((at = commandText.find(option, at)) != std::string::npos) {
    if (at == 0 || IsBlank(commandText[at - 1])) break;
    ++at;
  }
  if (at == std::string::npos) return std::nullopt;
  std::size_t p = at + option.size();
  while (p < commandText.size() && IsBlank(commandText[p])) ++p;
  std::string folder;
  if (p < commandText.size() && commandText[p] == '"') {
    const std::size_t close = commandText.find('"', p + 1);
    const std::size_t end = close == std::string::npos ? commandText.size() : close;
    folder = commandText.substr(p + 1, end - p - 1);
    p = close == std::string::npos ? end : close + 1;
  } else {
    const std::size_t start = p;
    while (p < commandText.size() && !IsBlank(commandText[p])) ++p;
    folder = commandText.substr(start, p - start);
  }
  if (folder.empty()) return std::nullopt;
  while (p < commandText.size() && IsBlank(commandText[p])) ++p;
  std::string before = commandText.substr(0, at);
  while (!before.empty() && IsBlank(before.back())) before.pop_back();
  const std::string after = commandText.substr(p);
  commandText = before.empty() || after.empty() ? before + after : before + " " + after;
  return folder;
}

bool HoldsTheGame(platform::FileSystem& fs, const std::string& folder) {
  return fs.Exists(folder + kSeparator + "totala.exe");
}

bool FindTaFolder(platform::FileSystem& fs, Prompts& prompts, settings::KnownFolders& known,
                  const TaFolderSearch& search) {
  if (search.option) {
    if (MoveTo(fs, *search.option)) return Found(fs, known);
    SayNotFound(prompts);
    return false;
  }
  if (fs.Exists("totala.exe")) return Found(fs, known);
  const std::string text = platform::LowerCase(search.commandText);
  if (!text.empty() && fs.Exists(text)) return true;
  // Only the folder used last counts: a player who has moved the game chooses again.
  const std::vector<std::string> folders = known.Read();
  if (!folders.empty() && HoldsTheGame(fs, folders.front()) && MoveTo(fs, folders.front())) {
    return Found(fs, known);
  }
  if (!search.choose) {
    SayNotFound(prompts);
    return false;
  }
  while (const std::optional<std::string> chosen = search.choose()) {
    if (MoveTo(fs, *chosen)) return Found(fs, known);
    SayNotFound(prompts);
  }
  return false;
}

}  // namespace varokin::app
