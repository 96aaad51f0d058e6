#include "gui/qt/window_mode.h"

#include <cstdlib>
#include <memory>

#include "app/version_text.h"
#include "gui/qt/german_qt_texts.h"
#include "gui/qt/kustel_application.h"
#include "gui/qt/liz_dialog.h"
#include "gui/qt/main_window.h"
#include "gui/qt/message_box.h"
#include "gui/qt/qt_text.h"
#include "gui/qt/window_fonts.h"
#include "gui/window_mode.h"
#include "platform/console.h"
#include "platform/name_codec.h"
#include "platform/second_instance_text.h"

namespace kustel {
namespace {

// Qt ends the process when the display it was pointed at cannot be reached. While the
// application object is being made, that end is replaced by a clear message of ours.
constexpr const char16_t* kDisplayUnreachableText =
    u"Die grafische Oberfläche ist nicht erreichbar, das Fenster kann nicht geöffnet werden.";
QtMessageHandler previousHandler = nullptr;
const char16_t* displayLostText = kDisplayUnreachableText;
int displayLostExitCode = 1;

void EndWithoutDisplay(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) {
    previousHandler(type, context, text);
    return;
  }
  WriteErrorLine(displayLostText);
  std::_Exit(displayLostExitCode);
}

std::unique_ptr<KustelApplication> StartApplication(QtArguments& arguments, const QString& title,
                                                    GuardResult guard) {
  if (guard == GuardResult::kAlreadyRunning) displayLostText = kSecondInstanceText;
  previousHandler = qInstallMessageHandler(EndWithoutDisplay);
  auto application = std::make_unique<KustelApplication>(arguments, title);
  qInstallMessageHandler(previousHandler);
  return application;
}

// The calls of window mode's start-up in Qt. The windows are this front end's own, so the window
// start-up hands back is a MainWindow.
class QtFrontEnd final : public WindowFrontEnd {
 public:
  QtFrontEnd() : WindowFrontEnd(ShowModalBox) {}

  std::unique_ptr<FrontEndWindow> MakeMainWindow(MainFormServices services) override {
    RegisterWindowFonts();
    InstallGermanQtTexts();
    return std::make_unique<MainWindow>(services);
  }

  // The main window owns the dialog: it stays above the window and has no task bar entry.
  std::unique_ptr<LizView> MakeInfoDialog(FrontEndWindow& window) override {
    auto& main = static_cast<MainWindow&>(window);
    auto dialog = std::make_unique<LizDialog>(&main);
    main.SetInfoDialog(dialog.get());
    return dialog;
  }

  void RunEventLoop(FrontEndWindow& window) override {
    static_cast<MainWindow&>(window).show();
    QApplication::exec();
  }
};

}  // namespace

int RunWindowMode(const std::u16string& programPath, const std::u16string& title,
                  GuardResult guard) {
  QtArguments arguments(TextToBytes(programPath));
  const std::unique_ptr<KustelApplication> application =
      StartApplication(arguments, ToQString(title), guard);
  QtFrontEnd frontEnd;
  return RunWindowBranch(frontEnd, {title, guard, BuildVersionText()});
}

}  // namespace kustel
