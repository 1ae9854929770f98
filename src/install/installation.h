#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "engine/context.h"
#include "platform/file_system.h"
#include "platform/processes.h"

namespace varokin::install {

// What the check says when the working directory holds no TotalA.exe.
inline constexpr char kNoTotalaExe[] =
    "Unable to find TotalA.exe.  Please make sure you have Varokin installed in the same "
    "directory as Total Annihilation";

// Makes sure the TA folder holds the game's v3.1 files as the switching engine expects them,
// renames archives to the names the program works with, may offer the monolithic compilation,
// and creates the program's folders. False when the program must end (the user has been told).
bool CheckInstallation(engine::Context& ctx, platform::Processes& processes);

// Seconds since some fixed moment; the compilation times itself with it.
using SecondsClock = std::function<std::int64_t()>;

// Merges the game's archives into one totala1.hpi with HPIDump and HpiPack and moves the separate
// archives into BackupOTAData. True when every step succeeded.
bool CompileMonolithic(engine::Context& ctx, platform::Processes& processes,
                       const SecondsClock& clock = {});

// Deletes a folder and everything in it. A link inside it is removed, never followed.
bool DeleteFolderTree(platform::FileSystem& fs, const std::string& path);

// "HH hours MM minutes and SS seconds" of the time of day: whole days are dropped.
std::string FormatElapsed(std::int64_t seconds);

}  // namespace varokin::install
