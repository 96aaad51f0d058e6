#pragma once

#include "gui/window_definition.h"

namespace kustel {

// Where a window of an outer size stands centred in an area (the screen for the main window, the
// work area for the dialog): its left and top are the area's plus half the difference of the
// sizes, each half truncated toward zero, so a window larger than the area stands half its
// excess off it. The place keeps the window's size.
Place CentredIn(const Place& area, int width, int height);

}  // namespace kustel
