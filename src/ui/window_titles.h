#pragma once

namespace varokin::ui {

// The title of the main window; one window of this title may be open at a time.
inline constexpr char kMainWindowTitle[] = "Varokin - by Quellan";
// The title of the multiplayer window while it hosts a game.
inline constexpr char kHostingWindowTitle[] = "Varokin: Hosting...";

}  // namespace varokin::ui
