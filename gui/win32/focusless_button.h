#pragma once

#include <windows.h>

namespace kustel {

// Makes a push button one that never keeps the keyboard focus: a click presses it while the
// focus stays where it was. Tab passes it by, as it is no tab stop.
void MakeFocusless(HWND button);

}  // namespace kustel
