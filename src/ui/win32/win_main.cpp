// Varokin.exe: the program with its windows as real Win32 dialogs.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "app/program_parts.h"
#include "app/version_help.h"
#include "platform/installs.h"
#include "ui/ta_folder_dlg.h"
#include "ui/win32/command_text.h"
#include "ui/win32/win32_dialogs.h"
#include "ui/win32/win32_prompts.h"
#include "ui/win32/win32_steps.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace varokin;
  app::TaFolderSearch search;
  search.commandText = ui::win32::CommandTextOf(GetCommandLineA());
  search.option = app::TakeTaFolderOption(search.commandText);
  // A program without a console has nowhere to print: the answer is a message box, as other
  // Windows programs give it.
  if (const auto info = app::VersionOrHelp(search.commandText, "Varokin.exe", false)) {
    MessageBoxA(nullptr, info->c_str(), "Varokin", MB_OK | MB_ICONINFORMATION);
    return 0;
  }
  INITCOMMONCONTROLSEX commonControls{sizeof commonControls,
                                      ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&commonControls);

  ui::win32::Win32Prompts prompts;
  ui::win32::Win32DialogRunner dialogs(instance);
  search.choose = [&] { return ui::AskForTaFolder(dialogs, prompts, platform::FindInstalls()); };
  // "Change TA folder..." closes the main window; start-up then runs again on the new folder.
  for (;;) {
    app::ProgramParts parts(prompts);
    const ui::CSwitcherDlg::FrontEnd frontEnd = parts.FrontEnd(dialogs);
    ui::win32::Win32Steps steps(instance, parts.ctx, frontEnd);
    parts.Run(steps, search);
    if (parts.startup.nextTaFolder.empty()) return 0;
    search.option = parts.startup.nextTaFolder;
    search.commandText.clear();  // its request has been carried out
  }
}
