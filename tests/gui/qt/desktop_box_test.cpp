#include "gui/qt/desktop_box.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <QCoreApplication>

#include <string>
#include <vector>

#include "gui/qt/message_box.h"

namespace kustel {
namespace {

class DesktopBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetMessageBoxHook([this](const ShownBox& box) { boxes.push_back(box); });
  }
  void TearDown() override { SetMessageBoxHook(nullptr); }

  std::vector<ShownBox> boxes;
};

TEST_F(DesktopBoxTest, StartsQtAtTheFirstBoxAndShowsEachMessage) {
  QtDesktopBox box("/usr/bin/kustel", "Kustel");
  EXPECT_EQ(QCoreApplication::instance(), nullptr);  // nothing shown, no display touched

  box.Show(u"Kustel", u"Geben Sie einen beliebigen Text ein", false);
  box.Show(u"Kustel", u"Datei fehlt.", true);
  EXPECT_NE(QCoreApplication::instance(), nullptr);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].caption, u"Kustel");
  EXPECT_EQ(boxes[0].text, u"Geben Sie einen beliebigen Text ein");
  EXPECT_EQ(boxes[0].icon, BoxIcon::kNone);
  EXPECT_EQ(boxes[1].text, u"Datei fehlt.");
  EXPECT_EQ(boxes[1].icon, BoxIcon::kError);
}

// An X display number nobody serves here.
std::string UnservedDisplay() {
  for (int number = 59;; ++number) {
    struct stat info;
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    if (stat(socket.c_str(), &info) != 0) return ":" + std::to_string(number);
  }
}

TEST_F(DesktopBoxTest, LeavesOutTheBoxWhenTheNamedDisplayIsGone) {
  // Qt would end the whole process here; the program must live on to handle the next file.
  unsetenv("QT_QPA_PLATFORM");
  unsetenv("WAYLAND_DISPLAY");
  unsetenv("XDG_SESSION_TYPE");
  setenv("DISPLAY", UnservedDisplay().c_str(), 1);
  QtDesktopBox box("/usr/bin/kustel", "Kustel");

  box.Show(u"Kustel", u"Geben Sie einen beliebigen Text ein", false);
  box.Show(u"Kustel", u"Geben Sie einen beliebigen Text ein", false);
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(QCoreApplication::instance(), nullptr);
}

}  // namespace
}  // namespace kustel
