#pragma once

#include "app/ta_folder.h"

namespace varokin::ui::qt {

// The desktop program once Qt runs: start-up on the TA folder the search finds (the chooser when
// nothing names one), the main window, and start-up again on the folder "Change TA folder..."
// chose. Returns the exit status.
int RunDesktopProgram(app::TaFolderSearch search);

}  // namespace varokin::ui::qt
