#pragma once

#include <string>

#include "platform/instance_guard.h"

namespace kustel {

// Window mode: the second-instance box when another instance runs, otherwise the main window
// until it is closed. Returns the exit code.
int RunWindowMode(const std::u16string& programPath, const std::u16string& title,
                  GuardResult guard);

}  // namespace kustel
