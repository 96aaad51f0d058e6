#pragma once

#include <memory>

namespace kustel {

// Marks the one running instance of the program in the user's session. Held for the lifetime of
// the object (in practice, the process); the system drops it when the process dies.
class InstanceGuard {
 public:
  virtual ~InstanceGuard() = default;
};

enum class GuardResult {
  kAcquired,  // this process is the running instance
  kAlreadyRunning,  // another instance holds the guard
};

struct GuardAttempt {
  GuardResult result = GuardResult::kAcquired;
  std::unique_ptr<InstanceGuard> guard;  // set when acquired
};

// Takes the guard atomically: of two starts at the same instant exactly one acquires it.
GuardAttempt AcquireInstanceGuard();

}  // namespace kustel
