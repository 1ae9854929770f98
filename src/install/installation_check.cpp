#include <cstring>

#include "engine/game_files.h"
#include "install/installation.h"

namespace varokin::install {

namespace {

// The working flags of one run of the check.
struct CheckRun {
  engine::Context& ctx;
  bool knownState = true;
  bool expansionPresent = false;

  void Report(const std::string& text) {
    ctx.prompts.Message(text);
    knownState = false;
  }
};

bool SignatureMatches(platform::FileSystem& fs) {
  const auto first = fs.ReadAt("totala.exe", engine::kSignatureOffset1, sizeof engine::kSignature1);
  const auto second =
      fs.ReadAt("totala.exe", engine::kSignatureOffset2, sizeof engine::kSignature2);
  return first && second && first->size() == sizeof engine::kSignature1 &&
         second->size() == sizeof engine::kSignature2 &&
         std::memcmp(first->data(), engine::kSignature1, sizeof engine::kSignature1) == 0 &&
         std::memcmp(second->data(), engine::kSignature2, sizeof engine::kSignature2) == 0;
}

// False when the user chose to close the program over the executable.
bool CheckExecutable(engine::Context& ctx) {
  bool valid = false;
  if (ctx.fs.Size("totala.exe") == engine::kTotalaExeSize) {
    if (ctx.fs.OpenRead("totala.exe") == nullptr) {
      valid = ctx.prompts.Message(
                  "Unable to read your TotalA.exe file to verify that it is valid, do you wish to "
                  "assume that it is?",
                  Buttons::kYesNo) == Answer::kYes;
    } else {
      valid = SignatureMatches(ctx.fs);
    }
  }
  if (valid) return true;
  return ctx.prompts.Message(
             "Your TotalA.exe does not appear to be the correct version, please make sure you have "
             "TA v3.1 installed and are not using a hacked .exe\n\nDo you want to close VKN now? "
             "It may still work, but it could also cause TA to not function correctly",
             Buttons::kYesNo) == Answer::kNo;
}

void CheckBaseArchive(CheckRun& run) {
  platform::FileSystem& fs = run.ctx.fs;
  const auto size = fs.Size("totala1.hpi");
  if (!size) {
    run.Report("Unable to locate totala1.hpi");
    return;
  }
  if (*size == engine::kTotala1HpiSize) return;
  if (fs.Exists("totala1.###")) {
    const auto kept = fs.Size("totala1.###");
    if (kept && *kept > engine::kMonolithicThreshold) run.ctx.startup.monolithicTotala1 = true;
  } else if (*size > engine::kMonolithicThreshold) {
    run.ctx.startup.monolithicTotala1 = true;
  } else if (run.ctx.startup.warnModifiedFiles) {
    run.Report(
        "The file totala1.hpi has been modified.\n\n You might want to replace it with the "
        "version from the CD (stored within totala3.hpi)\n\nIf you have compiled all your Cavedog "
        "TA files into a single totala1.hpi file then you can disable this warning from the "
        "\"Warnings\" menu.  You'll probably also want to force VKN to believe you have CC "
        "installed from the \"Other Settings\" menu");
  }
}

struct Expansion {
  const char* name;  // "ccdata" or "btdata"
  std::uint64_t size;
  const char* cdName;  // as the warnings name the CD
  bool setsCcInstalled;
};

void CheckExpansion(CheckRun& run, const Expansion& expansion) {
  platform::FileSystem& fs = run.ctx.fs;
  const std::string name = expansion.name;
  const std::string hpi = name + ".hpi";
  const std::string ccx = name + ".ccx";
  const auto found = [&] {
    if (expansion.setsCcInstalled) run.ctx.startup.ccInstalled = true;
    run.expansionPresent = true;
  };
  if (fs.Exists(hpi)) {
    if (fs.Size(hpi) == expansion.size) {
      found();
    } else {
      run.Report("The file " + hpi +
                 " has been modified.\n\n You might want to replace it with the " + ccx +
                 " file from " + expansion.cdName + " cd");
    }
  } else if (fs.Exists(ccx)) {
    if (fs.Size(ccx) == expansion.size) {
      found();
      if (fs.Rename(ccx, hpi)) {
        run.ctx.prompts.Message("The file " + ccx + " has been renamed " + hpi +
                                " in order to make it compatible with VKN\n TA behavior will be "
                                "unchanged.");
      } else {
        run.Report("Unable to rename " + ccx + " to " + hpi +
                   ", please shut down VKN and do this manualy");
      }
    } else {
      // Though the text announces a rename, a damaged archive is left under its CD name rather
      // than put where the game would load it.
      run.Report("The file " + ccx + " has been modified.\n\n You might want to replace it with " +
                 "the version from " + expansion.cdName + " cd\n\nFor the time being it will be " +
                 "renamed " + hpi + " in order to make it compatible with VKN\n TA behavior will " +
                 "be unchanged.");
    }
  }
}

void CheckPatch(CheckRun& run) {
  platform::FileSystem& fs = run.ctx.fs;
  if (fs.Exists("rev31.ufo")) {
    if (fs.Size("rev31.ufo") != engine::kRev31UfoSize) {
      run.Report(
          "The file rev31.ufo has been modified.\n\n You might want to delete it and reinstall the "
          "TAv3.1 patch");
    }
  } else if (fs.Exists("rev31.gp3")) {
    if (fs.Size("rev31.gp3") != engine::kRev31UfoSize) {
      run.Report(
          "The file rev31.gp3 has been modified.\n\n You need to reinstall the TA v3.1 patch");
    } else if (fs.Rename("rev31.gp3", "rev31.ufo")) {
      run.ctx.prompts.Message(
          "The file rev31.gp3 has been renamed rev31.ufo in order to make it compatible with "
          "VKN.\n TA behavior will be unchanged.");
    } else {
      run.Report(
          "Unable to rename rev31.gp3 to rev31.ufo, please shut down VKN and do this manualy");
    }
  } else {
    run.Report(
        "Unable to locate rev31.gp3, you should have the TA v3.1 patch installed in order to use "
        "VKN");
  }
}

void OfferCompilation(CheckRun& run, platform::Processes& processes) {
  if (!run.knownState || !run.expansionPresent ||
      run.ctx.settings.Get(settings::kCompileMonolithic) == 0) {
    return;
  }
  const Answer answer = run.ctx.prompts.Message(
      "It is recommended that you compile all your primary TA data files (totala1, ccdata, "
      "btdata, and rev31) into one monolithic totala1.hpi file.\nIt decreases TA's loading time "
      "and prevents a number of problems which can occur because of VKN's file renaming.\n\nWould "
      "you like to compile them into one monolithic totala1.hpi file now? (Strongly "
      "Recommended)\nYou should make sure you have at least 150 megabytes of free space, "
      "preferably 200, before attempting this.\n\n If you do not, and you are sure that TA is "
      "working fine then you can disable this message by checking \"Don't ask to recompile "
      "totala1.hpi\" on the options menu",
      Buttons::kYesNo, Icon::kQuestion);
  if (answer == Answer::kYes) run.knownState = CompileMonolithic(run.ctx, processes);
}

struct ProgramFolder {
  const char* path;
  const char* inTheWay;
  const char* createError;
};

constexpr ProgramFolder kProgramFolders[] = {
    {"Varokin",
     "A file named Varokin was in your TA directory.  Varokin requires theexistance of a "
     "directory with this name, so the file has been renamed as ",
     "An error occured while attempting to create the directory Varokin in your TA directory, "
     "please shut down VKN and manually create a directory with this name"},
    {"Varokin\\UfoManager",
     "A file named UfoManager was in your TA\\Varokin directory.  Varokin requires the existance "
     "of a directory with this name, so the file has been renamed as ",
     "An error occured while attempting to create the directory UfoManager in your TA\\Varokin "
     "directory, please shut down VKN and manually create a directory with this name"},
    {"Varokin\\Snapshots",
     "A file named Snapshots was in your TA\\Varokin directory.  Varokin requires the existance "
     "of a directory with this name, so the file has been renamed as ",
     "An error occured while attempting to create the directory Snapshots in your TA\\Varokin "
     "directory, please shut down VKN and manually create a directory with this name"},
};

void MakeProgramFolder(CheckRun& run, const ProgramFolder& folder) {
  platform::FileSystem& fs = run.ctx.fs;
  const std::string path = folder.path;
  if (fs.IsFolder(path)) return;
  if (fs.Exists(path)) {
    std::string freeName;
    for (unsigned n = 0;; ++n) {
      freeName = path + std::to_string(n);
      if (!fs.Exists(freeName)) break;
    }
    // A rename that fails leaves the name taken: creating the folder then fails and says so.
    static_cast<void>(fs.Rename(path, freeName));
    run.ctx.prompts.Message(folder.inTheWay + freeName +
                            " and a directory will be created in it's place");
  }
  if (!fs.CreateFolder(path)) run.Report(folder.createError);
}

}  // namespace

bool CheckInstallation(engine::Context& ctx, platform::Processes& processes) {
  if (!ctx.fs.Exists("totala.exe")) {
    ctx.prompts.Message(kNoTotalaExe);
    return false;
  }
  if (!CheckExecutable(ctx)) return false;

  CheckRun run{ctx};
  CheckBaseArchive(run);
  // With a TC active its files may stand in place of the game's, and a monolithic archive holds
  // the expansions itself.
  const bool skip = !ctx.startup.warnModifiedFiles || ctx.startup.previousTc != "none" ||
                    ctx.startup.monolithicTotala1;
  if (!skip) {
    CheckExpansion(run, {"ccdata", engine::kCcdataHpiSize, "The Core Contingency", true});
    CheckExpansion(run, {"btdata", engine::kBtdataHpiSize, "the Battle Tactics", false});
    CheckPatch(run);
    OfferCompilation(run, processes);
  }

  if (ctx.fs.Rename("tademo.ufo", "tademo.hpi")) {
    ctx.prompts.Message(
        "TaDemo.ufo has been renamed to TaDemo.hpi, which should prevent a known problem which, "
        "when using a monolithic Totala1.hpi file, causes TA to crash while loading.\n\nThis fix "
        "also removes the custom Tarnwhistle load screen (as an unavoidable side effect), if you "
        "can still see that then the problem is probably still there as well, and don't be "
        "surprised if TA crashes when it finishes loading the units");
  }
  for (const ProgramFolder& folder : kProgramFolders) MakeProgramFolder(run, folder);

  if (run.knownState) return true;
  return ctx.prompts.Message(
             "The TA file structure is not in a known state, it is recommended that you quit now "
             "and see about reparing any problems reported.\n\n Do you wish to Quit now?",
             Buttons::kYesNo) == Answer::kNo;
}

}  // namespace varokin::install
