#include <windows.h>

#include "local_time.h"
#include "platform/clock.h"

namespace kustel {

// The Win32 clock, not the C runtime's localtime(): msvcrt reads a TZ variable of its own and
// misreads zone names such as Europe/Berlin, while Windows (and Wine) know the user's zone.
LocalDateTime SystemClock::Now() const {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return FieldsOf(now);
}

}  // namespace kustel
