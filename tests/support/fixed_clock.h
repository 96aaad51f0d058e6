#pragma once

#include "platform/clock.h"

namespace kustel {

// A clock that shows whatever the test sets.
class FixedClock final : public Clock {
 public:
  explicit FixedClock(LocalDateTime now) : now_(now) {}
  LocalDateTime Now() const override { return now_; }
  void Set(LocalDateTime now) { now_ = now; }

 private:
  LocalDateTime now_;
};

}  // namespace kustel
