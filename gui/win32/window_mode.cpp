#include "gui/win32/window_mode.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "app/start_texts.h"
#include "gui/failure_box.h"
#include "gui/win32/liz_dialog.h"
#include "gui/win32/main_window.h"
#include "gui/win32/message_box.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/settings_backend.h"
#include "settings/settings_store.h"

namespace kustel {
namespace {

void InitCommonControls() {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_DATE_CLASSES};
  InitCommonControlsEx(&classes);
}

// Until the main window is gone; the window's own letters and the dialog manager's keys first.
void RunEventLoop(MainWindow& window) {
  MSG message;
  while (IsWindow(window.Handle()) && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!window.PreTranslate(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace

// Start-up of window mode, in its order: the second-instance box when another instance runs;
// the main window constructed hidden and centred, with its state (start values, the stored
// settings, the relabelling, the version text); its creation handler; the information dialog,
// hidden; then the window shown and the event loop until the window is closed.
int RunWindowMode(const std::u16string&, const std::u16string& title, GuardResult guard) {
  if (guard == GuardResult::kAlreadyRunning) {
    ShowModalBox(kSecondInstanceCaption, kSecondInstanceText);
    return 1;
  }
  InitCommonControls();

  SystemClock clock;
  NativeFileSystem files;
  const std::unique_ptr<SettingsBackend> backend = MakeNativeSettingsBackend();
  BoxMessageSink messages(ShowModalBox, title);
  SettingsStore settings(*backend, messages);

  std::unique_ptr<MainWindow> window;
  if (!RunShowingFailure(ShowModalBox, title, [&] {
        window =
            std::make_unique<MainWindow>(MainFormServices{files, clock, settings, messages}, title);
      })) {
    return 0;
  }
  // A failure here skips the rest of FormCreate; the window opens all the same.
  RunShowingFailure(ShowModalBox, title, [&] { window->Form().FormCreate(); });
  std::unique_ptr<LizDialog> dialog;
  if (!RunShowingFailure(ShowModalBox, title,
                         [&] { dialog = std::make_unique<LizDialog>(window->Handle(), title); }))
    return 0;
  window->SetInfoDialog(dialog.get());

  window->Show();
  RunEventLoop(*window);
  return 0;
}

}  // namespace kustel
