// The module with everything that needs Qt: window mode and the desktop box of command-line mode,
// offered to the program through the plain-data entry.

#include "app/front_end_entry.h"
#include "gui/qt/desktop_box.h"
#include "gui/qt/qt_platform_choice.h"
#include "gui/qt/qt_text.h"
#include "gui/qt/window_mode.h"
#include "platform/name_codec.h"

namespace kustel {
namespace {

struct QtFrontEnd {
  static bool CanOpenWindow() { return QtHasAPlatform(); }
  static bool BoxWouldBeSeen() { return QtDrawsWhereItIsSeen(); }
  static int RunWindowMode(const std::u16string& programPath, const std::u16string& title,
                           GuardResult guard) {
    return kustel::RunWindowMode(programPath, title, guard);
  }
  static std::unique_ptr<DesktopBox> MakeDesktopBox(const std::u16string& programPath,
                                                    const std::u16string& title) {
    return std::make_unique<QtDesktopBox>(TextToBytes(programPath), ToQString(title));
  }
};

}  // namespace
}  // namespace kustel

extern "C" __attribute__((visibility("default"))) const kustel::GuiEntry* KustelGuiEntry() {
  return &kustel::FrontEndEntry<kustel::QtFrontEnd>::kEntry;
}
