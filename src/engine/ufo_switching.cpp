#include "engine/ufo_switching.h"

#include "engine/pack_file.h"
#include "engine/ufo_files.h"
#include "platform/text.h"

namespace varokin::engine {

namespace {

// A UFO without a description file says so whatever the caller asked for.
std::optional<std::string> UfoPane(const std::string& ufo, const UfoDescription& description,
                                   bool showDescription) {
  if (!description.exists) return ufo + ":\r\n" + "No description available";
  if (showDescription) return ufo + ":\r\n" + description.text;
  return std::nullopt;
}

JournalPlan OneMove(const std::string& what, const std::string& from, const std::string& to) {
  JournalPlan plan;
  plan.what = what;
  plan.moves.push_back({from, to});
  return plan;
}

// A UFO switched by itself keeps a journal of its one move; within a pack it joins the pack's.
bool MoveUfo(Context& ctx, const JournalPlan& plan, const Framing& framing) {
  const JournalScope journal(ctx.relocator.JournalOfMoves(), [&plan] { return plan; });
  if (!journal.Started()) return ctx.relocator.Refuse(journal.Problem(), framing);
  const PlannedMove& move = plan.moves.front();
  return ctx.relocator.MoveChecked(move.from, move.to, framing);
}

}  // namespace

UfoSelection::UfoSelection(const std::vector<std::string>& enabledFiles,
                           const PackMembership& packs) {
  // One listing of the TA folder answers for every UFO: a look-up each costs thousands of system
  // calls at start-up. Names compare as the file system compares them, ASCII case aside.
  enabled_.reserve(enabledFiles.size());
  for (const std::string& fileName : enabledFiles) enabled_.insert(platform::LowerCase(fileName));
  for (const std::string& pack :
       packs.WholePacks([this](const std::string& ufo) { return Enabled(ufo); })) {
    whole_.insert(pack);
  }
}

bool UfoSelection::Enabled(const std::string& ufo) const {
  return enabled_.contains(platform::LowerCase(ufo + ".ufo"));
}

bool UfoSelection::Whole(const std::string& pack) const { return whole_.contains(pack); }

UfoListing UfoSwitching::List() const {
  UfoListing listing;
  listing.enabledFiles = ctx_.fs.Find("*.ufo");
  for (const std::string& fileName : listing.enabledFiles) {
    if (!SkippedEnabledUfo(fileName)) listing.enabled.push_back(UfoName(fileName));
  }
  for (const std::string& fileName : ctx_.fs.Find(std::string(kUfoFolder) + "*.ufo")) {
    if (!SkippedKeptUfo(fileName)) listing.kept.push_back(UfoName(fileName));
  }
  return listing;
}

void UfoSwitching::ReadPacks(const std::vector<std::string>& packs,
                             const std::vector<std::string>& ufos) {
  PackMembership& membership = ctx_.packMembership;
  membership.Reset(packs, ufos);
  for (const std::string& pack : packs) {
    platform::LineReader reader(ctx_.fs, kUfoFolder + pack);
    ForEachPackMember(reader, [&](std::string_view ufo) { membership.Add(pack, ufo); });
  }
}

UfoSelection UfoSwitching::Selection() const { return Selection(ctx_.fs.Find("*.ufo")); }

UfoSelection UfoSwitching::Selection(const std::vector<std::string>& enabledFiles) const {
  return UfoSelection(enabledFiles, ctx_.packMembership);
}

std::optional<UfoShown> UfoSwitching::Switch(const std::string& ufo) {
  if (ctx_.fs.Exists(DisabledPlace(ufo))) return Enable(ufo, true);
  if (ctx_.fs.Exists(EnabledPlace(ufo))) return Disable(ufo, true);
  ctx_.prompts.Message(ufo + ".ufo has dissappeared.  It was present when Varokin was started.");
  return std::nullopt;
}

UfoShown UfoSwitching::Enable(const std::string& ufo, bool showDescription) {
  UfoShown shown;
  shown.enabling = true;
  const bool kept = ctx_.fs.Exists(DisabledPlace(ufo));
  if (!kept && !ctx_.fs.Exists(EnabledPlace(ufo))) return shown;
  const UfoDescription description = ReadUfoDescription(ctx_.fs, ufo, showDescription);
  shown.pane = UfoPane(ufo, description, showDescription);
  if (kept) {
    if (!ctx_.state.IsCompatible(" " + description.tags + " ") &&
        ctx_.prompts.Message("This .UFO file (" + ufo +
                                 ".ufo) does not claim to be compatible with your current "
                                 "TC.\n\nDo you wish to disable it again?  (Recommended)",
                             Buttons::kYesNo) == Answer::kYes) {
      // A pack's journal planned this move.
      ctx_.relocator.JournalOfMoves().MoveSkipped();
      return shown;
    }
    // Whether a copy lies in the TA folder afterwards decides, not the move itself.
    static_cast<void>(
        MoveUfo(ctx_, OneMove("Enabling the UFO " + ufo, DisabledPlace(ufo), EnabledPlace(ufo)),
                {"Error enabling .ufo file\n\n", ""}));
  }
  shown.enabled = ctx_.fs.Exists(EnabledPlace(ufo));
  return shown;
}

UfoShown UfoSwitching::Disable(const std::string& ufo, bool showDescription) {
  UfoShown shown;
  if (ctx_.fs.Exists(EnabledPlace(ufo)) &&
      !MoveUfo(ctx_, OneMove("Disabling the UFO " + ufo, EnabledPlace(ufo), DisabledPlace(ufo)),
               {"Error disabling .ufo file\n\n", ""})) {
    shown.enabled = true;
    return shown;
  }
  shown.packsLeft = ctx_.packMembership.PacksNaming(ufo);
  shown.pane = UfoPane(ufo, ReadUfoDescription(ctx_.fs, ufo, showDescription), showDescription);
  return shown;
}

PackShown UfoSwitching::SwitchPack(const std::string& pack, bool enable) {
  PackShown shown;
  // A UFO listed from both folders is switched once, as one file.
  const std::vector<std::string> members = ctx_.packMembership.Members(pack);
  // One journal for the whole pack, planned as Enable and Disable decide whether to move.
  const JournalScope journal(ctx_.relocator.JournalOfMoves(), [&] {
    JournalPlan plan;
    plan.what = (enable ? "Enabling the UFO pack " : "Disabling the UFO pack ") + pack;
    for (const std::string& ufo : members) {
      const std::string from = enable ? DisabledPlace(ufo) : EnabledPlace(ufo);
      if (ctx_.fs.Exists(from)) {
        plan.moves.push_back({from, enable ? EnabledPlace(ufo) : DisabledPlace(ufo)});
      }
    }
    return plan;
  });
  if (journal.Started()) {
    for (const std::string& ufo : members) {
      shown.ufos.emplace_back(ufo, enable ? Enable(ufo, false) : Disable(ufo, false));
    }
  } else {
    ctx_.prompts.Message(journal.Problem());
    shown.refused = true;
  }
  const std::optional<std::string> header =
      ReadFileText(ctx_.fs, kUfoFolder + pack, kPackHeaderBytes);
  shown.pane = PackPane(ParsePackFile(header.value_or(""), false), pack);
  return shown;
}

}  // namespace varokin::engine
