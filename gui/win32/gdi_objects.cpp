#include "gui/win32/gdi_objects.h"

#include <map>
#include <string>
#include <utility>

namespace kustel {

HFONT WindowFont(const wchar_t* face, int characterHeight) {
  static std::map<std::pair<std::wstring, int>, HFONT> fonts;
  HFONT& font = fonts[{face, characterHeight}];
  if (font == nullptr) {
    // A negative height asks for the character height rather than the cell height.
    font = CreateFontW(-characterHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
  }
  return font;
}

HBRUSH SolidBrush(COLORREF colour) {
  static std::map<COLORREF, HBRUSH> brushes;
  HBRUSH& brush = brushes[colour];
  if (brush == nullptr) brush = CreateSolidBrush(colour);
  return brush;
}

}  // namespace kustel
