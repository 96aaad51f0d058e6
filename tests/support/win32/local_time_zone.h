#pragma once

#include <windows.h>

#include <ctime>

#include <gtest/gtest.h>

namespace kustel {

// Wine takes its time zone from TZ when a process starts, and CTest sets TZ=Europe/Berlin; a
// process cannot change its own zone later. So this checks that the zone is Berlin's (one hour
// east of UTC in winter) instead of pinning it, and says so when it is not.
inline void PinBerlinTime() {
  TIME_ZONE_INFORMATION zone{};
  GetTimeZoneInformation(&zone);
  if (zone.Bias != -60) {
    ADD_FAILURE() << "the tests expect Berlin's time zone (TZ=Europe/Berlin), not a bias of "
                  << zone.Bias << " minutes";
  }
}

// The moment a local wall-clock time names (with the offset in force on that date), on the
// Unix clock.
inline time_t LocalMoment(int year, int month, int day, int hour, int minute) {
  SYSTEMTIME local{};
  local.wYear = static_cast<WORD>(year);
  local.wMonth = static_cast<WORD>(month);
  local.wDay = static_cast<WORD>(day);
  local.wHour = static_cast<WORD>(hour);
  local.wMinute = static_cast<WORD>(minute);
  SYSTEMTIME utc{};
  FILETIME time{};
  if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) ||
      !SystemTimeToFileTime(&utc, &time)) {
    ADD_FAILURE() << "cannot convert a local time";
    return 0;
  }
  const ULONGLONG ticks = (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  return static_cast<time_t>(ticks / 10000000ULL - 11644473600ULL);
}

}  // namespace kustel
