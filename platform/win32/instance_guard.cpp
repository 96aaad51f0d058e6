#include "platform/instance_guard.h"

#include <windows.h>

// The guard is the named mutex "KUSTEL" in the namespace of the user's logon. Its existence
// marks a running instance; Windows removes the name when the last handle goes, so a crashed
// instance leaves nothing behind.

namespace kustel {
namespace {

constexpr wchar_t kMutexName[] = L"KUSTEL";

class MutexGuard final : public InstanceGuard {
 public:
  explicit MutexGuard(HANDLE mutex) : mutex_(mutex) {}
  ~MutexGuard() override {
    if (mutex_ != nullptr) CloseHandle(mutex_);
  }
  MutexGuard(const MutexGuard&) = delete;
  MutexGuard& operator=(const MutexGuard&) = delete;

 private:
  HANDLE mutex_;
};

GuardAttempt Running() {
  return {GuardResult::kAlreadyRunning, nullptr};
}

}  // namespace

GuardAttempt AcquireInstanceGuard() {
  // A mutex we may not open (made by an instance running elevated, say) exists all the same.
  if (HANDLE running = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kMutexName)) {
    CloseHandle(running);
    return Running();
  }
  if (GetLastError() == ERROR_ACCESS_DENIED) return Running();

  // Two starts at the same instant can both find no mutex above; the one whose creation finds
  // the name already taken stands back, so exactly one runs.
  HANDLE mutex = CreateMutexW(nullptr, FALSE, kMutexName);
  const DWORD error = GetLastError();
  if (mutex != nullptr && error == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return Running();
  }
  if (mutex == nullptr && error == ERROR_ACCESS_DENIED) return Running();
  // No mutex at all (the name is taken by another kind of object): refusing to start would make
  // the program unusable, while a second instance costs no more than a doubled settings write.
  return {GuardResult::kAcquired, std::make_unique<MutexGuard>(mutex)};
}

}  // namespace kustel
