#include "gui/window_mode.h"

#include "gui/failure_box.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/second_instance_text.h"
#include "platform/settings_backend.h"
#include "settings/settings_store.h"

namespace kustel {

int RunWindowBranch(WindowFrontEnd& frontEnd, const WindowStart& start) {
  const ShowBoxFunction show = frontEnd.showBox;
  if (start.guard == GuardResult::kAlreadyRunning) {
    show(kSecondInstanceCaption, kSecondInstanceText, BoxIcon::kNone);
    return 1;
  }
  // Declared before the windows, so they outlive them.
  SystemClock clock;
  NativeFileSystem files;
  const std::unique_ptr<SettingsBackend> backend = MakeNativeSettingsBackend();
  BoxMessageSink messages(show, start.title);
  SettingsStore settings(*backend, messages);

  std::unique_ptr<FrontEndWindow> window;
  if (!RunShowingFailure(show, start.title, [&] {
        window = frontEnd.MakeMainWindow({files, clock, settings, messages, start.versionText});
      }))
    return 0;
  RunShowingFailure(show, start.title, [&] { window->Form().FormCreate(); });
  std::unique_ptr<LizView> dialog;
  if (!RunShowingFailure(show, start.title, [&] { dialog = frontEnd.MakeInfoDialog(*window); }))
    return 0;
  frontEnd.RunEventLoop(*window);
  return 0;
}

}  // namespace kustel
