#include <time.h>

#include "local_time.h"
#include "platform/clock.h"

namespace kustel {

LocalDateTime SystemClock::Now() const {
  // The present always converts; should it ever not, the start of the epoch is a date that still
  // prints as one.
  return ToLocalDateTime(time(nullptr)).value_or(LocalDateTime{1970, 1, 1, 0, 0});
}

}  // namespace kustel
