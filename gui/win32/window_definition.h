#pragma once

// A window definition as data: the window's caption, client size, font and colour, and every
// control with its position and size in pixels (96 dpi, relative to the client area of the
// control that holds it), its text or items, character height and colours. The Win32 windows
// are built from these tables by ControlSet; nothing else places a control.

#include <windows.h>

#include <span>

namespace kustel {

enum class ControlKind {
  kPanel,          // a raised panel that holds other controls (Kustel's own class)
  kGroupBox,       // the frame and caption of a radio group
  kRadioItem,      // one item of a radio group; the first carries WS_GROUP
  kMonthCalendar,  // SysMonthCal32
  kLabel,          // static text on one line, vertically centred
  kEdit,           // a one-line edit field
  kComboBox,       // a combo box with an editable field
  kListBox,
  kButton,
  kScrollBox,  // a scrollable area for a picture (Kustel's own class)
  kPicture,    // a bitmap
};

inline constexpr COLORREF kInheritedColour = CLR_INVALID;

struct ControlDefinition {
  int id;
  int parent;  // the id of the control that holds it, 0 for the window itself
  ControlKind kind;
  int left;
  int top;
  int width;
  int height;
  const wchar_t* text = L"";
  int characterHeight = 0;  // 0: the window's
  DWORD style = 0;          // added to the kind's own style: WS_TABSTOP, WS_GROUP, SS_CENTER ...
  COLORREF background = kInheritedColour;      // inherited: the colour of the control holding it
  COLORREF textColour = kInheritedColour;      // inherited: the system's text colour
  std::span<const wchar_t* const> items = {};  // the items of a combo box or list box
  int lineHeight = 0;                          // a list box's line height; 0: the font's
};

struct WindowDefinition {
  const wchar_t* caption;
  int clientWidth;
  int clientHeight;
  const wchar_t* fontFace;  // every control's face
  int characterHeight;      // the window's own, for controls that name none
  COLORREF background;
  std::span<const ControlDefinition> controls;  // in the order of creation, which is tab order
};

}  // namespace kustel
