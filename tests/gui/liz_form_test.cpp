// The information dialog's rules through a fake view: the caption, the wheel's steps, clamps
// and routing, and what each key does. The Qt dialog's tests check that its events arrive here.

#include "gui/liz_form.h"

#include <gtest/gtest.h>

#include "gui/liz_definition.h"

#include <string>
#include <vector>

namespace kustel {
namespace {

// The dialog's scroll range: its content reaches down to the picture's lower edge.
const int kBottom = [] {
  const Place box = ControlOf(LizDefinition(), kScrollBox1).place;
  const Place picture = ControlOf(LizDefinition(), kImage1).place;
  return picture.top + picture.height - box.height;
}();

class FakeLizView final : public LizView {
 public:
  int ScrollPosition() const override { return position; }
  int ScrollMaximum() const override { return kBottom; }
  void ScrollTo(int to) override {
    position = to;
    ++moves;
  }
  bool ScrollBoxHasFocus() const override { return focus == "scroll box"; }
  void FocusScrollBox() override { focus = "scroll box"; }
  void FocusCloseButton() override { focus = "close button"; }
  void Close() override { closed = true; }

  int position = 0;
  int moves = 0;
  std::string focus = "close button";  // the first in tab order, until the showing moves it
  bool closed = false;
};

TEST(LizRules, CaptionCarriesTheVersionBehindTwoBlanks) {
  EXPECT_EQ(LizCaption(u"24.11.23"), u"  Bedienung und Lizenzvereinbarung - Version 24.11.23");
}

TEST(LizRules, TheWheelStepIsTheDeltaByEightTruncatedTowardZero) {
  const struct {
    int delta;
    int step;
  } rows[] = {{120, 15}, {-120, -15}, {100, 12}, {-100, -12}, {7, 0}, {-7, 0}, {8, 1}, {0, 0}};
  for (const auto& row : rows) EXPECT_EQ(WheelStep(row.delta), row.step) << row.delta;
}

TEST(LizRules, TheWheelScrollsWithinTheRangeAndOnlyWhileTheScrollBoxHasTheFocus) {
  const struct {
    const char* name;
    int start;
    WheelPlace place;
    bool scrollBoxFocused;
    int delta;
    int end;
  } rows[] = {
      {"one notch towards the user over the picture", 0, WheelPlace::kControl, true, -120, 30},
      {"one notch over the background", 0, WheelPlace::kBackground, true, -120, 15},
      {"a delta of 100 over the picture", 0, WheelPlace::kControl, true, -100, 24},
      {"away from the user at the top", 0, WheelPlace::kControl, true, 120, 0},
      {"towards the user at the bottom", kBottom, WheelPlace::kControl, true, -120, kBottom},
      {"from 12 above the bottom towards the user", kBottom - 12, WheelPlace::kControl, true, -120,
       kBottom},
      {"from 20 away from the user", 20, WheelPlace::kControl, true, 120, 0},
      {"while the close button has the focus", 100, WheelPlace::kControl, false, -120, 100},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    FakeLizView view;
    TLizForm dialog(view);
    view.position = row.start;
    if (row.scrollBoxFocused) dialog.FormShow();
    dialog.MouseWheel(row.place, row.delta);
    EXPECT_EQ(view.position, row.end);
    // The content moves only when the position changes.
    if (row.end == row.start) {
      EXPECT_EQ(view.moves, 0);
    }
  }
}

TEST(LizRules, SmallDeltasNeverAddUp) {
  FakeLizView view;
  TLizForm dialog(view);
  dialog.FormShow();
  view.position = 400;
  for (int i = 0; i < 100; ++i) dialog.MouseWheel(WheelPlace::kControl, i % 2 ? 7 : -7);
  for (int i = 0; i < 100; ++i) dialog.MouseWheel(WheelPlace::kControl, -7);
  EXPECT_EQ(view.position, 400);
  EXPECT_EQ(view.moves, 0);
}

TEST(LizRules, KeysCloseMoveTheFocusOrDoNothing) {
  const struct {
    const char* name;
    LizKey key;
    bool closeButtonFocused;
    bool taken;  // false leaves the key to the toolkit
    bool closes;
    std::string focusAfter;
  } rows[] = {
      {"S on the scroll box", LizKey::kLetterS, false, true, true, "scroll box"},
      {"S on the button", LizKey::kLetterS, true, true, true, "close button"},
      {"Enter on the scroll box", LizKey::kEnter, false, true, false, "scroll box"},
      {"Enter on the button", LizKey::kEnter, true, true, true, "close button"},
      {"Space on the scroll box", LizKey::kSpace, false, true, false, "scroll box"},
      {"Space on the button presses it itself", LizKey::kSpace, true, false, false, "close button"},
      {"Escape", LizKey::kEscape, false, true, false, "scroll box"},
      {"Tab from the scroll box", LizKey::kFocusKey, false, true, false, "close button"},
      {"Tab from the button", LizKey::kFocusKey, true, true, false, "scroll box"},
      {"any other key on the scroll box", LizKey::kOther, false, true, false, "scroll box"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    FakeLizView view;
    TLizForm dialog(view);
    view.focus = row.closeButtonFocused ? "close button" : "scroll box";
    view.position = 300;
    EXPECT_EQ(dialog.KeyPress(row.key, row.closeButtonFocused), row.taken);
    EXPECT_EQ(view.closed, row.closes);
    EXPECT_EQ(view.focus, row.focusAfter);
    EXPECT_EQ(view.position, 300);  // no key scrolls the picture
  }
}

}  // namespace
}  // namespace kustel
