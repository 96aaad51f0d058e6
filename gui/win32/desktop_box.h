#pragma once

#include <memory>
#include <string>

#include "app/console_message_sink.h"

namespace kustel {

// The box of command-line mode: a MessageBoxW of its own, as there is no window to own it.
std::unique_ptr<DesktopBox> MakeDesktopBox(const std::u16string& programPath,
                                           const std::u16string& title);

}  // namespace kustel
