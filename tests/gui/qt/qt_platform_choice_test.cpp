// Where Qt would draw, told from the environment before Qt starts.

#include "gui/qt/qt_platform_choice.h"

#include <gtest/gtest.h>
#include <stdlib.h>

namespace kustel {
namespace {

struct ChoiceCase {
  const char* name;
  const char* display;         // DISPLAY, or null when not set
  const char* waylandDisplay;  // WAYLAND_DISPLAY
  const char* qtPlatform;      // QT_QPA_PLATFORM
  bool hasPlatform;
  bool seen;
};

void SetOrUnset(const char* variable, const char* value) {
  if (value != nullptr) {
    setenv(variable, value, 1);
  } else {
    unsetenv(variable);
  }
}

TEST(QtPlatformChoice, TellsWhetherQtCanDrawAndWhetherAnyoneSeesIt) {
  const ChoiceCase rows[] = {
      {"nothing named: a console, ssh, cron", nullptr, nullptr, nullptr, false, false},
      {"empty variables count as not set", "", "", "", false, false},
      {"an X display", ":0", nullptr, nullptr, true, true},
      {"a Wayland display", nullptr, "wayland-0", nullptr, true, true},
      {"offscreen, without a display", nullptr, nullptr, "offscreen", true, false},
      {"offscreen, though a display is named", ":0", nullptr, "offscreen", true, false},
      {"minimal draws nowhere either", ":0", nullptr, "minimal", true, false},
      {"the first of a list is taken", ":0", nullptr, "offscreen;xcb", true, false},
      {"options after a colon", ":0", nullptr, "minimal:enable_fonts", true, false},
      {"a list starting with a real platform", ":0", nullptr, "xcb;offscreen", true, true},
      {"a framebuffer platform without a display", nullptr, nullptr, "linuxfb", true, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    SetOrUnset("DISPLAY", row.display);
    SetOrUnset("WAYLAND_DISPLAY", row.waylandDisplay);
    SetOrUnset("QT_QPA_PLATFORM", row.qtPlatform);
    EXPECT_EQ(QtHasAPlatform(), row.hasPlatform);
    EXPECT_EQ(QtDrawsWhereItIsSeen(), row.seen);
  }
}

}  // namespace
}  // namespace kustel
