#include "gui/win32/window_mode.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "app/version_text.h"
#include "gui/win32/liz_dialog.h"
#include "gui/win32/main_window.h"
#include "gui/win32/message_box.h"
#include "gui/window_mode.h"

namespace kustel {
namespace {

void InitCommonControls() {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_DATE_CLASSES};
  InitCommonControlsEx(&classes);
}

// The calls of window mode's start-up in Win32. The windows are this front end's own, so the
// window start-up hands back is a MainWindow.
class Win32FrontEnd final : public WindowFrontEnd {
 public:
  explicit Win32FrontEnd(std::u16string title)
      : WindowFrontEnd(ShowModalBox), title_(std::move(title)) {}

  std::unique_ptr<FrontEndWindow> MakeMainWindow(MainFormServices services) override {
    InitCommonControls();
    return std::make_unique<MainWindow>(services, title_);
  }

  std::unique_ptr<LizView> MakeInfoDialog(FrontEndWindow& window) override {
    auto& main = static_cast<MainWindow&>(window);
    auto dialog = std::make_unique<LizDialog>(main.Handle(), title_);
    main.SetInfoDialog(dialog.get());
    return dialog;
  }

  // Until the main window is gone; the window's own letters and the dialog manager's keys first.
  void RunEventLoop(FrontEndWindow& window) override {
    auto& main = static_cast<MainWindow&>(window);
    main.Show();
    MSG message;
    while (IsWindow(main.Handle()) && GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (!main.PreTranslate(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
  }

 private:
  std::u16string title_;
};

}  // namespace

int RunWindowMode(const std::u16string&, const std::u16string& title, GuardResult guard) {
  Win32FrontEnd frontEnd(title);
  return RunWindowBranch(frontEnd, {title, guard, BuildVersionText()});
}

}  // namespace kustel
