#pragma once

#include <windows.h>

namespace kustel {

// The fonts and brushes of the window definitions, made on first use and kept for the rest of
// the run: there are only a handful, and controls keep using them until the program ends.

// A font of the face with this character height in pixels (the height of the letters without
// the internal leading, as the window definitions give it).
HFONT WindowFont(const wchar_t* face, int characterHeight);

// A solid brush of the colour.
HBRUSH SolidBrush(COLORREF colour);

}  // namespace kustel
