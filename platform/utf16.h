#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace kustel {

// The program's text is UTF-16. A character outside the basic plane takes two code units, a
// high and a low surrogate; either half alone is no character, and no file name or stored text
// may end up holding one.

inline bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
inline bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}
inline bool IsSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDFFF;
}
inline bool HoldsSurrogates(std::u16string_view text) {
  return std::any_of(text.begin(), text.end(), IsSurrogate);
}

// How many of the first `length` code units can be taken without cutting a pair in two: the
// cut then falls before the pair.
inline size_t WholeCharacterLength(std::u16string_view text, size_t length) {
  if (length >= text.size()) return text.size();
  if (length > 0 && IsHighSurrogate(text[length - 1]) && IsLowSurrogate(text[length])) --length;
  return length;
}

// At most `length` code units from the start of `text`, never half a character.
inline std::u16string WholeCharacterHead(std::u16string_view text, size_t length) {
  return std::u16string(text.substr(0, WholeCharacterLength(text, length)));
}

}  // namespace kustel
