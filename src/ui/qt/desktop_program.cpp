#include "ui/qt/desktop_program.h"

#include "app/program_parts.h"
#include "platform/installs.h"
#include "ui/qt/qt_dialog_runner.h"
#include "ui/qt/qt_prompts.h"
#include "ui/qt/qt_steps.h"
#include "ui/ta_folder_dlg.h"

namespace varokin::ui::qt {

int RunDesktopProgram(app::TaFolderSearch search) {
  QtPrompts prompts;
  // The chooser opens before there is a TA folder to mark windows in.
  QtDialogRunner chooserDialogs(nullptr);
  search.choose = [&] { return AskForTaFolder(chooserDialogs, prompts, platform::FindInstalls()); };
  // "Change TA folder..." closes the main window; start-up then runs again on the new folder.
  for (;;) {
    app::ProgramParts parts(prompts);
    QtDialogRunner dialogs(parts.instances.get());
    QtSteps steps(parts.ctx, parts.FrontEnd(dialogs));
    parts.Run(steps, search);
    if (parts.startup.nextTaFolder.empty()) {
      // Start-up that ended before the main window (refused, or another instance is hosting).
      return steps.MainWindowClosed() ? 0 : 1;
    }
    search.option = parts.startup.nextTaFolder;
    search.commandText.clear();  // its request has been carried out
  }
}

}  // namespace varokin::ui::qt
