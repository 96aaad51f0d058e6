#pragma once

#include <time.h>

#include <limits>
#include <optional>

#include "platform/local_date_time.h"

namespace kustel {

// A moment as local calendar fields, with the UTC offset in force at that moment (not today's).
// Nothing when the system cannot convert it or its year does not fit the fields, which happens
// only for moments hundreds of millions of years away.
inline std::optional<LocalDateTime> ToLocalDateTime(time_t moment) {
  tm fields{};
  if (localtime_r(&moment, &fields) == nullptr) return std::nullopt;
  if (fields.tm_year > std::numeric_limits<int32_t>::max() - 1900) return std::nullopt;
  return LocalDateTime{fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday, fields.tm_hour,
                       fields.tm_min};
}

}  // namespace kustel
