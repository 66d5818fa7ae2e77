// The cursor resources of programs that show Plotwell charts: "CURHAND",
// "CURZOOMW", "CURZOOMD" and "CURZOOMP", each 32 x 32 pixels, two colours
// plus transparency, with its hot spot. A program calls
// RegisterPlotwellCursors once at start-up, before it creates a chart, so
// that a window system with real cursors finds them by name
// (platform/framework/CursorResources.h).
#pragma once

#include "platform/Export.h"

namespace korvo {

// Registers the four cursors (again: replaces them).
PLOTWELL_API void RegisterPlotwellCursors();

}  // namespace korvo
