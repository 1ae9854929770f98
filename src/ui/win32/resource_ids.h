#pragma once

// Read by the resource compiler as well as by the code, so plain macros only.
#define VAROKIN_MAIN_WINDOW 102
#define VAROKIN_ICON 128
#define VAROKIN_MENU_BAR 130
#define VAROKIN_ABOUT_BOX 136
#define VAROKIN_MULTIPLAYER 137
#define VAROKIN_UFO_PACK 139
