#pragma once

// Read by the resource compiler as well as by the code, so plain macros only.
#define VAROKIN_ICON 128
