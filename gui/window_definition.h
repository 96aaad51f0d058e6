#pragma once

// A window definition as data: the window's caption, client size, frame, font and colour, and
// every control with its name, kind, place and size in pixels (96 dpi, relative to the client
// area of the control that holds it), its text or items, character height, colours and flags.
// The definitions `Main` and `Lizenz` are the one source of both windows: each front end builds
// its widgets or controls from them, and the layout tests of both check against them. Nothing
// here knows a toolkit; each front end maps the kinds and flags to its own classes and styles.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine/chosen_date.h"

namespace kustel {

enum class ControlKind {
  kPanel,          // a raised panel that holds other controls
  kGroupBox,       // a radio group's frame and caption; its radio items are its children
  kRadioItem,      // one item of a radio group
  kMonthCalendar,  // one month; not a tab stop, it takes the focus only when clicked
  kLabel,          // static text on one line, vertically centred
  kEdit,           // a one-line edit field
  kComboBox,       // a combo box with an editable field
  kListBox,
  kButton,
  kScrollBox,  // a scrollable area whose content is its children; scrolls up and down only
  kPicture,    // the information picture
};

// Properties a control has or has not.
enum ControlFlag : unsigned {
  kTabStop = 1u << 0,       // Tab visits it; a radio item, while it is its group's selected one
  kCentred = 1u << 1,       // a label's text is centred across as well as up and down
  kTakesNoFocus = 1u << 2,  // a button that never takes the keyboard focus
  kWeekNumbers = 1u << 3,   // a calendar shows the week numbers
};

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;

  bool operator==(const Rgb&) const = default;
};

struct Place {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  bool operator==(const Place&) const = default;
};

struct ControlDefinition {
  int id = 0;
  const char* name = "";  // the control's name as the program's code and tests call it
  ControlKind kind = ControlKind::kLabel;
  int parent = 0;  // the id of the control that holds it, 0 for the window itself
  Place place = {};
  const char16_t* text = u"";  // a caption, a label's text or a button's, "&" before its letter
  int characterHeight = 0;     // in pixels; 0: that of the control holding it
  unsigned flags = 0;          // ControlFlag
  // Unset: the background of the control holding it, and its text colour (at the window, the
  // system's text colour). A background belongs to the control's face: a panel's or a label's
  // area, a list box's field, a scroll box's content.
  std::optional<Rgb> background = std::nullopt;
  std::optional<Rgb> textColour = std::nullopt;
  std::span<const char16_t* const> items = {};  // a combo box's items, a list box's lines
  int lineHeight = 0;                           // a list box's line height; 0: the font's
  int typedLimit = 0;      // an edit field: how many characters the user can put in; 0: no limit
  CalendarDate date = {};  // a calendar's date until the program sets one

  bool Has(ControlFlag flag) const { return (flags & flag) != 0; }
};

enum class WindowFrame {
  kMainWindow,  // a title bar with minimise, maximise and close boxes; not resizable
  kDialog,      // a fixed dialog frame with a close box and nothing else in its title bar
};

struct WindowDefinition {
  const char* name;  // the window's name as the code and the tests call it
  const char16_t* caption;
  int clientWidth;
  int clientHeight;
  WindowFrame frame;
  const char16_t* fontFace;  // every control's face
  int characterHeight;       // the window's own, in pixels
  Rgb background;
  std::span<const ControlDefinition> controls;  // in tab order; a control after its holder
};

// The control of that id; nullptr when the window has none.
const ControlDefinition* FindControl(const WindowDefinition& window, int id);
// The control of that id, which the window must have.
const ControlDefinition& ControlOf(const WindowDefinition& window, int id);

// The ids of the controls a control holds directly, in their order.
std::vector<int> ChildrenOf(const WindowDefinition& window, int id);

// The character height and text colour a control is drawn with, looked up through the
// controls holding it to the window.
int CharacterHeightOf(const WindowDefinition& window, const ControlDefinition& control);
std::optional<Rgb> TextColourOf(const WindowDefinition& window, const ControlDefinition& control);
Rgb BackgroundOf(const WindowDefinition& window, const ControlDefinition& control);

// Where a control stands in the window's client area (a scroll box's content unscrolled).
Place PlaceInWindow(const WindowDefinition& window, const ControlDefinition& control);

}  // namespace kustel
