#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kustel {

// The chosen-date text is the one home of a date picked in the calendar: the window shows it,
// the engine reads a prefix date from it, and the settings store keeps it. It is always
// day.month.year with two, two and four digits (05.11.2024), whatever the locale.

struct CalendarDate {
  int32_t year = 0;
  int32_t month = 0;  // 1 to 12
  int32_t day = 0;    // 1 to 31

  bool operator==(const CalendarDate&) const = default;
};

// DD.MM.YYYY of a calendar date.
std::u16string ChosenDateText(CalendarDate date);

// The date a chosen-date text names: exactly ten characters, with the day in characters 1 and 2,
// the month in 4 and 5 and the year in 7 to 10, each read as a decimal number (leading blanks
// and a sign allowed, characters 3 and 6 not examined). Nothing when the text has another length
// or the numbers name no day of the calendar.
std::optional<CalendarDate> ReadChosenDate(std::u16string_view text);

// The stored form of a chosen-date text: YYYYMMDD, rearranged by position alone so that the
// characters are kept as they stand; "99999999" (no date) for a text that is not ten long.
std::u16string StoredChosenDate(std::u16string_view text);
inline constexpr std::u16string_view kNoStoredDate = u"99999999";

// The chosen-date text rebuilt from the stored pieces, each already at its width.
std::u16string ChosenDateFromStored(std::u16string_view year, std::u16string_view month,
                                    std::u16string_view day);

}  // namespace kustel
