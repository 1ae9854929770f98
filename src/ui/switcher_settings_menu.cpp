// The Settings menu's switches of the file checks, the expansion and the ICQ offer.
#include "ui/switcher_dlg.h"

namespace varokin::ui {

namespace {

// Asks before a switch turns to the riskier side; any answer but Yes keeps it as it was.
bool Confirmed(Prompts& prompts, const char* question) {
  return prompts.Message(question, Buttons::kYesNo) == Answer::kYes;
}

}  // namespace

void CSwitcherDlg::OnDisableFileWarnings() {
  bool& warn = ctx_.startup.warnModifiedFiles;
  warn = !warn;
  if (!warn &&
      !Confirmed(ctx_.prompts,
                 "This will prevent validation of the TA file structure\n\nIt's only recommended "
                 "that you disable these warnings if you are getting them because you have "
                 "repacked your totala1.hpi, ccdata.ccx, and/or rev31.gp3 files into new "
                 "file(s).(in which case you should also check \"I Have The Core Contingency "
                 "installed\" under \"Other Settings\" \n\n\tAre you sure you want to disable "
                 "these warnings?")) {
    warn = true;
  }
  ctx_.settings.Write(settings::kWarnModifiedFiles, warn ? 1 : 0);
  c_.menuDisableFileWarnings.SetChecked(!warn);
}

void CSwitcherDlg::OnDisableCustomExeWarning() {
  bool& warn = ctx_.startup.warnCustomExe;
  warn = !warn;
  if (!warn &&
      !Confirmed(ctx_.prompts,
                 "This will disable the warning that you get when using a Total Conversion that "
                 "uses a custom executable.\n\nIt's possible that such an executable could be "
                 "malicious, and the warning just makes sure that you're aware of the fact that "
                 "you'll be using one.\n\n\tAre you sure you want to disable this warning?")) {
    warn = true;
  }
  ctx_.settings.Write(settings::kWarnCustomExe, warn ? 1 : 0);
  c_.menuDisableCustomExeWarning.SetChecked(!warn);
}

void CSwitcherDlg::OnCcInstalled() {
  bool& installed = ctx_.startup.ccInstalled;
  installed = !installed;
  const char* question =
      installed
          ? "You should only change this setting if you have CC installed and have combined "
            "ccdata.ccx into totala1.hpi, where VKN can't verify it's existance.\n\nAre you sure "
            "you want to force VKN into believing you have The Core Contingency installed?"
          : "You should only change this setting if you mistakenly told VKN to believe that you "
            "have The Core Contingeny installed, or if you had it installed and uninstalled it.  "
            "Are you sure you want to tell VKN that TA:CC is not installed?";
  if (Confirmed(ctx_.prompts, question)) {
    engine::ModState& state = ctx_.state;
    state.baseGameTag = installed ? " TACC " : " OTA ";
    // A TC's own tags stay until it is unloaded.
    if (state.GetCurrentTcName() == "none") state.SetTcTags(state.baseGameTag);
  } else {
    installed = !installed;
  }
  ctx_.settings.Write(settings::kCcInstalled, installed ? 1 : 0);
  c_.menuCcInstalled.SetChecked(installed);
}

void CSwitcherDlg::OnDontConfigureIcq() {
  const bool offer = c_.menuDontConfigureIcq.IsChecked();
  ctx_.settings.Write(settings::kConfigureIcq, offer ? 1 : 0);
  c_.menuDontConfigureIcq.SetChecked(!offer);
}

}  // namespace varokin::ui
