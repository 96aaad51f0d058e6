// The boxes of the Win32 front end, shown for real and answered from another thread of the
// test, as the user would: caption, text, icon, OK.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>

#include "gui/win32/desktop_box.h"
#include "gui/win32/message_box.h"
#include "gui/win32/window_mode.h"
#include "platform/second_instance_text.h"

// CMake puts tests/support/win32 on the include path.
#include "program_run.h"

namespace kustel {
namespace {

// Runs `show` on a thread of its own and answers the one box it shows; what the box showed.
template <typename Show>
SeenBox AnswerTheBoxOf(Show show) {
  auto shown = std::async(std::launch::async, show);
  SeenBox seen;
  bool answered = false;
  for (int i = 0; i < 1000 && !answered; ++i) {
    for (const HWND box : BoxesOf(GetCurrentProcessId())) {
      seen = ReadBox(box);
      AnswerBox(box);
      answered = true;
    }
    if (!answered) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(answered) << "no box was shown";
  EXPECT_EQ(shown.wait_for(std::chrono::seconds(10)), std::future_status::ready)
      << "the box did not return after OK";
  return seen;
}

TEST(Win32MessageBox, ShowsCaptionTextAndTheIconAsked) {
  EXPECT_EQ(AnswerTheBoxOf([] { ShowModalBox(u"Kustel", u"Grüße, 50 € & mehr"); }),
            (SeenBox{u"Kustel", u"Grüße, 50 € & mehr", false}));
  EXPECT_EQ(AnswerTheBoxOf(
                [] { ShowModalBox(u"Kustel", u"Zu wenig Arbeitsspeicher.", BoxIcon::kError); }),
            (SeenBox{u"Kustel", u"Zu wenig Arbeitsspeicher.", true}));
}

TEST(Win32MessageBox, TheDesktopBoxOfCommandLineModeIsOne) {
  const auto box = MakeDesktopBox(u"C:\\Programme\\Kustel\\kustel.exe", u"Kustel");
  EXPECT_EQ(AnswerTheBoxOf([&] { box->Show(u"Kustel", u"Text", true); }),
            (SeenBox{u"Kustel", u"Text", true}));
}

TEST(Win32WindowMode, ASecondStartShowsItsOwnBoxAndEnds) {
  int exitCode = -1;
  EXPECT_EQ(AnswerTheBoxOf([&] {
              exitCode = RunWindowMode(u"kustel.exe", u"Kustel", GuardResult::kAlreadyRunning);
            }),
            (SeenBox{kSecondInstanceCaption, kSecondInstanceText, false}));
  EXPECT_EQ(exitCode, 1);
}

}  // namespace
}  // namespace kustel
