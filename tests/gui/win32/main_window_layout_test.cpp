// The Win32 main window as it first shows: its frame and place on the screen, where every control
// stands and what it says, its fonts and colours (read back in pixels), the calendar, and the
// options it shows from the start values and the stored settings.

#include "engine/prefix_formats.h"
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

std::vector<std::u16string> Texts(const MainWindow& window, int first, int count) {
  std::vector<std::u16string> texts;
  for (int i = 0; i < count; ++i) texts.push_back(WindowText(window.Control(first + i)));
  return texts;
}

TEST_F(MainWindowLayoutTest, TheWindowHasItsCaptionSizeAndFixedFrameAndStandsCentred) {
  Open();
  const HWND main = window().Handle();
  EXPECT_EQ(WindowText(main), u"Programm KUSTEL  -  setzt Datum vor Dateinamen ");
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 712);
  EXPECT_EQ(client.bottom, 381);

  // Minimise, maximise and close boxes, but no sizing border; maximised it keeps its size.
  const LONG_PTR style = GetWindowLongPtrW(main, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_THICKFRAME);
  RECT frame;
  GetWindowRect(main, &frame);
  const int outerWidth = frame.right - frame.left;
  const int outerHeight = frame.bottom - frame.top;
  MINMAXINFO limits{};
  SendMessageW(main, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  for (const POINT size : {limits.ptMinTrackSize, limits.ptMaxTrackSize, limits.ptMaxSize}) {
    EXPECT_EQ(size.x, outerWidth);
    EXPECT_EQ(size.y, outerHeight);
  }

  // Centred on the screen by its outer size, constructed hidden.
  EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - outerWidth) / 2);
  EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - outerHeight) / 2);
  EXPECT_FALSE(IsWindowVisible(main));
}

TEST_F(MainWindowLayoutTest, EveryControlStandsWhereTheWindowDefinitionPutsIt) {
  struct Row {
    const char* name;
    int id;
    int parent;  // 0: the window
    const char16_t* className;
    RECT place;  // left, top, right, bottom
    const char16_t* text;
    int characterHeight;  // 0: none, a panel shows no text
  };
  const Row rows[] = {
      {"Panel1", kPanel1, 0, u"KustelPanel", {17, 25, 17 + 216, 25 + 212}, u"", 0},
      {"DatumRGroup",
       kDatumRGroup,
       kPanel1,
       u"Button",
       {8, 10, 8 + 198, 10 + 189},
       u"  Vorangestellt wird ...",
       15},
      {"MonthCalendar1",
       kMonthCalendar1,
       0,
       u"SysMonthCal32",
       {256, 28, 256 + 198, 28 + 160},
       u"",
       11},
      {"Label3", kLabel3, 0, u"Static", {256, 194, 256 + 114, 194 + 16}, u"Gewähltes Datum", 13},
      {"DatumLabel", kDatumLabel, 0, u"Static", {374, 194, 374 + 78, 194 + 16}, u"", 13},
      {"Panel2", kPanel2, 0, u"KustelPanel", {473, 28, 473 + 217, 28 + 236}, u"", 0},
      {"FormatRGroup",
       kFormatRGroup,
       kPanel2,
       u"Button",
       {17, 16, 17 + 185, 16 + 204},
       u"  Format Datum  ",
       13},
      {"Label4",
       kLabel4,
       0,
       u"Static",
       {25, 243, 25 + 209, 243 + 16},
       u"Beliebiger Text  (max.40 Zeichen )",
       13},
      {"BeliebigTextEdit", kBeliebigTextEdit, 0, u"Edit", {25, 265, 25 + 305, 265 + 24}, u"", 13},
      {"lboxFiles", kLboxFiles, 0, u"ListBox", {25, 295, 25 + 136, 295 + 69}, u"", 12},
      {"InfoSBtn", kInfoSBtn, 0, u"Button", {248, 328, 248 + 41, 328 + 30}, u"&Info", 13},
      {"CloseSBtn", kCloseSBtn, 0, u"Button", {295, 328, 295 + 129, 328 + 30}, u"&Schließen", 13},
      {"Label1", kLabel1, 0, u"Static", {490, 298, 490 + 73, 298 + 16}, u"Füllzeichen", 13},
      {"FuellzeichenComBox",
       kFuellzeichenComBox,
       0,
       u"ComboBox",
       {569, 295, 569 + 106, 295 + 24},
       u"Bindestrich",
       13},
      {"Label2", kLabel2, 0, u"Static", {457, 328, 457 + 106, 328 + 16}, u"Vorh.Datum/Text", 13},
      {"EinfgDelComBox",
       kEinfgDelComBox,
       0,
       u"ComboBox",
       {569, 325, 569 + 106, 325 + 24},
       u"beibehalten",
       13},
  };
  Open();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const HWND control = Control(row.id);
    ASSERT_NE(control, nullptr);
    const HWND parent = row.parent == 0 ? window().Handle() : Control(row.parent);
    EXPECT_EQ(GetParent(control), parent);
    EXPECT_EQ(ClassOf(control), row.className);
    const RECT place = PlaceIn(control, parent);
    EXPECT_EQ(place.left, row.place.left);
    EXPECT_EQ(place.top, row.place.top);
    EXPECT_EQ(place.right, row.place.right);
    EXPECT_EQ(place.bottom, row.place.bottom);
    EXPECT_EQ(WindowText(control), row.text);
    if (row.characterHeight == 0) continue;
    const LOGFONTW font = FontOf(control);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(font.lfFaceName)), u"Tahoma");
    EXPECT_EQ(font.lfHeight, -row.characterHeight);  // negative: the character height
    EXPECT_EQ(DrawnFace(control), u"Tahoma");
  }
}

TEST_F(MainWindowLayoutTest, TheControlsShowTheirItemsLinesAndLabels) {
  Open();
  EXPECT_EQ(ComboItems(Control(kFuellzeichenComBox)),
            (std::vector<std::u16string>{u"Bindestrich", u"Unterstrich", u"Blank"}));
  EXPECT_EQ(ComboItems(Control(kEinfgDelComBox)),
            (std::vector<std::u16string>{u"beibehalten", u"entfernen"}));
  for (const int combo : {kFuellzeichenComBox, kEinfgDelComBox})
    EXPECT_TRUE((GetWindowLongPtrW(Control(combo), GWL_STYLE) & 3) == CBS_DROPDOWN);

  EXPECT_EQ(ListLines(Control(kLboxFiles)),
            (std::vector<std::u16string>{u"", u" Zum Umbenennen", u" Datei(en) auf dieses",
                                         u" Feld ziehen "}));
  EXPECT_EQ(SendMessageW(Control(kLboxFiles), LB_GETITEMHEIGHT, 0, 0), 14);

  EXPECT_EQ(Texts(window(), kDatumItem0, kDatumItemCount),
            (std::vector<std::u16string>{u"Heutiges Datum", u"Dateidatum", u"Gewähltes Datum",
                                         u"Beliebiger Text", u"Dateidatum + bel.Text"}));
  const auto labels = FormatLabels(kHyphen);
  EXPECT_EQ(Texts(window(), kFormatItem0, kFormatItemCount),
            std::vector<std::u16string>(labels.begin(), labels.end()));
  // The items stand inside their group's frame.
  for (int i = 0; i < kDatumItemCount + kFormatItemCount; ++i) {
    const int item = i < kDatumItemCount ? kDatumItem0 + i : kFormatItem0 + i - kDatumItemCount;
    const int group = i < kDatumItemCount ? kDatumRGroup : kFormatRGroup;
    RECT itemPlace, groupPlace, inside;
    GetWindowRect(Control(item), &itemPlace);
    GetWindowRect(Control(group), &groupPlace);
    IntersectRect(&inside, &itemPlace, &groupPlace);
    EXPECT_TRUE(EqualRect(&inside, &itemPlace)) << "item " << i;
  }
}

TEST_F(MainWindowLayoutTest, TheWindowDrawsTheColoursOfItsDefinition) {
  Open();
  const COLORREF grey = RGB(218, 218, 218), silver = RGB(192, 192, 192), white = RGB(255, 255, 255),
                 lightBlue = RGB(185, 220, 255);
  RECT client;
  GetClientRect(window().Handle(), &client);
  const struct {
    const char* name;
    HWND control;
    POINT blank;  // a point of the control's frame where it draws only its background
    COLORREF background;
  } rows[] = {
      {"the window", window().Handle(), {0, 0}, grey},
      {"Panel1", Control(kPanel1), {4, 4}, silver},
      {"Panel2", Control(kPanel2), {4, 4}, silver},
      {"a label", Control(kLabel3), {110, 2}, grey},
      {"DatumLabel", Control(kDatumLabel), {2, 2}, white},
      {"lboxFiles", Control(kLboxFiles), {120, 50}, lightBlue},
      {"a format item", Control(kFormatItem0), {170, 2}, silver},
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
  // The items of DatumRGroup and its caption are written in white on the silver panel, and in
  // nothing darker: the caption's area lies over the frame, which the label's background hides.
  const COLORREF black = RGB(0, 0, 0);
  const WindowPixels item(Control(kDatumItem0));
  const RECT itemText{20, 0, item.Width(), item.Height()};
  EXPECT_TRUE(item.Shows(white, itemText));
  EXPECT_FALSE(item.Shows(black, itemText));
  const WindowPixels group(Control(kDatumRGroup));
  const RECT caption{12, 0, 120, 16};
  EXPECT_TRUE(group.Shows(white, caption));
  EXPECT_FALSE(group.Shows(black, caption));
}

TEST_F(MainWindowLayoutTest, TheCalendarShowsOneMonthWithWeekNumbersFromToday) {
  Open();
  const HWND calendar = Control(kMonthCalendar1);
  const LONG_PTR style = GetWindowLongPtrW(calendar, GWL_STYLE);
  EXPECT_TRUE(style & MCS_WEEKNUMBERS);
  EXPECT_FALSE(style & MCS_MULTISELECT);
  EXPECT_FALSE(style & WS_TABSTOP);
  SYSTEMTIME range[2] = {};
  EXPECT_EQ(SendMessageW(calendar, MCM_GETMONTHRANGE, GMR_VISIBLE, reinterpret_cast<LPARAM>(range)),
            1);
  // FormCreate set it to the clock's day.
  SYSTEMTIME selected{};
  SendMessageW(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&selected));
  EXPECT_EQ(selected.wYear, 2024);
  EXPECT_EQ(selected.wMonth, 11);
  EXPECT_EQ(selected.wDay, 5);
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
    EXPECT_EQ(SendMessageW(Control(kDatumItem0 + row.source), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(Control(kFormatItem0 + row.format), BM_GETCHECK, 0, 0), BST_CHECKED);
    const auto labels = FormatLabels(row.fill);
    EXPECT_EQ(WindowText(Control(kFormatItem0)), labels[0]);
    EXPECT_TRUE(log.empty()) << log.front();  // nothing saved, no box
  }
}

}  // namespace
}  // namespace kustel
