// The window branch of start-up, once, through a fake front end: the order of its steps, the
// second-instance box, and what a failure in each step ends. The settings come from a settings
// folder of its own, with nothing stored; the windows are fakes that log what is done to them.

#include "gui/window_mode.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/name_codec.h"
#include "tests/support/fake_main_view.h"
#include "tests/support/temp_folder.h"

namespace kustel {
namespace {

using Log = std::vector<std::string>;

Log& TheLog() {
  static Log log;
  return log;
}

void LoggedBox(const std::u16string& caption, const std::u16string& text, BoxIcon icon) {
  TheLog().push_back((icon == BoxIcon::kError ? "error box " : "box ") + TextToBytes(caption) +
                     ": " + TextToBytes(text));
}

class FakeWindow final : public FrontEndWindow {
 public:
  explicit FakeWindow(MainFormServices services) : form_(view, std::move(services)) {}
  TMainForm& Form() override { return form_; }
  FakeMainView view;

 private:
  TMainForm form_;
};

class FakeDialog final : public LizView {
 public:
  int ScrollPosition() const override { return 0; }
  int ScrollMaximum() const override { return 0; }
  void ScrollTo(int) override {}
  bool ScrollBoxHasFocus() const override { return true; }
  void FocusScrollBox() override {}
  void FocusCloseButton() override {}
  void Close() override {}
};

// Where the steps fail: the step's name and what it throws.
class FakeFrontEnd final : public WindowFrontEnd {
 public:
  FakeFrontEnd() : WindowFrontEnd(LoggedBox) {}

  std::unique_ptr<FrontEndWindow> MakeMainWindow(MainFormServices services) override {
    TheLog().push_back("main window, version " + TextToBytes(services.versionText));
    Fail("main window");
    auto window = std::make_unique<FakeWindow>(std::move(services));
    window->view.calendarFails = failingStep == "FormCreate";
    return window;
  }
  std::unique_ptr<LizView> MakeInfoDialog(FrontEndWindow& window) override {
    const bool created = static_cast<FakeWindow&>(window).view.calendar.has_value();
    TheLog().push_back(created ? "dialog, after FormCreate" : "dialog, FormCreate cut short");
    Fail("dialog");
    return std::make_unique<FakeDialog>();
  }
  void RunEventLoop(FrontEndWindow&) override { TheLog().push_back("event loop"); }

  std::string failingStep;
  std::function<void()> failure;

 private:
  void Fail(const std::string& step) const {
    if (step == failingStep) failure();
  }
};

class WindowBranch : public ::testing::Test {
 protected:
  WindowBranch() {
    setenv("XDG_CONFIG_HOME", config_.path().c_str(), 1);
    TheLog().clear();
  }
  TempFolder config_;
};

TEST_F(WindowBranch, ASecondStartShowsItsOwnBoxAndBuildsNothing) {
  FakeFrontEnd frontEnd;
  EXPECT_EQ(RunWindowBranch(frontEnd, {u"Kustel", GuardResult::kAlreadyRunning, u"24.11.23"}), 1);
  EXPECT_EQ(TheLog(), Log{"box   KUSTEL - Meldung :  Das Programm KUSTEL läuft bereits "});
}

TEST_F(WindowBranch, BuildsTheWindowRunsFormCreateBuildsTheDialogThenRunsTheLoop) {
  FakeFrontEnd frontEnd;
  EXPECT_EQ(RunWindowBranch(frontEnd, {u"Kustel", GuardResult::kAcquired, u"24.11.23"}), 0);
  EXPECT_EQ(TheLog(),
            (Log{"main window, version 24.11.23", "dialog, after FormCreate", "event loop"}));
}

TEST_F(WindowBranch, AFailureShowsTheErrorBoxAndEndsWhatItsStepEnds) {
  const struct {
    const char* name;
    std::string step;
    std::function<void()> failure;
    Log log;
  } rows[] = {
      {"building the main window ends window mode",
       "main window",
       [] { throw std::runtime_error("Laufwerk fehlt"); },
       {"main window, version 24.11.23", "error box Kustel: Laufwerk fehlt."}},
      {"FormCreate is cut short, and the window opens all the same",
       "FormCreate",
       [] {},
       {"main window, version 24.11.23", "error box Kustel: Der Kalender fehlt.",
        "dialog, FormCreate cut short", "event loop"}},
      {"building the dialog ends window mode",
       "dialog",
       [] { throw std::runtime_error("Zu wenig Fenster"); },
       {"main window, version 24.11.23", "dialog, after FormCreate",
        "error box Kustel: Zu wenig Fenster."}},
      {"a failure without a text is named",
       "dialog",
       [] { throw 42; },
       {"main window, version 24.11.23", "dialog, after FormCreate",
        "error box Kustel: Unbekannter Fehler."}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TheLog().clear();
    FakeFrontEnd frontEnd;
    frontEnd.failingStep = row.step;
    frontEnd.failure = row.failure;
    EXPECT_EQ(RunWindowBranch(frontEnd, {u"Kustel", GuardResult::kAcquired, u"24.11.23"}), 0);
    EXPECT_EQ(TheLog(), row.log);
  }
}

}  // namespace
}  // namespace kustel
