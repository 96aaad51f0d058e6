#pragma once

#include <cstdint>

namespace kustel {

// A point in time as local calendar fields, as the clock and the file system report it.
struct LocalDateTime {
  int32_t year = 0;  // full year, e.g. 2024
  int32_t month = 0;  // 1 to 12
  int32_t day = 0;  // 1 to 31
  int32_t hour = 0;  // 0 to 23
  int32_t minute = 0;  // 0 to 59

  bool operator==(const LocalDateTime&) const = default;
};

}  // namespace kustel
