#include "gui/qt/window_mode.h"

#include <cstdlib>
#include <memory>

#include "app/start_texts.h"
#include "gui/failure_box.h"
#include "gui/qt/german_qt_texts.h"
#include "gui/qt/kustel_application.h"
#include "gui/qt/liz_dialog.h"
#include "gui/qt/main_window.h"
#include "gui/qt/message_box.h"
#include "gui/qt/qt_text.h"
#include "gui/qt/window_fonts.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/file_system.h"
#include "platform/name_codec.h"
#include "platform/settings_backend.h"
#include "settings/settings_store.h"

namespace kustel {
namespace {

// Qt ends the process when the display it was pointed at cannot be reached. While the
// application object is being made, that end is replaced by a clear message of ours.
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

}  // namespace

int RunWindowMode(const std::u16string& programPath, const std::u16string& title,
                  GuardResult guard) {
  const QString qtTitle = ToQString(title);
  QtArguments arguments(TextToBytes(programPath));
  const std::unique_ptr<KustelApplication> application =
      StartApplication(arguments, qtTitle, guard);

  if (guard == GuardResult::kAlreadyRunning) {
    ShowModalBox(kSecondInstanceCaption, kSecondInstanceText);
    return 1;
  }
  RegisterWindowFonts();
  InstallGermanQtTexts();

  SystemClock clock;
  NativeFileSystem files;
  const std::unique_ptr<SettingsBackend> backend = MakeNativeSettingsBackend();
  BoxMessageSink messages(ShowModalBox, title);
  SettingsStore settings(*backend, messages);

  std::unique_ptr<MainWindow> form;
  if (!RunShowingFailure(ShowModalBox, title, [&] {
        form = std::make_unique<MainWindow>(MainFormServices{files, clock, settings, messages});
      })) {
    return 0;
  }
  // A failure here skips the rest of FormCreate.
  RunShowingFailure(ShowModalBox, title, [&] { form->Form().FormCreate(); });
  // The main window owns the dialog: it stays above the window and has no task bar entry.
  LizDialog* dialog = nullptr;
  if (!RunShowingFailure(ShowModalBox, title, [&] { dialog = new LizDialog(form.get()); }))
    return 0;
  form->SetInfoDialog(dialog);

  form->show();
  application->exec();
  return 0;
}

}  // namespace kustel
