#pragma once

#include <string>

namespace kustel {

// The option indices are plain ints because they mirror the selected index of a control:
// -1 means "nothing selected" and every consumer maps unknown values to a documented fallback.

// What is put in front of the name. -1 (nothing selected) behaves as Today.
using PrefixSource = int;
inline constexpr PrefixSource kToday = 0;
inline constexpr PrefixSource kFileDate = 1;
inline constexpr PrefixSource kChosenDate = 2;
inline constexpr PrefixSource kFreeText = 3;
inline constexpr PrefixSource kFileDateAndText = 4;

// One of the seven date layouts 0 to 6; any other value behaves as 0.
using DateFormat = int;
inline constexpr DateFormat kDateFormatCount = 7;

// Separator inside and after the date; any value but 1 and 2 behaves as the hyphen.
using FillCharacter = int;
inline constexpr FillCharacter kHyphen = 0;
inline constexpr FillCharacter kUnderscore = 1;
inline constexpr FillCharacter kBlank = 2;

// What happens to a name that already carries a prefix of the chosen shape; only 1 removes.
using ExistingPrefixAction = int;
inline constexpr ExistingPrefixAction kKeep = 0;
inline constexpr ExistingPrefixAction kRemove = 1;

inline constexpr int kNothingSelected = -1;

// The selections of the main window's option controls. The defaults are the start values of a
// run, before the stored settings are applied.
struct OptionState {
  PrefixSource source = kToday;
  DateFormat dateFormat = 5;
  FillCharacter fillCharacter = kHyphen;
  ExistingPrefixAction existingPrefixAction = kKeep;
  std::u16string chosenDate;  // empty, or DD.MM.YYYY as the calendar writes it
  std::u16string freeText;

  bool operator==(const OptionState&) const = default;
};

}  // namespace kustel
