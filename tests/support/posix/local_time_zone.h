#pragma once

#include <stdlib.h>
#include <time.h>

namespace kustel {

// Pins local time to Berlin, as CTest does, so a test binary run by hand sees the same times.
inline void PinBerlinTime() {
  setenv("TZ", "Europe/Berlin", 1);
  tzset();
}

// The moment a local wall-clock time names (with the offset in force on that date).
inline time_t LocalMoment(int year, int month, int day, int hour, int minute) {
  tm fields{};
  fields.tm_year = year - 1900;
  fields.tm_mon = month - 1;
  fields.tm_mday = day;
  fields.tm_hour = hour;
  fields.tm_min = minute;
  fields.tm_isdst = -1;
  return mktime(&fields);
}

}  // namespace kustel
