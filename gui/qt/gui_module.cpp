// The module with everything that needs Qt: window mode and the desktop box of command-line mode.

#include "app/gui_entry.h"
#include "gui/qt/desktop_box.h"
#include "gui/qt/qt_text.h"
#include "gui/qt/window_mode.h"
#include "platform/name_codec.h"

namespace kustel {
namespace {

std::unique_ptr<DesktopBox> MakeDesktopBox(const std::u16string& programPath,
                                           const std::u16string& title) {
  return std::make_unique<QtDesktopBox>(TextToBytes(programPath), ToQString(title));
}

constexpr GuiEntry kEntry{RunWindowMode, MakeDesktopBox};

}  // namespace
}  // namespace kustel

extern "C" __attribute__((visibility("default"))) const kustel::GuiEntry* KustelGuiEntry() {
  return &kustel::kEntry;
}
