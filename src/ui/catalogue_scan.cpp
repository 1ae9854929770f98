// Filling the lists at start-up from the files found.
#include <array>
#include <string>
#include <vector>

#include "engine/config_files.h"
#include "engine/ufo_files.h"
#include "platform/line_reader.h"
#include "ui/switcher_dlg.h"

namespace varokin::ui {

namespace {

// Display names are read into a 64-character buffer: at most 63 characters are shown.
constexpr std::size_t kNameBuffer = 64;

// Lists the files of one kind. Once the name pool has refused a name, no later file of any kind
// is listed in this run.
class KindScanner {
 public:
  explicit KindScanner(engine::Context& ctx) : ctx_(ctx) {}

  // onListed(row, poolIndex, fileName) applies the kind's rule to a file just listed.
  template <class OnListed>
  void Scan(const std::string& pattern, const std::string& folder, ListBox& list,
            OnListed onListed) {
    for (const std::string& fileName : ctx_.fs.Find(pattern)) {
      if (poolFull_) return;
      const int poolIndex = ctx_.state.modNamePool.Add(fileName);
      if (poolIndex < 0) {
        poolFull_ = true;
        return;
      }
      platform::LineReader reader(ctx_.fs, folder + fileName);
      const std::string title = reader.ReadLine(kNameBuffer);
      if (title.empty()) continue;
      const int row = list.AddString(title);
      if (row < 0) continue;
      list.SetItemData(row, poolIndex);
      onListed(row, poolIndex, fileName);
    }
  }

 private:
  engine::Context& ctx_;
  bool poolFull_ = false;
};

// An entry present but empty ("TC=") reads as the unmodified game too.
std::string RememberedOrNone(settings::SettingsStore& settings,
                             const settings::TextSetting& setting) {
  std::string name = settings.Get(setting);
  return name.empty() ? "none" : name;
}

bool Remembered(const std::string& name) { return !name.empty() && name != "none"; }

}  // namespace

void CSwitcherDlg::ScanCatalogue() {
  engine::ModState& state = ctx_.state;
  Prompts& prompts = ctx_.prompts;
  KindScanner scanner(ctx_);

  const std::string rememberedTc = RememberedOrNone(ctx_.settings, settings::kPreviousTc);
  tc_.ValidateTc(rememberedTc);
  Show(tc_.Shown(), c_.tcPane);
  state.currentTc = engine::kNoMod;
  scanner.Scan(engine::ConfigPattern(engine::ModKind::kTotalConversion), "Varokin\\", c_.tcList,
               [&](int row, int poolIndex, const std::string& fileName) {
                 if (fileName != rememberedTc) return;
                 state.currentTc = poolIndex;
                 c_.tcList.SetCurSel(row);
               });
  if (state.currentTc == engine::kNoMod && Remembered(rememberedTc)) {
    prompts.Message("The configuration file for the last Total Conversion used (" + rememberedTc +
                    ")  has dissappeared");
  }
  c_.tcList.InsertString(0, "*Original TA*");
  c_.tcList.SetItemData(0, engine::kNoMod);
  if (state.currentTc == engine::kNoMod) c_.tcList.SetCurSel(0);
  state.lastTcListPos = c_.tcList.GetCurSel();

  // All slots from one look at the settings file rather than one each.
  std::vector<settings::TextSetting> slotSettings;
  for (int slot = 0; slot < engine::kMutatorSlotCount; ++slot) {
    slotSettings.push_back(settings::MutatorSlot(slot));
  }
  const std::vector<std::string> slotNames = ctx_.settings.Get(slotSettings);
  engine::SlotArray<std::string> rememberedMutators;
  for (int slot = 0; slot < engine::kMutatorSlotCount; ++slot) {
    rememberedMutators[slot] = slotNames[static_cast<std::size_t>(slot)];
  }
  scanner.Scan(engine::ConfigPattern(engine::ModKind::kMutator), "Varokin\\", c_.mutatorList,
               [&](int row, int poolIndex, const std::string& fileName) {
                 for (int slot = 0; slot < engine::kMutatorSlotCount; ++slot) {
                   if (!engine::SameNameIgnoringCase(fileName, rememberedMutators[slot])) continue;
                   state.mutatorSlots[slot] = poolIndex;
                   c_.mutatorList.SetSel(row, true);
                   return;
                 }
               });
  for (int slot = 0; slot < engine::kMutatorSlotCount; ++slot) {
    const std::string& name = rememberedMutators[slot];
    if (name.empty()) continue;
    if (state.mutatorSlots[slot] == -1) {
      prompts.Message("The configuration file for one of the mutators currently in use, " + name +
                      ", has dissappeared, please close VKN and try to find it");
    }
    mutators_.ValidateMutator(name);
    Show(mutators_.Shown(), c_.mutatorPane);
  }

  const std::string rememberedAi = RememberedOrNone(ctx_.settings, settings::kPreviousAi);
  ai_.ValidateAi(rememberedAi);
  Show(ai_.Shown(), c_.aiPane);
  state.currentAi = engine::kNoMod;
  scanner.Scan(engine::ConfigPattern(engine::ModKind::kAi), "Varokin\\", c_.aiList,
               [&](int row, int poolIndex, const std::string& fileName) {
                 if (fileName != rememberedAi) return;
                 state.currentAi = poolIndex;
                 c_.aiList.SetCurSel(row);
               });
  if (state.currentAi == engine::kNoMod && Remembered(rememberedAi)) {
    prompts.Message("The configuration file for the last AI used (" + rememberedAi +
                    ")  has dissappeared");
  }
  c_.aiList.InsertString(0, "*Default AI*");
  c_.aiList.SetItemData(0, engine::kNoMod);
  if (state.currentAi == engine::kNoMod) c_.aiList.SetCurSel(0);
  state.lastAiListPos = c_.aiList.GetCurSel();

  const engine::UfoListing ufos = ufos_.List();
  for (const std::string& ufo : ufos.enabled) {
    const int row = c_.ufoList.AddString(ufo);
    if (row < 0) continue;
    c_.ufoList.SetSel(row, true);
    c_.ufoList.SetItemData(row, 0);
  }
  for (const std::string& ufo : ufos.kept) {
    const int row = c_.ufoList.AddString(ufo);
    if (row >= 0) c_.ufoList.SetItemData(row, 0);
  }

  std::vector<std::string> packs;
  scanner.Scan(std::string(engine::kUfoFolder) + "*.pac", engine::kUfoFolder, c_.packList,
               [&](int, int, const std::string& fileName) { packs.push_back(fileName); });
  ufos_.ReadPacks(packs, ListedUfos());
  SyncUfoSelection(ufos.enabledFiles);

  if (c_.ufoList.GetSelCount() <= 0) c_.ufoPane.SetText("No Units Currently Selected");
  if (c_.mutatorList.GetSelCount() <= 0) c_.mutatorPane.SetText("No Mutators Currently Selected");
}

}  // namespace varokin::ui
