#pragma once

#include <sys/types.h>
#include <string>

#include "platform/instance_guard.h"

namespace kustel {

// The folders the instance guard may keep its lock file in, tried in this order: the session's
// runtime folder, a private folder in /tmp, the settings folder. An empty entry is passed over.
// Every start of the same user computes the same places, so all of them meet at one lock file.
struct LockPlaces {
  std::string runtimeFolder;   // $XDG_RUNTIME_DIR, when set to an absolute path
  std::string privateFolder;   // /tmp/kustel-<uid>: used only while it is ours alone
  std::string settingsFolder;  // $XDG_CONFIG_HOME/tolm/kustel, or ~/.config/tolm/kustel
};

// Null pointers stand for variables that are not set; relative paths count as not set.
LockPlaces LockPlacesFor(const char* runtimeDir, const char* configHome, const char* home,
                         uid_t uid);
LockPlaces LockPlacesFromEnvironment();

// Opens the folder at `path`, creating it with mode 0700 when it is missing. Refused (-1) when it
// is a link, not a folder, owned by another user, or open to group or others.
int OpenPrivateFolder(const std::string& path);

// The guard with the places given; AcquireInstanceGuard() uses the environment's.
GuardAttempt AcquireInstanceGuardAt(const LockPlaces& places);

}  // namespace kustel
