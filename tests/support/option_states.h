#pragma once

#include <string>

#include "engine/option_state.h"

namespace kustel {

inline OptionState Options(int source, int format, int fill, int action, std::u16string chosenDate,
                           std::u16string freeText) {
  return {source, format, fill, action, std::move(chosenDate), std::move(freeText)};
}

// A text of `count` letters A to Z, over and over: long free texts whose cuts are easy to see.
inline std::u16string Letters(size_t count) {
  std::u16string text;
  for (size_t i = 0; i < count; ++i) text += static_cast<char16_t>(u'A' + i % 26);
  return text;
}

}  // namespace kustel
