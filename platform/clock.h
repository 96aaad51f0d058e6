#pragma once

#include "local_date_time.h"

namespace kustel {

// The local wall clock. Passed in so that tests decide what "now" is.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime Now() const = 0;
};

// The operating system's local clock (implemented per platform).
class SystemClock final : public Clock {
 public:
  LocalDateTime Now() const override;
};

}  // namespace kustel
