#include "platform/instance_guard.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "lock_places.h"
#include "settings_folder.h"

// The guard is an flock on KUSTEL.lock. Taking the lock is one atomic step, so of two starts at
// the same instant exactly one wins, and the kernel drops it when the process ends, however it
// ends: no stale lock survives a crash.

namespace kustel {
namespace {

constexpr const char* kLockFileName = "KUSTEL.lock";

class LockFileGuard final : public InstanceGuard {
 public:
  explicit LockFileGuard(int fd) : fd_(fd) {}
  ~LockFileGuard() override {
    if (fd_ >= 0) close(fd_);
  }
  LockFileGuard(const LockFileGuard&) = delete;
  LockFileGuard& operator=(const LockFileGuard&) = delete;

 private:
  int fd_;
};

enum class LockOutcome { kLocked, kHeldByOther, kUnavailable };

// Opens the lock file in the folder (never through a link, never inherited by a child process)
// and tries the lock without waiting. On kLocked `fd` holds it.
LockOutcome LockIn(int folderFd, int& fd) {
  fd = openat(folderFd, kLockFileName, O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return LockOutcome::kUnavailable;
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) return LockOutcome::kLocked;
  const int error = errno;
  close(fd);
  fd = -1;
  return error == EWOULDBLOCK ? LockOutcome::kHeldByOther : LockOutcome::kUnavailable;
}

int OpenFolder(const std::string& path) {
  return open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

bool IsAbsolute(const char* path) {
  return path != nullptr && path[0] == '/';
}

}  // namespace

LockPlaces LockPlacesFor(const char* runtimeDir, const char* configHome, const char* home,
                         uid_t uid) {
  LockPlaces places;
  if (IsAbsolute(runtimeDir)) places.runtimeFolder = runtimeDir;
  places.privateFolder = "/tmp/kustel-" + std::to_string(uid);
  places.settingsFolder = SettingsFolderFor(configHome, home);
  return places;
}

LockPlaces LockPlacesFromEnvironment() {
  return LockPlacesFor(std::getenv("XDG_RUNTIME_DIR"), std::getenv("XDG_CONFIG_HOME"),
                       std::getenv("HOME"), geteuid());
}

int OpenPrivateFolder(const std::string& path) {
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return -1;
  struct stat seen;
  if (lstat(path.c_str(), &seen) != 0 || !S_ISDIR(seen.st_mode)) return -1;
  // O_NOFOLLOW and the comparison with what lstat saw: a link put in place after the check is
  // not followed either.
  const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat opened;
  const bool isPrivate = fstat(fd, &opened) == 0 && opened.st_dev == seen.st_dev &&
                         opened.st_ino == seen.st_ino && opened.st_uid == geteuid() &&
                         (opened.st_mode & 077) == 0;
  if (isPrivate) return fd;
  close(fd);
  return -1;
}

GuardAttempt AcquireInstanceGuardAt(const LockPlaces& places) {
  // A place where the lock file cannot be opened or locked is passed over; every start of the
  // user passes over the same places, so they still meet at the same file.
  auto tryFolder = [](int folderFd, GuardAttempt& attempt) {
    if (folderFd < 0) return false;
    int fd = -1;
    const LockOutcome outcome = LockIn(folderFd, fd);
    close(folderFd);
    if (outcome == LockOutcome::kUnavailable) return false;
    attempt.result =
        outcome == LockOutcome::kLocked ? GuardResult::kAcquired : GuardResult::kAlreadyRunning;
    if (outcome == LockOutcome::kLocked) attempt.guard = std::make_unique<LockFileGuard>(fd);
    return true;
  };

  GuardAttempt attempt;
  if (!places.runtimeFolder.empty() && tryFolder(OpenFolder(places.runtimeFolder), attempt)) {
    return attempt;
  }
  if (!places.privateFolder.empty() &&
      tryFolder(OpenPrivateFolder(places.privateFolder), attempt)) {
    return attempt;
  }
  if (!places.settingsFolder.empty()) {
    CreateFolders(places.settingsFolder);
    if (tryFolder(OpenFolder(places.settingsFolder), attempt)) return attempt;
  }
  // No lock file anywhere (no writable folder at all): refusing to start would make the program
  // unusable, while a second instance costs nothing worse than a doubled settings write. So the
  // start goes on without a guard.
  attempt.result = GuardResult::kAcquired;
  attempt.guard = std::make_unique<LockFileGuard>(-1);
  return attempt;
}

GuardAttempt AcquireInstanceGuard() {
  return AcquireInstanceGuardAt(LockPlacesFromEnvironment());
}

}  // namespace kustel
