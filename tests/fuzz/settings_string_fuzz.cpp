// Feeds arbitrary stored texts to ApplySettingsString and checks what must hold for every one:
// the indices in their ranges, a free text of at most 40 characters, a chosen date either left
// alone or set to ten characters, and a state that survives composing and reading back. The
// same bytes, taken as a free text the user typed, must come back whole from the stored text.
//
// Bytes map to code units one by one, so the readable seeds and most mutations stay close to
// real settings texts; 0xFF followed by two bytes (low, high) gives any other code unit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/utf16.h"
#include "settings/settings_string.h"

namespace {

using kustel::OptionState;

void Require(bool condition) {
  if (!condition) std::abort();
}

std::u16string StoredText(const uint8_t* data, size_t size) {
  std::u16string text;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0xFF && i + 2 < size) {
      text.push_back(static_cast<char16_t>(data[i + 1] | (data[i + 2] << 8)));
      i += 2;
    } else {
      text.push_back(data[i]);
    }
  }
  return text;
}

bool InRange(int value, int highest) {
  return value >= 0 && value <= highest;
}

void RequireSound(const OptionState& applied, const OptionState& before) {
  Require(InRange(applied.source, 4));
  Require(InRange(applied.dateFormat, 6));
  Require(InRange(applied.fillCharacter, 2));
  Require(InRange(applied.existingPrefixAction, 1));
  Require(applied.freeText.size() <= 40);
  Require(applied.freeText.find(u'\0') == std::u16string::npos);
  Require(applied.chosenDate == before.chosenDate || applied.chosenDate.size() == 10);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::u16string stored = StoredText(data, size);
  const OptionState before{1, 2, 1, 1, u"01.01.2000", u"vorher"};
  OptionState applied = before;
  kustel::ApplySettingsString(stored, applied);
  RequireSound(applied, before);

  // The round trip holds for texts as the store reads them, which end at their first zero
  // character.
  const std::u16string asRead = stored.substr(0, stored.find(u'\0'));
  OptionState fromStore;  // the start-up defaults, no chosen date
  kustel::ApplySettingsString(asRead, fromStore);
  RequireSound(fromStore, OptionState{});
  const std::u16string composed = kustel::ComposeSettingsString(fromStore);
  Require(composed.size() >= 15 && composed.size() <= 54);
  OptionState readBack;
  kustel::ApplySettingsString(composed, readBack);
  Require(readBack == fromStore);

  // Every free text the settings can hold comes back as it was: up to 40 characters, no zero
  // character (the store ends a text there), and not the marker "xxx" that stands for none.
  OptionState typed;
  typed.freeText = stored.substr(0, stored.find(u'\0'));
  typed.freeText = kustel::WholeCharacterHead(typed.freeText, 40);
  if (typed.freeText != u"xxx") {
    OptionState typedBack;
    kustel::ApplySettingsString(kustel::ComposeSettingsString(typed), typedBack);
    Require(typedBack.freeText == typed.freeText);
  }
  return 0;
}
