// The Win32 front end is linked into kustel.exe: one static program that needs nothing beside
// it. This hands the program its window mode and its desktop box.

#include "app/gui_entry.h"
#include "gui/win32/desktop_box.h"
#include "gui/win32/window_mode.h"

namespace kustel {

const GuiEntry* LinkedGuiEntry() {
  static constexpr GuiEntry kEntry{RunWindowMode, MakeDesktopBox};
  return &kEntry;
}

}  // namespace kustel
