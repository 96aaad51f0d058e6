#pragma once

namespace kustel {

// Letter case for the letters the program's own names and items are made of: ASCII and Latin-1,
// the German umlauts among them. Other characters stay as they are.

inline bool IsLatinCapital(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'\u00C0' && c <= u'\u00DE' && c != u'\u00D7');
}

inline bool IsLatinSmall(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'\u00E0' && c <= u'\u00FE' && c != u'\u00F7');
}

inline char16_t LatinLower(char16_t c) {
  return IsLatinCapital(c) ? static_cast<char16_t>(c + 0x20) : c;
}

inline char16_t LatinUpper(char16_t c) {
  return IsLatinSmall(c) ? static_cast<char16_t>(c - 0x20) : c;
}

}  // namespace kustel
