// Start-up: the single-instance guard first, then one of two modes chosen by the first argument.
// Window mode (no first argument, or an empty one) shows the main window; command-line mode
// stamps every argument with the stored settings and ends without constructing any widget, so
// it also runs where there is no display at all.

#include <memory>
#include <string>
#include <vector>

#include "application_title.h"
#include "command_line_mode.h"
#include "console_message_sink.h"
#include "desktop_box.h"
#include "error_text.h"
#include "platform/clock.h"
#include "platform/command_line.h"
#include "platform/console.h"
#include "platform/file_system.h"
#include "platform/instance_guard.h"
#include "platform/name_codec.h"
#include "platform/settings_backend.h"
#include "qt_text.h"
#include "start_texts.h"
#include "window_mode.h"

namespace kustel {
namespace {

// Started from a file manager, nobody reads standard error: the messages then come as boxes too.
std::unique_ptr<DesktopBox> DesktopBoxIfWanted(const std::u16string& programPath,
                                               const std::u16string& title) {
  if (ErrorStreamIsTerminal() || !DisplayConfigured()) return nullptr;
  return std::make_unique<QtDesktopBox>(TextToBytes(programPath), ToQString(title));
}

int RunCommandLine(const std::u16string& programPath, const std::u16string& title,
                   const std::vector<std::u16string>& arguments, GuardResult guard) {
  const std::unique_ptr<DesktopBox> box = DesktopBoxIfWanted(programPath, title);
  ConsoleMessageSink messages(title, box.get());
  if (guard == GuardResult::kAlreadyRunning) {
    messages.ShowNotice(kSecondInstanceCaption, kSecondInstanceText);
    return 0;
  }
  try {
    SystemClock clock;
    NativeFileSystem files;
    const std::unique_ptr<SettingsBackend> backend = MakeNativeSettingsBackend();
    RunCommandLineMode(arguments, {files, clock, *backend, messages});
  } catch (const std::exception& failure) {
    messages.ShowError(FailureText(failure));
  } catch (...) {
    messages.ShowError(u"");
  }
  return 0;
}

int Run(int argc, char** argv) {
  std::vector<std::u16string> arguments = CommandLineArguments(argc, argv);
  const std::u16string programPath = arguments.empty() ? u"kustel" : arguments.front();
  if (!arguments.empty()) arguments.erase(arguments.begin());
  const std::u16string title = ApplicationTitle(programPath);

  const GuardAttempt guard = AcquireInstanceGuard();
  if (IsCommandLineMode(arguments))
    return RunCommandLine(programPath, title, arguments, guard.result);
  return RunWindowMode(programPath, title, guard.result);
}

}  // namespace
}  // namespace kustel

int main(int argc, char** argv) {
  return kustel::Run(argc, argv);
}
