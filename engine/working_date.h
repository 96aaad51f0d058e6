#pragma once

#include <cstdint>

#include "platform/local_date_time.h"

namespace kustel {

// The date and time that the next prefix is printed from. Fields are signed 32-bit because a
// file's time or a chosen date may hold any value; printing copes with all of them.
struct WorkingDate {
  int32_t year = 0;
  int32_t month = 0;
  int32_t day = 0;
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t shortYear = 0;  // derived from year every time a prefix is built

  bool operator==(const WorkingDate&) const = default;
};

// Takes year, month, day, hour and minute from a moment of the clock or a file's time.
inline void TakeMoment(WorkingDate& date, const LocalDateTime& moment) {
  date.year = moment.year;
  date.month = moment.month;
  date.day = moment.day;
  date.hour = moment.hour;
  date.minute = moment.minute;
}

}  // namespace kustel
