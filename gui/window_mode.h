#pragma once

// The window branch of start-up, once for every toolkit, in its order: the second-instance box
// when another instance runs; otherwise the main window built hidden and centred with its rules
// (the start values, the stored settings, the relabelling), its creation handler FormCreate, the
// information dialog, hidden, and then the window shown and the event loop until it is closed.
// A failure while the main window or the dialog is built shows the error box and ends window
// mode; one in FormCreate shows it and skips the rest of FormCreate, and the window opens all
// the same. Each front end provides the few calls below and nothing of the sequence.

#include <memory>
#include <string>

#include "gui/boxes.h"
#include "gui/liz_form.h"
#include "gui/main_form.h"
#include "platform/instance_guard.h"

namespace kustel {

// The main window as start-up holds it: the toolkit's window with its rules.
class FrontEndWindow {
 public:
  virtual ~FrontEndWindow() = default;
  virtual TMainForm& Form() = 0;
};

class WindowFrontEnd {
 public:
  explicit WindowFrontEnd(ShowBoxFunction showBox) : showBox(showBox) {}
  virtual ~WindowFrontEnd() = default;

  // The toolkit's modal box.
  const ShowBoxFunction showBox;

  // The main window, built hidden and centred, with its rules made from `services`.
  virtual std::unique_ptr<FrontEndWindow> MakeMainWindow(MainFormServices services) = 0;
  // The information dialog, hidden, behind the info button of the window made here.
  virtual std::unique_ptr<LizView> MakeInfoDialog(FrontEndWindow& window) = 0;
  // Shows the window made here and runs the event loop until it is closed.
  virtual void RunEventLoop(FrontEndWindow& window) = 0;
};

struct WindowStart {
  std::u16string title;  // the application's title, every box's caption
  GuardResult guard;
  std::u16string versionText;  // shown in the information dialog's caption
};

// Runs window mode to its end; returns the exit code: 1 for a refused second start, else 0.
int RunWindowBranch(WindowFrontEnd& frontEnd, const WindowStart& start);

}  // namespace kustel
