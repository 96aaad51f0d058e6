#pragma once

#include <string>

#include "platform/instance_guard.h"

namespace kustel {

// Window mode: the toolkit, then (unless another instance runs) the main window built from the
// stored settings, the information dialog, and the event loop until the window is closed.
// Expects Qt to have a platform (QtHasAPlatform); a display that cannot be reached ends the
// program with a clear line on standard error. Returns the exit code.
int RunWindowMode(const std::u16string& programPath, const std::u16string& title,
                  GuardResult guard);

}  // namespace kustel
