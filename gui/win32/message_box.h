#pragma once

#include <windows.h>

#include <string>

#include "gui/boxes.h"

namespace kustel {

// The window every box of window mode blocks while it is open: the main window, once it exists
// (nullptr again when it goes). A box without an owner blocks nothing, as in command-line mode.
void SetBoxOwner(HWND owner);

// A modal MessageBoxW with the caption, the text and one OK button, the error icon when asked,
// owned by the box owner; returns after OK. While the test hook of gui/boxes.h is set, the hook
// answers instead.
void ShowModalBox(const std::u16string& caption, const std::u16string& text,
                  BoxIcon icon = BoxIcon::kNone);

}  // namespace kustel
