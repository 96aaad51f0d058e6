#pragma once

#include <string>
#include <string_view>

namespace kustel {

// Windows text is UTF-16, as the program's own is; only the character type differs, so text
// crosses the edge without conversion.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows text is UTF-16");

inline const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string_view TextOf(const wchar_t* text) {
  return text != nullptr ? std::u16string_view(reinterpret_cast<const char16_t*>(text))
                         : std::u16string_view();
}

// Windows reads a path up to its first NUL, so a path with one inside would name a different
// file than the text says; such a path names none.
inline bool CanNameAFile(const std::u16string& path) {
  return !path.empty() && path.find(u'\0') == std::u16string::npos;
}

}  // namespace kustel
