// Start-up: the single-instance guard first, then one of two modes chosen by the first argument.
// Window mode (no first argument, or an empty one) shows the main window; command-line mode
// stamps every argument with the stored settings and ends without constructing any widget, so
// it also runs where there is no display at all. This file, like everything it links, holds no
// Qt: the windows are reached through gui_seam.h, on Linux a module loaded only when a window
// or a box is needed.

#include <memory>
#include <string>
#include <vector>

#include "app/application_title.h"
#include "app/command_line_mode.h"
#include "app/console_message_sink.h"
#include "app/entry_desktop_box.h"
#include "app/gui_seam.h"
#include "app/start_texts.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/error_text.h"
#include "platform/file_system.h"
#include "platform/instance_guard.h"
#include "platform/program_entry.h"
#include "platform/second_instance_text.h"
#include "platform/settings_backend.h"

namespace kustel {
namespace {

// The exit codes: everything asked for was done, or not (a file refused, missing or not renamed,
// a second start refused, no window to be had).
constexpr int kDone = 0;
constexpr int kNotDone = 1;

// Started from a file manager, nobody reads standard error: the messages then come as boxes too.
// Where any standard stream is a terminal someone may be reading there, and a script must never
// wait for an OK that nobody sees.
std::unique_ptr<DesktopBox> DesktopBoxIfWanted(const std::u16string& programPath,
                                               const std::u16string& title) {
  if (AnyStandardStreamIsTerminal() || !DisplayConfigured()) return nullptr;
  return std::make_unique<EntryDesktopBox>(programPath, title);
}

int RunCommandLine(const std::u16string& programPath, const std::u16string& title,
                   const std::vector<std::u16string>& arguments, GuardResult guard) {
  const std::unique_ptr<DesktopBox> box = DesktopBoxIfWanted(programPath, title);
  ConsoleMessageSink messages(title, box.get());
  if (guard == GuardResult::kAlreadyRunning) {
    messages.ShowNotice(kSecondInstanceCaption, kSecondInstanceText);
    return kNotDone;
  }
  try {
    SystemClock clock;
    NativeFileSystem files;
    const std::unique_ptr<SettingsBackend> backend = MakeNativeSettingsBackend();
    return RunCommandLineMode(arguments, {files, clock, *backend, messages}) ? kDone : kNotDone;
  } catch (...) {
    messages.ShowError(CurrentFailureText());
  }
  return kNotDone;
}

// Window mode, through the windows' entry. Where the front end has nothing to draw on, or a
// failure ends it, a clear line instead of the toolkit's abort.
int StartWindowMode(const std::u16string& programPath, const std::u16string& title,
                    GuardResult guard) {
  const bool secondStart = guard == GuardResult::kAlreadyRunning;
  const GuiLoad& gui = LoadGui();
  if (gui.entry == nullptr) {
    WriteErrorLine(secondStart ? std::u16string(kSecondInstanceText) : gui.missingText);
    return kNotDone;
  }
  int32_t exitCode = kNotDone;
  SeamFailure failure;
  switch (gui.entry->runWindowMode(ToSeamText(programPath), ToSeamText(title),
                                   static_cast<int32_t>(guard), &exitCode, &failure)) {
    case SeamStatus::kDone:
      return exitCode;
    case SeamStatus::kNoDisplay:
      WriteErrorLine(secondStart ? kSecondInstanceText : kNoDisplayText);
      return kNotDone;
    case SeamStatus::kFailed:
      WriteErrorLine(ErrorText(failure.Text()));
      return kNotDone;
  }
  return kNotDone;
}

}  // namespace

int ProgramMain(std::vector<std::u16string> arguments) {
  const std::u16string programPath = arguments.empty() ? u"kustel" : arguments.front();
  if (!arguments.empty()) arguments.erase(arguments.begin());
  const std::u16string title = ApplicationTitle(programPath);

  const GuardAttempt guard = AcquireInstanceGuard();
  if (IsCommandLineMode(arguments))
    return RunCommandLine(programPath, title, arguments, guard.result);
  return StartWindowMode(programPath, title, guard.result);
}

}  // namespace kustel
