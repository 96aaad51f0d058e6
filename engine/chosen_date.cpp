#include "engine/chosen_date.h"

#include <cstdio>

namespace kustel {
namespace {

constexpr size_t kChosenDateLength = 10;

// A field as C's atoi reads it: leading white space, an optional sign, then digits up to the
// first other character; no digit gives 0. The fields are at most four characters long, so
// the value cannot overflow.
int32_t DecimalValue(std::u16string_view field) {
  size_t pos = 0;
  while (pos < field.size() &&
         (field[pos] == u' ' || (field[pos] >= u'\t' && field[pos] <= u'\r'))) {
    ++pos;
  }
  bool negative = false;
  if (pos < field.size() && (field[pos] == u'+' || field[pos] == u'-')) {
    negative = field[pos] == u'-';
    ++pos;
  }
  int32_t value = 0;
  for (; pos < field.size() && field[pos] >= u'0' && field[pos] <= u'9'; ++pos) {
    value = value * 10 + (field[pos] - u'0');
  }
  return negative ? -value : value;
}

bool IsLeapYear(int32_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int32_t DaysInMonth(int32_t year, int32_t month) {
  constexpr int32_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsCalendarDay(const CalendarDate& date) {
  return date.year >= 1 && date.month >= 1 && date.month <= 12 && date.day >= 1 &&
         date.day <= DaysInMonth(date.year, date.month);
}

}  // namespace

std::u16string ChosenDateText(CalendarDate date) {
  char printed[40];
  const int length =
      std::snprintf(printed, sizeof printed, "%2.2i.%2.2i.%4.4i", date.day, date.month, date.year);
  return std::u16string(printed, printed + (length > 0 ? length : 0));
}

std::optional<CalendarDate> ReadChosenDate(std::u16string_view text) {
  if (text.size() != kChosenDateLength) return std::nullopt;
  const CalendarDate date{DecimalValue(text.substr(6, 4)), DecimalValue(text.substr(3, 2)),
                          DecimalValue(text.substr(0, 2))};
  if (!IsCalendarDay(date)) return std::nullopt;
  return date;
}

std::u16string StoredChosenDate(std::u16string_view text) {
  if (text.size() != kChosenDateLength) return std::u16string(kNoStoredDate);
  std::u16string stored(text.substr(6, 4));
  stored += text.substr(3, 2);
  stored += text.substr(0, 2);
  return stored;
}

std::u16string ChosenDateFromStored(std::u16string_view year, std::u16string_view month,
                                    std::u16string_view day) {
  std::u16string text(day);
  text += u'.';
  text += month;
  text += u'.';
  text += year;
  return text;
}

}  // namespace kustel
