#pragma once

#include <windows.h>

#include <optional>

#include "platform/local_date_time.h"

namespace kustel {

inline LocalDateTime FieldsOf(const SYSTEMTIME& time) {
  return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute};
}

// A file time (UTC) as local calendar fields, with the offset from UTC in force on that date:
// a file written at 12:00 UTC in July reads 14:00 in Berlin, also when converted in winter.
// FileTimeToLocalFileTime would apply today's offset instead. Nothing when the time cannot be
// converted (beyond the year 30827).
inline std::optional<LocalDateTime> ToLocalDateTime(const FILETIME& fileTime) {
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  if (!FileTimeToSystemTime(&fileTime, &utc) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
    return std::nullopt;
  }
  return FieldsOf(local);
}

}  // namespace kustel
