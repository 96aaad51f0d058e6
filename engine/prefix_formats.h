#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "option_state.h"
#include "working_date.h"

namespace kustel {

// year - 1900 below 2000, year - 2000 from 2000 on; no wrap-around (2100 gives 100).
int32_t ShortYear(int32_t year);

struct DatePrefix {
  std::u16string prefix;       // the printed date, e.g. "2024-11-05-"
  std::u16string_view schema;  // its detection template, a constant: digit positions as '0',
                               // e.g. "0000-00-00-"
};

// Prints the date prefix of a layout and fill character from `date`, after setting its
// shortYear. Out-of-range layouts behave as 0, fill characters other than 1 and 2 as the hyphen.
DatePrefix FormatDatePrefix(DateFormat format, FillCharacter fill, WorkingDate& date);

// The seven layout texts shown in the format radio group for a fill character, layout 0 first.
std::array<std::u16string, kDateFormatCount> FormatLabels(FillCharacter fill);

}  // namespace kustel
