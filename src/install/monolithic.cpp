#include <cstdio>

#include "install/installation.h"
#include "platform/clock.h"

namespace varokin::install {

namespace {

constexpr char kWorkFolder[] = "Varokin\\MonolithicTotala1";
constexpr char kBackupFolder[] = "BackupOTAData";

struct Tool {
  const char* path;
  std::uint64_t size;
  const char* missing;
  const char* wrongVersion;
};

constexpr Tool kTools[] = {
    {"Varokin\\HpiDump.exe", 69632,
     "Unable to locate HPIDump.exe, both it and HPIPack.exe must be in your Varokin folder in "
     "order to compile a monolithic totala1.hpi file.",
     "Wrong version of HPIDump detected in your Varokin folder.  It must be version 1.9.1"},
    {"Varokin\\HpiPack.exe", 92160,
     "Unable to locate HpiPack.exe, both it and HPIDump.exe must be in your Varokin folder in "
     "order to compile a monolithic totala1.hpi file.",
     "Wrong version of HpiPack detected in your Varokin folder.  It must be version 1.9.1"},
};

// The archives in the order they are expanded and moved aside; the optional ones only when
// present.
struct Archive {
  const char* name;
  bool optional;
  const char* backupName;
};

constexpr Archive kArchives[] = {
    {"totala1.hpi", false, "totala1.hpi"},
    {"ccdata.hpi", true, "ccdata.ccx"},
    {"btdata.hpi", true, "btdata.ccx"},
    {"rev31.ufo", false, "rev31.gp3"},
};

bool ToolsReady(engine::Context& ctx) {
  for (const Tool& tool : kTools) {
    if (!ctx.fs.Exists(tool.path)) {
      ctx.prompts.Message(tool.missing, Buttons::kOk, Icon::kStop);
      return false;
    }
    if (ctx.fs.Size(tool.path) != tool.size) {
      ctx.prompts.Message(tool.wrongVersion, Buttons::kOk, Icon::kStop);
      return false;
    }
  }
  return true;
}

bool FoldersReady(engine::Context& ctx) {
  const auto stop = [&](const char* text) {
    ctx.prompts.Message(text, Buttons::kOk, Icon::kStop);
    return false;
  };
  if (!ctx.fs.Exists(kBackupFolder) && !ctx.fs.CreateFolder(kBackupFolder)) {
    return stop("Unable to create the folder BackupOTAData within your TA folder");
  }
  if (ctx.fs.Exists(kWorkFolder)) {
    return stop(
        "A file or folder named MonolithicTotala1 already exists within your Varokin folder, "
        "Please remove or rename it after shutting down VKN");
  }
  if (!ctx.fs.CreateFolder(kWorkFolder)) {
    return stop("Unable to create the folder MonolithicTotala1 within your Varokin folder");
  }
  return true;
}

// The optional archives are looked at once, before anything is run, so that the moves afterwards
// match the expansions made.
std::vector<const Archive*> ArchivesPresent(platform::FileSystem& fs) {
  std::vector<const Archive*> archives;
  for (const Archive& archive : kArchives) {
    if (!archive.optional || fs.Exists(archive.name)) archives.push_back(&archive);
  }
  return archives;
}

bool ExpandAndPack(engine::Context& ctx, platform::Processes& processes,
                   const std::vector<const Archive*>& archives, const std::string& taFolder) {
  bool success = true;
  for (const Archive* archive : archives) {
    const std::string name = archive->name;
    const auto status = processes.RunCommandLine(
        "Varokin\\hpidump.exe " + name + " -o Varokin\\MonolithicTotala1 *.*", taFolder);
    if (status != 0) {
      ctx.prompts.Message(
          "An error occurred while attempting to expand " + name + ", compilation canceled",
          Buttons::kOk, Icon::kStop);
      success = false;
    }
  }
  if (!success) return false;
  const auto status = processes.RunAndWait(
      "Varokin\\hpipack.exe", " -d Varokin\\MonolithicTotala1 -f totala.hpi auto", taFolder);
  if (status == 0) return true;
  ctx.prompts.Message(
      "An error occurred while attempting to compress the monolithic totala.hpi file, compilation "
      "canceled",
      Buttons::kOk, Icon::kStop);
  return false;
}

std::string BackupPlace(const Archive& archive) {
  return std::string(kBackupFolder) + "\\" + archive.backupName;
}

// Killed between the moves, the game would have no totala1.hpi: the moves keep a journal, so that
// the next start can finish or undo them.
bool MoveIntoPlace(engine::Context& ctx, const std::vector<const Archive*>& archives) {
  const engine::JournalScope journal(ctx.relocator.JournalOfMoves(), [&] {
    engine::JournalPlan plan;
    plan.what = "Putting the monolithic totala1.hpi in place";
    for (const Archive* archive : archives)
      plan.moves.push_back({archive->name, BackupPlace(*archive)});
    plan.moves.push_back({"totala.hpi", "totala1.hpi"});
    return plan;
  });
  if (!journal.Started()) {
    ctx.prompts.Message(journal.Problem(), Buttons::kOk, Icon::kExclamation);
    return false;
  }
  bool success = true;
  const auto move = [&](const std::string& from, const std::string& to, const std::string& text) {
    if (ctx.relocator.MoveAsIs(from, to)) return;
    ctx.prompts.Message(text, Buttons::kOk, Icon::kExclamation);
    success = false;
  };
  for (const Archive* archive : archives) {
    const std::string name = archive->name;
    move(name, BackupPlace(*archive),
         "Unable to move " + name +
             " into the BackupOTAData folder, please do this manualy and then restart VKN");
  }
  move("totala.hpi", "totala1.hpi",
       "Unable to rename totala.hpi to totala1.hpi, please do this manualy and then restart VKN");
  return success;
}

}  // namespace

std::string FormatElapsed(std::int64_t seconds) {
  const std::int64_t ofDay = ((seconds % 86400) + 86400) % 86400;
  char text[64];
  std::snprintf(text, sizeof text, "%02d hours %02d minutes and %02d seconds",
                static_cast<int>(ofDay / 3600), static_cast<int>(ofDay / 60 % 60),
                static_cast<int>(ofDay % 60));
  return text;
}

bool CompileMonolithic(engine::Context& ctx, platform::Processes& processes,
                       const SecondsClock& clock) {
  const SecondsClock now = clock ? clock : [] { return platform::Now().seconds; };
  // The game reads the archives while it runs: they are neither expanded nor moved under it.
  if (engine::RefuseWhileGameRuns(ctx, &processes) || !ToolsReady(ctx) || !FoldersReady(ctx))
    return false;

  ctx.prompts.Message(
      "Preparing to compile monolithic totala1.hpi file, Hit OK and then leave your computer "
      "alone until notified by VKN that the compilation is complete.\n\nThis will take awhile (it "
      "took about 10 minutes on my 300MHz K6-2)");
  const std::int64_t started = now();
  const std::vector<const Archive*> archives = ArchivesPresent(ctx.fs);
  bool success = ExpandAndPack(ctx, processes, archives, ctx.fs.CurrentDir());
  const std::int64_t elapsed = now() - started;

  if (success) {
    ctx.prompts.Message("Finished compiling monolithic totala1.hpi file.\n\n It took " +
                        FormatElapsed(elapsed));
    // The game may have been started while the tools ran.
    success = !engine::RefuseWhileGameRuns(ctx, &processes);
  }
  if (success) {
    ctx.startup.monolithicTotala1 = true;
    success = MoveIntoPlace(ctx, archives);
    if (success) {
      ctx.prompts.Message(
          "The original TA files have been moved into the BackupOTAData folder in yout TA "
          "directory, you can delete them to reclaim the 60+ megs of drive space they're using");
    }
  }
  if (!DeleteFolderTree(ctx.fs, kWorkFolder)) {
    ctx.prompts.Message(
        "Unable to delete the MonolithicTotala1 folder in your Varokin folder.  It's recommended "
        "that you do so manually to reclaim 80+ megs of otherwise wasted drive space",
        Buttons::kOk, Icon::kExclamation);
  }
  return success;
}

// A file, or a link of either kind, goes with one removal of the entry itself; only a real folder
// is descended into, so nothing outside path is ever touched. "*" rather than "*.*": our wildcard
// is literal about the dot, and the archives expand into folders such as "units".
bool DeleteFolderTree(platform::FileSystem& fs, const std::string& path) {
  for (const std::string& name : fs.Find(path + "\\*")) {
    const std::string entry = path + "\\" + name;
    if (fs.RemoveFile(entry)) continue;
    if (!fs.IsFolder(entry)) return false;
    if (!fs.RemoveFolder(entry) && !DeleteFolderTree(fs, entry)) return false;
  }
  return fs.RemoveFolder(path);
}

}  // namespace varokin::install
