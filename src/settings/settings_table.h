#pragma once

#include <string>
#include <string_view>

// Every entry of Varokin.INI: its section, its name, its type and what it reads as when missing.
// Read and write them only through these, so that no name or default is spelt twice.
namespace varokin::settings {

struct IntSetting {
  std::string_view section;
  std::string_view entry;
  int def;
};

struct TextSetting {
  std::string_view section;
  // A string: the Mutator slots' names are made at run time.
  std::string entry;
  std::string_view def;
};

namespace sections {
inline constexpr std::string_view kVarokin = "Varokin";
inline constexpr std::string_view kTaSetup = "TA Setup";
inline constexpr std::string_view kWarnings = "Warnings";
inline constexpr std::string_view kPrevious = "Previous Settings";
inline constexpr std::string_view kActiveMutators = "Active Mutators";
}  // namespace sections

// Asked once, at the first start: 1 until the user has agreed to let Varokin rename files.
inline constexpr IntSetting kFirstUse{sections::kVarokin, "First Use", 1};
inline constexpr IntSetting kUseTahook{sections::kVarokin, "Use TAHook", 0};
inline const TextSetting kTahookPath{sections::kVarokin, "TAHook Path", ""};
// 0 once the user has said not to be asked again about compiling the monolithic archive.
inline constexpr IntSetting kCompileMonolithic{sections::kVarokin, "Compile Monolithic", 1};
inline constexpr IntSetting kConfigureIcq{sections::kVarokin, "Configure ICQ", 1};
inline constexpr IntSetting kCcInstalled{sections::kTaSetup, "CC Installed", 0};
// The entry's name is misspelt in every Varokin.INI already written; it stays so.
inline constexpr IntSetting kWarnModifiedFiles{sections::kWarnings, "Modifed/Missing File", 1};
inline constexpr IntSetting kWarnCustomExe{sections::kWarnings, "Custom EXE", 1};
// The active TC's and AI's configuration files; "none" for the unmodified game and default AI.
inline const TextSetting kPreviousTc{sections::kPrevious, "TC", "none"};
inline const TextSetting kPreviousAi{sections::kPrevious, "AI", "none"};
inline constexpr IntSetting kAllowDefaultAi{sections::kPrevious, "Allow Default AI", 1};
inline constexpr IntSetting kSelectedTab{sections::kPrevious, "SelectedTab", 1};
inline const TextSetting kGameName{sections::kPrevious, "Game Name", "Unnamed_Game"};
inline const TextSetting kServerIp{sections::kPrevious, "Server IP", "0.0.0.0"};

// The Mutator file active in a slot; empty for a free slot.
TextSetting MutatorSlot(int slot);

}  // namespace varokin::settings
