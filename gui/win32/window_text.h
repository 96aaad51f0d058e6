#pragma once

#include <windows.h>

#include <string>

namespace kustel {

// The text of a window or control as the program's own UTF-16 text.
inline std::u16string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  const int copied = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace kustel
