#include "gui/win32/window_mode.h"

#include "app/start_texts.h"
#include "gui/win32/message_box.h"

namespace kustel {
namespace {

// Until the Windows windows are built, window mode says what this version can do.
constexpr char16_t kNoWindowYetText[] =
    u"Diese Version von Kustel für Windows hat noch kein Fenster. Dateien, die Sie auf das "
    u"Programmsymbol ziehen, werden mit den gespeicherten Einstellungen gestempelt.";

}  // namespace

int RunWindowMode(const std::u16string&, const std::u16string& title, GuardResult guard) {
  if (guard == GuardResult::kAlreadyRunning) {
    ShowModalBox(kSecondInstanceCaption, kSecondInstanceText);
    return 1;
  }
  ShowModalBox(title, kNoWindowYetText);
  return 1;
}

}  // namespace kustel
