#pragma once

#include <memory>
#include <string>

#include "app/console_message_sink.h"
#include "platform/instance_guard.h"

namespace kustel {

// The program file itself holds no Qt: command-line mode must start fast and run without a
// display. Everything with a window lives in a module beside it, loaded only for window mode or
// for the first desktop box. This is what the module offers.
struct GuiEntry {
  // Window mode to its end; returns the exit code.
  int (*runWindowMode)(const std::u16string& programPath, const std::u16string& title,
                       GuardResult guard);
  // The box of command-line mode on a desktop (Qt starts at its first box).
  std::unique_ptr<DesktopBox> (*makeDesktopBox)(const std::u16string& programPath,
                                                const std::u16string& title);
};

// The module's file name and the one function it exports, which hands out the entry.
inline constexpr const char* kGuiModuleName = "kustel-gui.so";
inline constexpr const char* kGuiEntrySymbol = "KustelGuiEntry";
using GuiEntryFunction = const GuiEntry* (*)();

// A front end linked into the program file instead (Win32) hands out its entry here.
const GuiEntry* LinkedGuiEntry();

}  // namespace kustel
