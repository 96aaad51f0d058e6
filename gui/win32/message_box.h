#pragma once

#include <windows.h>

#include <string>

namespace kustel {

enum class BoxIcon { kNone, kError };

// A modal MessageBoxW with the caption, the text and one OK button, the error icon when asked;
// returns after OK. `owner` is the window it blocks while it is open (none in command-line
// mode, where there is no window).
void ShowModalBox(const std::u16string& caption, const std::u16string& text,
                  BoxIcon icon = BoxIcon::kNone, HWND owner = nullptr);

}  // namespace kustel
