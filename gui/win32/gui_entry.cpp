// The Win32 front end is linked into kustel.exe: one static program that needs nothing beside
// it. It offers its window mode and its desktop box through the same plain-data entry as a
// module would.

#include "app/front_end_entry.h"
#include "gui/win32/desktop_box.h"
#include "gui/win32/window_mode.h"

namespace kustel {
namespace {

// A Windows program always has a desktop to draw on, and its boxes are seen there. (Only a
// task scheduled to run while nobody is logged on draws where nobody sees it; Kustel is started
// by its user, from the desktop or a shell.)
struct Win32FrontEnd {
  static bool CanOpenWindow() { return true; }
  static bool BoxWouldBeSeen() { return true; }
  static int RunWindowMode(const std::u16string& programPath, const std::u16string& title,
                           GuardResult guard) {
    return kustel::RunWindowMode(programPath, title, guard);
  }
  static std::unique_ptr<DesktopBox> MakeDesktopBox(const std::u16string& programPath,
                                                    const std::u16string& title) {
    return kustel::MakeDesktopBox(programPath, title);
  }
};

}  // namespace

const GuiEntry* LinkedGuiEntry() {
  return &FrontEndEntry<Win32FrontEnd>::kEntry;
}

}  // namespace kustel
