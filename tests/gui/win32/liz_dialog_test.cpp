// The Win32 information dialog, opened by the main window's info button and driven from inside
// its modal loop: its layout, caption and picture, the wheel wherever the system delivers it,
// the scroll bar's commands, the keys, and what it keeps between showings. The rules themselves
// (step, clamp, routing, keys) are tested through a fake view (tests/gui/liz_form_test.cpp).

#include "gui/info_picture.h"
#include "gui/liz_definition.h"
#include "gui/png_decoder.h"
#include "gui/win32/control_set.h"
#include "tests/gui/win32/main_window_world.h"
#include "tests/gui/win32/window_pixels.h"

namespace kustel {
namespace {

// The scroll geometry of the definition: the content reaches down to the picture's lower edge.
const Place kBoxPlace = ControlOf(LizDefinition(), kScrollBox1).place;
const Place kPicturePlace = ControlOf(LizDefinition(), kImage1).place;
const int kContentHeight = kPicturePlace.top + kPicturePlace.height;
const int kBottom = kContentHeight - kBoxPlace.height;

bool PlacedAt(const RECT& area, const Place& place) {
  return area.left == place.left && area.top == place.top &&
         area.right - area.left == place.width && area.bottom - area.top == place.height;
}

class LizDialogTest : public MainWindowWorld {
 protected:
  void SetUp() override { OpenShown(); }

  HWND Liz() { return dialog().Handle(); }
  HWND CloseBtn() { return dialog().Control(kCloseBtn); }
  HWND ScrollBox() { return dialog().Control(kScrollBox1); }
  HWND Picture() { return dialog().Control(kImage1); }

  // Opens the dialog with the info button and runs `inside` from within its modal loop; what
  // `inside` posts is handled by that loop. True when the dialog was still open after all that
  // (the test then closes it).
  bool OpenAndRun(std::function<void()> inside) {
    bool stillOpen = false;
    PostToLoop([&] {
      inside();
      // What `inside` posted may post more (Alt+F4 posts the close command): the check waits
      // a round longer.
      PostToLoop([&] {
        PostToLoop([&] {
          stillOpen = IsWindowVisible(Liz());
          if (stillOpen) dialog().Close();
        });
      });
    });
    SendMessageW(Control(kInfoSBtn), BM_CLICK, 0, 0);  // returns when the dialog is closed
    Pump();
    return stillOpen;
  }

  // Handles what waits as the dialog's modal loop does, from inside it.
  void PumpDialog() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (dialog().PreTranslate(message) || IsDialogMessageW(Liz(), &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  RECT PlaceIn(HWND control, HWND parent) {
    RECT area;
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    return area;
  }

  // The screen point at (x, y) of a window's client area.
  static POINT ScreenPoint(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
  }

  void Wheel(HWND target, POINT pointer, int delta) {
    SendMessageW(target, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)),
                 MAKELPARAM(pointer.x, pointer.y));
  }

  // The position as the three places that show it agree on it: the rules' view, the thumb and
  // the picture's place in the scroll box.
  int Position() {
    const int position = dialog().ScrollPosition();
    EXPECT_EQ(GetScrollPos(ScrollBox(), SB_VERT), position);
    EXPECT_EQ(PlaceIn(Picture(), ScrollBox()).top, kPicturePlace.top - position);
    return position;
  }
};

TEST_F(LizDialogTest, OpensModallyCentredWithItsCaptionLayoutAndTheFocusOnThePicture) {
  EXPECT_TRUE(OpenAndRun([&] {
    EXPECT_EQ(WindowText(Liz()), u"  Bedienung und Lizenzvereinbarung - Version " + kVersion);
    EXPECT_FALSE(IsWindowEnabled(window().Handle()));
    EXPECT_EQ(GetWindow(Liz(), GW_OWNER), window().Handle());
    const WindowDefinition& lizenz = LizDefinition();
    RECT client;
    GetClientRect(Liz(), &client);
    EXPECT_EQ(client.right, lizenz.clientWidth);
    EXPECT_EQ(client.bottom, lizenz.clientHeight);
    const LONG_PTR style = GetWindowLongPtrW(Liz(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));

    // The first showing stands in the middle of the work area.
    RECT area, frame;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(Liz(), &frame);
    EXPECT_EQ(frame.left, area.left + (area.right - area.left - (frame.right - frame.left)) / 2);
    EXPECT_EQ(frame.top, area.top + (area.bottom - area.top - (frame.bottom - frame.top)) / 2);

    // CloseBtn: tab order 0, neither default nor cancel button.
    const ControlDefinition& closeBtn = ControlOf(lizenz, kCloseBtn);
    EXPECT_EQ(GetWindow(Liz(), GW_CHILD), CloseBtn());
    EXPECT_EQ(WindowText(CloseBtn()), closeBtn.text);
    EXPECT_TRUE(PlacedAt(PlaceIn(CloseBtn(), Liz()), closeBtn.place));
    EXPECT_FALSE(GetWindowLongPtrW(CloseBtn(), GWL_STYLE) & BS_DEFPUSHBUTTON);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(CloseBtn(), WM_GETFONT, 0, 0)), sizeof font,
               &font);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(font.lfFaceName)), lizenz.fontFace);
    EXPECT_EQ(font.lfHeight, -CharacterHeightOf(lizenz, closeBtn));

    // ScrollBox1: no border, a tab stop, a vertical scroll bar only, the picture in it.
    EXPECT_TRUE(PlacedAt(PlaceIn(ScrollBox(), Liz()), kBoxPlace));
    EXPECT_EQ(GetWindowLongPtrW(ScrollBox(), GWL_STYLE) &
                  (WS_BORDER | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL),
              WS_TABSTOP | WS_VSCROLL);
    EXPECT_FALSE(GetWindowLongPtrW(ScrollBox(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(PlacedAt(PlaceIn(Picture(), ScrollBox()), kPicturePlace));
    SCROLLINFO range{};
    range.cbSize = sizeof range;
    range.fMask = SIF_ALL;
    GetScrollInfo(ScrollBox(), SB_VERT, &range);
    EXPECT_EQ(range.nMin, 0);
    EXPECT_EQ(range.nMax, kContentHeight - 1);
    EXPECT_EQ(range.nPage, static_cast<UINT>(kBoxPlace.height));
    EXPECT_EQ(dialog().ScrollMaximum(), kBottom);

    EXPECT_EQ(GetFocus(), ScrollBox());
  }));
  EXPECT_TRUE(IsWindowEnabled(window().Handle()));
}

TEST_F(LizDialogTest, ShowsThePictureOnWhiteOnSilver) {
  const DecodedPng png = DecodePng(InfoPicturePng());
  ASSERT_TRUE(png.ok());
  OpenAndRun([&] {
    // The picture, pixel for pixel (the DIB holds blue, green, red where the PNG has red, green,
    // blue).
    const WindowPixels picture(Picture());
    ASSERT_EQ(picture.Width(), static_cast<int>(png.width));
    ASSERT_EQ(picture.Height(), static_cast<int>(png.height));
    ASSERT_EQ(picture.Width(), kPicturePlace.width);
    ASSERT_EQ(picture.Height(), kPicturePlace.height);
    for (int y = 0; y < picture.Height(); y += 7) {
      for (int x = 0; x < picture.Width(); ++x) {
        const uint8_t* rgba = &png.rgba[(static_cast<size_t>(y) * png.width + x) * 4];
        ASSERT_EQ(picture.At(x, y), RGB(rgba[0], rgba[1], rgba[2])) << x << ", " << y;
      }
    }
    // The scroll box's colour in the band above it and to its right, left of the scroll bar.
    const COLORREF boxColour = ColourRef(*ControlOf(LizDefinition(), kScrollBox1).background);
    const WindowPixels box(ScrollBox());
    EXPECT_EQ(box.At(100, kPicturePlace.top - 2), boxColour);
    EXPECT_EQ(box.At(kPicturePlace.width + 4, 200), boxColour);
    const WindowPixels liz(Liz());
    POINT origin{0, 0};
    ClientToScreen(Liz(), &origin);
    RECT frame;
    GetWindowRect(Liz(), &frame);
    EXPECT_EQ(liz.At(origin.x - frame.left + 4, origin.y - frame.top + 4),
              ColourRef(LizDefinition().background));
  });
}

TEST_F(LizDialogTest, TheWheelScrollsTheRulesNetStepsWhereverTheSystemDeliversIt) {
  enum Place { kOverPicture, kOverScrollBar, kOverCloseButton, kOverBackground };
  const struct {
    const char* name;
    int from;
    bool closeButtonFocused;
    Place place;
    int delta;
    int times;
    int to;
  } rows[] = {
      {"a notch over the picture: twice 15", 0, false, kOverPicture, -120, 1, 30},
      {"a notch over the scroll bar", 0, false, kOverScrollBar, -120, 1, 30},
      {"a notch over the close button", 0, false, kOverCloseButton, -120, 1, 30},
      {"a notch over the background: once 15", 0, false, kOverBackground, -120, 1, 15},
      {"a fine wheel's 100: twice 12", 0, false, kOverPicture, -100, 1, 24},
      {"deltas up to 7 never move", 0, false, kOverPicture, -7, 10, 0},
      {"away from the user at the top", 0, false, kOverPicture, 120, 1, 0},
      {"towards the user near the end", kBottom - 12, false, kOverPicture, -120, 1, kBottom},
      {"towards the user at the end", kBottom, false, kOverBackground, -120, 1, kBottom},
      {"away from the user at the end, over the background", kBottom, false, kOverBackground, 120,
       1, kBottom - 15},
      {"the close button has the focus", 100, true, kOverPicture, -120, 1, 100},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    OpenAndRun([&] {
      // Wine and Windows with "scroll inactive windows" deliver to the window under the pointer,
      // Windows without it to the focus window.
      for (const bool toFocus : {false, true}) {
        SCOPED_TRACE(toFocus ? "to the focus window" : "to the window under the pointer");
        dialog().ScrollTo(row.from);
        SetFocus(row.closeButtonFocused ? CloseBtn() : ScrollBox());
        POINT pointer{};
        HWND under = nullptr;
        switch (row.place) {
          case kOverPicture:
            pointer = ScreenPoint(ScrollBox(), 200, 200);
            under = Picture();
            break;
          case kOverScrollBar: {
            RECT frame;
            GetWindowRect(ScrollBox(), &frame);
            pointer = {frame.right - 5, frame.top + 200};
            under = ScrollBox();
            break;
          }
          case kOverCloseButton:
            pointer = ScreenPoint(CloseBtn(), 10, 10);
            under = CloseBtn();
            break;
          case kOverBackground:
            pointer = ScreenPoint(Liz(), 5, 300);
            under = Liz();
            break;
        }
        const HWND target = toFocus ? GetFocus() : under;
        for (int i = 0; i < row.times; ++i) Wheel(target, pointer, row.delta);
        EXPECT_EQ(Position(), row.to);
      }
    });
  }
}

TEST_F(LizDialogTest, TheScrollBarMovesByItsStepsAndTheThumbOnlyWhenLetGo) {
  const struct {
    const char* name;
    int from;
    WORD request;
    WORD thumb;
    int to;
  } rows[] = {
      {"arrow down", 0, SB_LINEDOWN, 0, 8},
      {"arrow up", 8, SB_LINEUP, 0, 0},
      {"arrow up at the top", 0, SB_LINEUP, 0, 0},
      {"trough below", 0, SB_PAGEDOWN, 0, kBoxPlace.height},
      {"trough below near the end", kBoxPlace.height, SB_PAGEDOWN, 0, kBottom},
      {"trough above", kBottom, SB_PAGEUP, 0, kBottom - kBoxPlace.height},
      {"the thumb being dragged", 100, SB_THUMBTRACK, 500, 100},
      {"the thumb let go", 100, SB_THUMBPOSITION, 500, 500},
      {"top", 300, SB_TOP, 0, 0},
      {"bottom", 300, SB_BOTTOM, 0, kBottom},
  };
  OpenAndRun([&] {
    for (const auto& row : rows) {
      SCOPED_TRACE(row.name);
      dialog().ScrollTo(row.from);
      SendMessageW(ScrollBox(), WM_VSCROLL, MAKEWPARAM(row.request, row.thumb), 0);
      EXPECT_EQ(Position(), row.to);
    }
  });
}

// A key message as the keyboard sends it to the focused control.
struct Key {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

TEST_F(LizDialogTest, SAndAltSCloseWhileEscapeAndOtherKeysDoNot) {
  const struct {
    const char* name;
    bool closeButtonFocused;
    std::vector<Key> keys;
    bool closes;
  } rows[] = {
      {"S on the picture", false, {{WM_CHAR, u's', 1}}, true},
      {"S on the close button", true, {{WM_CHAR, u'S', 1}}, true},
      {"Alt+S", false, {{WM_SYSCHAR, u's', 1 << 29}}, true},
      {"Escape", false, {{WM_KEYDOWN, VK_ESCAPE, 1}, {WM_KEYUP, VK_ESCAPE, 0xC0000001}}, false},
      {"Escape on the close button",
       true,
       {{WM_KEYDOWN, VK_ESCAPE, 1}, {WM_KEYUP, VK_ESCAPE, 0xC0000001}},
       false},
      {"Enter on the picture",
       false,
       {{WM_KEYDOWN, VK_RETURN, 1}, {WM_KEYUP, VK_RETURN, 0xC0000001}},
       false},
      {"Enter on the close button",
       true,
       {{WM_KEYDOWN, VK_RETURN, 1}, {WM_KEYUP, VK_RETURN, 0xC0000001}},
       true},
      {"Space on the picture",
       false,
       {{WM_KEYDOWN, VK_SPACE, 1}, {WM_KEYUP, VK_SPACE, 0xC0000001}},
       false},
      {"Space on the close button",
       true,
       {{WM_KEYDOWN, VK_SPACE, 1}, {WM_KEYUP, VK_SPACE, 0xC0000001}},
       true},
      {"another letter", false, {{WM_CHAR, u'x', 1}}, false},
      {"Alt+F4", false, {{WM_SYSKEYDOWN, VK_F4, (1 << 29) | 1}}, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const bool stillOpen = OpenAndRun([&] {
      SetFocus(row.closeButtonFocused ? CloseBtn() : ScrollBox());
      for (const Key& key : row.keys) PostMessageW(GetFocus(), key.message, key.wParam, key.lParam);
    });
    EXPECT_EQ(stillOpen, !row.closes);
    EXPECT_TRUE(IsWindow(Liz()));  // hidden, not destroyed
    EXPECT_FALSE(IsWindowVisible(Liz()));
    EXPECT_TRUE(IsWindowEnabled(window().Handle()));
  }
  // Neither the dialog manager's IDCANCEL nor its IDOK closes it; the close box does.
  EXPECT_TRUE(OpenAndRun([&] {
    PostMessageW(Liz(), WM_COMMAND, IDCANCEL, 0);
    PostMessageW(Liz(), WM_COMMAND, IDOK, 0);
  }));
  EXPECT_FALSE(OpenAndRun([&] { PostMessageW(Liz(), WM_SYSCOMMAND, SC_CLOSE, 0); }));
}

TEST_F(LizDialogTest, TabAndTheArrowsMoveTheFocusAndNoKeyScrolls) {
  const std::pair<WPARAM, bool> steps[] = {
      // the key, and whether the close button has the focus after it
      {VK_TAB, true},   {VK_TAB, false}, {VK_DOWN, true}, {VK_LEFT, false},
      {VK_NEXT, false}, {VK_END, false}, {VK_DOWN, true}, {VK_NEXT, true},
  };
  OpenAndRun([&] {
    for (const auto& [key, onCloseButton] : steps) {
      PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
      PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
      PumpDialog();
      EXPECT_EQ(GetFocus(), onCloseButton ? CloseBtn() : ScrollBox()) << "after key " << key;
      EXPECT_EQ(Position(), 0);
    }
  });
}

TEST_F(LizDialogTest, ReopenedItStandsWhereItWasLeftAtItsScrollPositionWithThePictureFocused) {
  OpenAndRun([&] {
    SendMessageW(ScrollBox(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 400), 0);
    SetWindowPos(Liz(), nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetFocus(CloseBtn());
  });
  OpenAndRun([&] {
    EXPECT_EQ(Position(), 400);
    RECT frame;
    GetWindowRect(Liz(), &frame);
    EXPECT_EQ(frame.left, 30);
    EXPECT_EQ(frame.top, 40);
    EXPECT_EQ(GetFocus(), ScrollBox());
  });
}

}  // namespace
}  // namespace kustel
