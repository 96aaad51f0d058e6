// The Win32 main window as it first shows: its frame and place on the screen, where every control
// stands and what it says, its fonts and colours (read back in pixels), the calendar, and the
// options it shows from the start values and the stored settings.

#include <algorithm>

#include "engine/prefix_formats.h"
#include "gui/win32/control_set.h"
#include "tests/gui/win32/main_window_world.h"
#include "tests/gui/win32/window_pixels.h"

namespace kustel {
namespace {

using MainWindowLayoutTest = MainWindowWorld;

std::u16string ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return reinterpret_cast<const char16_t*>(name);
}

RECT PlaceIn(HWND control, HWND parent) {
  RECT area;
  GetWindowRect(control, &area);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
  return area;
}

LOGFONTW FontOf(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

// The face the system really draws with, which is the face asked for only where it is installed.
std::u16string DrawnFace(HWND control) {
  const HDC dc = GetDC(control);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return reinterpret_cast<const char16_t*>(face);
}

std::vector<std::u16string> ComboItems(HWND combo) {
  std::vector<std::u16string> items;
  for (LRESULT i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
    wchar_t item[64] = {};
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
    items.push_back(reinterpret_cast<const char16_t*>(item));
  }
  return items;
}

std::vector<std::u16string> ListLines(HWND list) {
  std::vector<std::u16string> lines;
  for (LRESULT i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
    wchar_t line[64] = {};
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
    lines.push_back(reinterpret_cast<const char16_t*>(line));
  }
  return lines;
}

// The Win32 class each kind of control is built as.
std::u16string ClassOfKind(ControlKind kind) {
  switch (kind) {
    case ControlKind::kPanel:
      return u"KustelPanel";
    case ControlKind::kGroupBox:
    case ControlKind::kRadioItem:
    case ControlKind::kButton:
      return u"Button";
    case ControlKind::kMonthCalendar:
      return u"SysMonthCal32";
    case ControlKind::kLabel:
    case ControlKind::kPicture:
      return u"Static";
    case ControlKind::kEdit:
      return u"Edit";
    case ControlKind::kComboBox:
      return u"ComboBox";
    case ControlKind::kListBox:
      return u"ListBox";
    case ControlKind::kScrollBox:
      return u"KustelScrollBox";
  }
  return u"";
}

// Whether `parent` is the window or one of the controls that hold `control` in its definition.
bool HeldAsDefined(const MainWindow& window, const ControlDefinition& control, HWND parent) {
  if (parent == window.Handle()) return true;
  for (const ControlDefinition* at = FindControl(MainDefinition(), control.parent); at != nullptr;
       at = FindControl(MainDefinition(), at->parent))
    if (window.Control(at->id) == parent) return true;
  return false;
}

// What a control shows at the start: its definition's text; a combo box its first item, the
// start value; a format item the label of the hyphen, from the relabelling.
std::u16string StartText(const ControlDefinition& control) {
  if (control.kind == ControlKind::kComboBox) return control.items[0];
  if (control.parent == kFormatRGroup) {
    const std::vector<int> items = ChildrenOf(MainDefinition(), kFormatRGroup);
    const auto index = std::find(items.begin(), items.end(), control.id) - items.begin();
    return FormatLabels(kHyphen)[static_cast<size_t>(index)];
  }
  return control.text;
}

TEST_F(MainWindowLayoutTest, TheWindowHasItsCaptionSizeAndFixedFrameAndStandsCentred) {
  Open();
  const WindowDefinition& main = MainDefinition();
  const HWND handle = window().Handle();
  EXPECT_EQ(WindowText(handle), main.caption);
  RECT client;
  GetClientRect(handle, &client);
  EXPECT_EQ(client.right, main.clientWidth);
  EXPECT_EQ(client.bottom, main.clientHeight);

  // Minimise, maximise and close boxes, but no sizing border; maximised it keeps its size.
  const LONG_PTR style = GetWindowLongPtrW(handle, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_THICKFRAME);
  RECT frame;
  GetWindowRect(handle, &frame);
  const int outerWidth = frame.right - frame.left;
  const int outerHeight = frame.bottom - frame.top;
  MINMAXINFO limits{};
  SendMessageW(handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  for (const POINT size : {limits.ptMinTrackSize, limits.ptMaxTrackSize, limits.ptMaxSize}) {
    EXPECT_EQ(size.x, outerWidth);
    EXPECT_EQ(size.y, outerHeight);
  }

  // Centred on the screen by its outer size, constructed hidden.
  EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - outerWidth) / 2);
  EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - outerHeight) / 2);
  EXPECT_FALSE(IsWindowVisible(handle));
}

TEST_F(MainWindowLayoutTest, EveryControlIsBuiltAsItsDefinitionSays) {
  Open();
  const WindowDefinition& main = MainDefinition();
  for (const ControlDefinition& row : main.controls) {
    SCOPED_TRACE(row.name);
    const HWND control = Control(row.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(ClassOf(control), ClassOfKind(row.kind));
    EXPECT_TRUE(HeldAsDefined(window(), row, GetParent(control)));
    const RECT place = PlaceIn(control, window().Handle());
    const Place defined = PlaceInWindow(main, row);
    EXPECT_EQ(place.left, defined.left);
    EXPECT_EQ(place.top, defined.top);
    EXPECT_EQ(place.right - place.left, defined.width);
    EXPECT_EQ(place.bottom - place.top, defined.height);
    EXPECT_EQ(WindowText(control), StartText(row));

    // A panel shows no text and keeps no font.
    if (row.kind != ControlKind::kPanel) {
      const LOGFONTW font = FontOf(control);
      EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(font.lfFaceName)), main.fontFace);
      EXPECT_EQ(font.lfHeight, -CharacterHeightOf(main, row));  // negative: the character height
      EXPECT_EQ(DrawnFace(control), main.fontFace);
    }

    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    // A radio group's tab stop is its selected item: the start values select the first
    // source and the sixth layout.
    const bool selectedItem = row.id == kDatumRGroupItem0 + OptionState{}.source ||
                              row.id == kFormatRGroupItem0 + OptionState{}.dateFormat;
    const bool tabStop = row.kind == ControlKind::kRadioItem ? selectedItem : row.Has(kTabStop);
    EXPECT_EQ((style & WS_TABSTOP) != 0, tabStop);
    if (row.kind == ControlKind::kLabel) {
      EXPECT_EQ((style & SS_CENTER) != 0, row.Has(kCentred));
    }
    if (row.kind == ControlKind::kMonthCalendar) {
      EXPECT_EQ((style & MCS_WEEKNUMBERS) != 0, row.Has(kWeekNumbers));
    }
    if (row.kind == ControlKind::kComboBox) {
      EXPECT_EQ(style & 3, CBS_DROPDOWN);
      EXPECT_EQ(ComboItems(control),
                std::vector<std::u16string>(row.items.begin(), row.items.end()));
    }
    if (row.kind == ControlKind::kListBox) {
      EXPECT_EQ(ListLines(control),
                std::vector<std::u16string>(row.items.begin(), row.items.end()));
      EXPECT_EQ(SendMessageW(control, LB_GETITEMHEIGHT, 0, 0), row.lineHeight);
    }
  }
}

TEST_F(MainWindowLayoutTest, TheWindowDrawsTheColoursOfItsDefinition) {
  Open();
  const WindowDefinition& main = MainDefinition();
  auto background = [&](int id) { return ColourRef(BackgroundOf(main, ControlOf(main, id))); };
  const struct {
    const char* name;
    HWND control;
    POINT blank;  // a point of the control's frame where it draws only its background
    COLORREF background;
  } rows[] = {
      {"the window", window().Handle(), {0, 0}, ColourRef(main.background)},
      {"Panel1", Control(kPanel1), {4, 4}, background(kPanel1)},
      {"Panel2", Control(kPanel2), {4, 4}, background(kPanel2)},
      {"a label", Control(kLabel3), {110, 2}, background(kLabel3)},
      {"DatumLabel", Control(kDatumLabel), {2, 2}, background(kDatumLabel)},
      {"lboxFiles", Control(kLboxFiles), {120, 50}, background(kLboxFiles)},
      {"a format item", Control(kFormatRGroupItem0), {170, 2}, background(kFormatRGroupItem0)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const WindowPixels pixels(row.control);
    // The window's own frame: its client area, past the caption.
    POINT at = row.blank;
    if (row.control == window().Handle()) {
      POINT origin{0, 0};
      ClientToScreen(row.control, &origin);
      RECT frame;
      GetWindowRect(row.control, &frame);
      at = {origin.x - frame.left + 2, origin.y - frame.top + 2};
    }
    EXPECT_EQ(pixels.At(at.x, at.y), row.background);
  }
  // The items of DatumRGroup and its caption are written in their text colour on the panel's,
  // and in nothing darker: the caption's area lies over the frame, which the label's background
  // hides.
  const COLORREF black = RGB(0, 0, 0);
  const COLORREF text = ColourRef(*TextColourOf(main, ControlOf(main, kDatumRGroupItem0)));
  ASSERT_NE(text, black);
  const WindowPixels item(Control(kDatumRGroupItem0));
  const RECT itemText{20, 0, item.Width(), item.Height()};
  EXPECT_TRUE(item.Shows(text, itemText));
  EXPECT_FALSE(item.Shows(black, itemText));
  const WindowPixels group(Control(kDatumRGroup));
  const RECT caption{12, 0, 120, 16};
  EXPECT_TRUE(group.Shows(text, caption));
  EXPECT_FALSE(group.Shows(black, caption));
}

SYSTEMTIME CalendarSelection(HWND calendar) {
  SYSTEMTIME selected{};
  SendMessageW(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&selected));
  return selected;
}

TEST_F(MainWindowLayoutTest, TheCalendarShowsOneMonthFromTheDateOfItsDefinitionUntilToday) {
  window_ = std::make_unique<MainWindow>(
      MainFormServices{files_, clock_, *settings_, messages_, kVersion}, u"Kustel");
  const HWND calendar = Control(kMonthCalendar1);
  const CalendarDate defined = ControlOf(MainDefinition(), kMonthCalendar1).date;
  const SYSTEMTIME before = CalendarSelection(calendar);
  EXPECT_EQ((CalendarDate{before.wYear, before.wMonth, before.wDay}), defined);

  window().Form().FormCreate();  // turns it to the clock's day
  const SYSTEMTIME today = CalendarSelection(calendar);
  EXPECT_EQ((CalendarDate{today.wYear, today.wMonth, today.wDay}), (CalendarDate{2024, 11, 5}));
  const LONG_PTR style = GetWindowLongPtrW(calendar, GWL_STYLE);
  EXPECT_FALSE(style & MCS_MULTISELECT);
  SYSTEMTIME range[2] = {};
  EXPECT_EQ(SendMessageW(calendar, MCM_GETMONTHRANGE, GMR_VISIBLE, reinterpret_cast<LPARAM>(range)),
            1);
}

TEST_F(MainWindowLayoutTest, TheControlsShowTheStartValuesOverlaidByTheStoredSettings) {
  const std::u16string forty = u"Vierzig Zeichen lang, länger als 25: ÄÖÜ";
  ASSERT_EQ(forty.size(), 40u);
  const struct {
    const char* name;
    const char* stored;  // nullptr: nothing stored
    int source, format, fill, action;
    std::u16string chosenDate, freeText;
  } rows[] = {
      {"nothing stored: the start values", nullptr, 0, 5, 0, 0, u"", u""},
      {"stored options", "21110020250305Beleg_", 2, 1, 1, 1, u"05.03.2025", u"Beleg_"},
      {"a stored free text of 40 shows whole", "34200099999999", 3, 4, 2, 0, u"", forty},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.stored != nullptr)
      StoreSettings(row.stored + (row.freeText == forty ? Utf8(forty) : ""));
    Open();
    const OptionState shown = window().ReadOptions();
    EXPECT_EQ(shown.source, row.source);
    EXPECT_EQ(shown.dateFormat, row.format);
    EXPECT_EQ(shown.fillCharacter, row.fill);
    EXPECT_EQ(shown.existingPrefixAction, row.action);
    EXPECT_EQ(WindowText(Control(kDatumLabel)), row.chosenDate);
    EXPECT_EQ(WindowText(Control(kBeliebigTextEdit)), row.freeText);
    // What the controls show is what they hold: the checked items, the combo boxes' fields.
    EXPECT_EQ(SendMessageW(Control(kDatumRGroupItem0 + row.source), BM_GETCHECK, 0, 0),
              BST_CHECKED);
    EXPECT_EQ(SendMessageW(Control(kFormatRGroupItem0 + row.format), BM_GETCHECK, 0, 0),
              BST_CHECKED);
    const auto labels = FormatLabels(row.fill);
    EXPECT_EQ(WindowText(Control(kFormatRGroupItem0)), labels[0]);
    EXPECT_TRUE(log.empty()) << log.front();  // nothing saved, no box
  }
}

}  // namespace
}  // namespace kustel
