// The Win32 main window driven as its user drives it, through messages: radio clicks, choosing
// and typing in the combo boxes with their type-ahead and relabelling, the typed-length limit of
// the free text, calendar clicks, the two buttons that never take the focus and their letters,
// and the tab order. What the rules decide is tested through fake views (tests/gui/); here the
// Win32 wiring must deliver it.

#include "engine/prefix_formats.h"
#include "tests/gui/win32/main_window_world.h"

namespace kustel {
namespace {

using MainWindowTest = MainWindowWorld;

std::vector<std::u16string> FormatTexts(const MainWindow& window) {
  std::vector<std::u16string> texts;
  for (int i = 0; i < ItemCount(kFormatRGroup); ++i)
    texts.push_back(WindowText(window.Control(kFormatRGroupItem0 + i)));
  return texts;
}

std::vector<std::u16string> LabelsOf(FillCharacter fill) {
  const auto labels = FormatLabels(fill);
  return {labels.begin(), labels.end()};
}

HWND FieldOf(HWND combo) {
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  GetComboBoxInfo(combo, &parts);
  return parts.hwndItem;
}

HWND ListOf(HWND combo) {
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  GetComboBoxInfo(combo, &parts);
  return parts.hwndList;
}

std::pair<DWORD, DWORD> Selection(HWND edit) {
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

TEST_F(MainWindowTest, ARadioClickChoosesItsItemAndMovesTheGroupsTabStop) {
  OpenShown();
  for (const auto& [item, source] :
       {std::pair{kDatumRGroupItem0 + 3, 3}, std::pair{kDatumRGroupItem0 + 1, 1}}) {
    SendMessageW(Control(item), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(window().ReadOptions().source, source);
    for (int i = 0; i < ItemCount(kDatumRGroup); ++i) {
      const bool tabStop =
          GetWindowLongPtrW(Control(kDatumRGroupItem0 + i), GWL_STYLE) & WS_TABSTOP;
      EXPECT_EQ(tabStop, i == source) << "item " << i;
    }
  }
  SendMessageW(Control(kFormatRGroupItem0 + 6), BM_CLICK, 0, 0);
  EXPECT_EQ(window().ReadOptions().dateFormat, 6);
  EXPECT_EQ(window().ReadOptions().source, 1);  // the other group keeps its choice
  EXPECT_TRUE(log.empty());                     // a choice saves nothing and asks nothing
}

TEST_F(MainWindowTest, ChoosingAFillCharacterFromTheListOrWithTheKeysRelabelsTheFormats) {
  OpenShown();
  const HWND combo = Control(kFuellzeichenComBox);
  // Dropped, its list shows the items; a click on one chooses it.
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  const HWND list = ListOf(combo);
  RECT item;
  SendMessageW(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  const LPARAM middle = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, middle);
  SendMessageW(list, WM_LBUTTONUP, 0, middle);
  Pump();
  EXPECT_EQ(window().ReadOptions().fillCharacter, kBlank);
  EXPECT_EQ(WindowText(FieldOf(combo)), u"Blank");
  EXPECT_EQ(FormatTexts(window()), LabelsOf(kBlank));

  // Up from "Blank" in the closed field chooses "Unterstrich".
  SetFocus(combo);
  PressKey(VK_UP);
  EXPECT_EQ(window().ReadOptions().fillCharacter, kUnderscore);
  EXPECT_EQ(FormatTexts(window()), LabelsOf(kUnderscore));

  // The other combo box has the same handler: its change relabels too (for the same fill).
  SetFocus(Control(kEinfgDelComBox));
  PressKey(VK_DOWN);
  EXPECT_EQ(window().ReadOptions().existingPrefixAction, kRemove);
  EXPECT_EQ(FormatTexts(window()), LabelsOf(kUnderscore));
}

TEST_F(MainWindowTest, ATypedLetterCompletesToTheFirstItemItBeginsAndSelectsIt) {
  const struct {
    const char* name;
    int combo;
    std::u16string typed;
    std::u16string field;
    int index;
    FillCharacter labels;
  } rows[] = {
      {"u: Unterstrich, the letter as typed", kFuellzeichenComBox, u"u", u"unterstrich", 1,
       kUnderscore},
      {"B: Bindestrich, the first of two", kFuellzeichenComBox, u"B", u"Bindestrich", 0, kHyphen},
      {"bl: Blank", kFuellzeichenComBox, u"bl", u"blank", 2, kBlank},
      {"x begins no item: none, the hyphen's labels", kFuellzeichenComBox, u"x", u"x", -1, kHyphen},
      {"e: entfernen", kEinfgDelComBox, u"e", u"entfernen", 1, kHyphen},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    StoreSettings("01200099999999xxx");  // the blank's labels first, so a relabelling shows
    OpenShown();
    const HWND field = FieldOf(Control(row.combo));
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);  // as the focus arriving by Tab selects it
    Type(row.typed, field);
    EXPECT_EQ(WindowText(field), row.field);
    // The completed rest is selected, the caret after what was typed.
    EXPECT_EQ(Selection(field), (std::pair<DWORD, DWORD>(row.typed.size(), row.field.size())));
    EXPECT_EQ(SendMessageW(Control(row.combo), CB_GETCURSEL, 0, 0), row.index);
    EXPECT_EQ(FormatTexts(window()),
              LabelsOf(row.combo == kFuellzeichenComBox ? row.labels : kBlank));
  }
}

TEST_F(MainWindowTest, BackspaceShortensTheFieldInsteadOfCompletingItAgain) {
  OpenShown();
  const HWND field = FieldOf(Control(kFuellzeichenComBox));
  SetFocus(field);
  SendMessageW(field, EM_SETSEL, 0, -1);
  Type(u"un", field);
  EXPECT_EQ(WindowText(field), u"unterstrich");
  Type(u"\b", field);  // takes the completed rest away
  EXPECT_EQ(WindowText(field), u"un");
  Type(u"\b", field);
  EXPECT_EQ(WindowText(field), u"u");
  EXPECT_EQ(window().ReadOptions().fillCharacter, kUnderscore);
}

TEST_F(MainWindowTest, TheFreeTextTakesAtMost25TypedCharactersButShowsAStoredTextWhole) {
  OpenShown();
  const HWND edit = Control(kBeliebigTextEdit);
  SetFocus(edit);
  Type(std::u16string(30, u'a'), edit);
  EXPECT_EQ(WindowText(edit), std::u16string(25, u'a'));

  // Pasted: only what fits of it, at the caret.
  SetWindowTextW(edit, L"");
  Type(std::u16string(20, u'b'), edit);
  SendMessageW(edit, EM_SETSEL, 10, 10);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"0123456789"));
  EXPECT_EQ(WindowText(edit), u"bbbbbbbbbb01234bbbbbbbbbb");
  EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>(15, 15)));

  // From the clipboard, as Ctrl+V does it: replacing five, all five fit; at the end, none.
  const std::u16string clip = u"Ärger";
  ASSERT_TRUE(OpenClipboard(window().Handle()));
  EmptyClipboard();
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (clip.size() + 1) * sizeof(char16_t));
  memcpy(GlobalLock(memory), clip.c_str(), (clip.size() + 1) * sizeof(char16_t));
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
  SendMessageW(edit, EM_SETSEL, 0, 5);
  SendMessageW(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(WindowText(edit), u"Ärgerbbbbb01234bbbbbbbbbb");
  SendMessageW(edit, EM_SETSEL, 25, 25);
  SendMessageW(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(WindowText(edit), u"Ärgerbbbbb01234bbbbbbbbbb");
}

TEST_F(MainWindowTest, AStoredFreeTextOf40CanBeShortenedButNotLengthened) {
  const std::u16string forty = u"Vierzig Zeichen lang, länger als 25: ÄÖÜ";
  StoreSettings("34200099999999" + Utf8(forty));
  OpenShown();
  const HWND edit = Control(kBeliebigTextEdit);
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 40, 40);
  Type(u"x", edit);
  EXPECT_EQ(WindowText(edit), forty);
  Type(u"\b\b", edit);
  EXPECT_EQ(WindowText(edit), forty.substr(0, 38));
  Type(u"x", edit);
  EXPECT_EQ(WindowText(edit), forty.substr(0, 38));
}

// Where a day stands in the calendar, found as the eye finds it: by asking the calendar what is
// under each point.
POINT PointOf(HWND calendar, UINT hit, const SYSTEMTIME* day = nullptr) {
  RECT area;
  GetClientRect(calendar, &area);
  for (int y = 0; y < area.bottom; y += 3) {
    for (int x = 0; x < area.right; x += 3) {
      MCHITTESTINFO info{};
      info.cbSize = sizeof info;
      info.pt = {x, y};
      SendMessageW(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
      if (info.uHit == hit &&
          (day == nullptr || (info.st.wYear == day->wYear && info.st.wMonth == day->wMonth &&
                              info.st.wDay == day->wDay)))
        return {x, y};
    }
  }
  ADD_FAILURE() << "nothing of kind " << hit << " in the calendar";
  return {-1, -1};
}

void Click(HWND control, POINT at) {
  SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

TEST_F(MainWindowTest, AClickInTheCalendarShowsItsSelectedDateAndTheKeyboardDoesNot) {
  OpenShown();
  const HWND calendar = Control(kMonthCalendar1);
  SYSTEMTIME day{};
  day.wYear = 2025;
  day.wMonth = 3;
  day.wDay = 1;
  SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&day));  // shows March 2025
  EXPECT_EQ(WindowText(Control(kDatumLabel)), u"");

  day.wDay = 5;
  Click(calendar, PointOf(calendar, MCHT_CALENDARDATE, &day));
  Pump();
  EXPECT_EQ(WindowText(Control(kDatumLabel)), u"05.03.2025");

  // The keyboard (which moves the selection on Windows; Wine's calendar takes no keys) leaves
  // the text as it is.
  SetFocus(calendar);
  PressKey(VK_RIGHT);
  PressKey(VK_DOWN);
  EXPECT_EQ(WindowText(Control(kDatumLabel)), u"05.03.2025");

  // A click on the arrow to the previous month: the text is the date selected after it.
  day.wDay = 20;
  SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
  Click(calendar, PointOf(calendar, MCHT_TITLEBTNPREV));
  Pump();
  const std::optional<CalendarDate> selected = window().CalendarSelection();
  ASSERT_TRUE(selected.has_value());
  EXPECT_EQ(WindowText(Control(kDatumLabel)), ChosenDateText(*selected));
  EXPECT_NE(WindowText(Control(kDatumLabel)), u"05.03.2025");
  EXPECT_TRUE(log.empty());
}

TEST_F(MainWindowTest, TheButtonsNeverTakeTheFocusAndTheirLettersPressThem) {
  StoreSettings("30000099999999xxx");  // free text without a text: the close button refuses
  const std::string refusal = "box Sie haben keinen beliebigen Text vorgegeben!";
  OpenShown();
  const HWND item = Control(kDatumRGroupItem0 + 3);
  SetFocus(item);
  SendMessageW(Control(kCloseSBtn), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(log, std::vector<std::string>{refusal});
  EXPECT_EQ(GetFocus(), item);

  const HWND field = FieldOf(Control(kFuellzeichenComBox));
  const struct {
    const char* name;
    HWND focus;
    char16_t letter;
    bool withAlt;
    bool pressed;
  } rows[] = {
      {"S on a radio item", item, u's', false, true},
      {"S on the drop area", Control(kLboxFiles), u'S', false, true},
      {"S on the calendar", Control(kMonthCalendar1), u's', false, true},
      {"S in the free text is typed", Control(kBeliebigTextEdit), u's', false, false},
      {"S in a combo box's field is typed", field, u's', false, false},
      {"Alt+S in the free text", Control(kBeliebigTextEdit), u's', true, true},
      {"Alt+S in a combo box's field", field, u'S', true, true},
      {"another letter on a radio item", item, u'x', false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    log.clear();
    SetFocus(row.focus);
    if (row.withAlt) {
      TypeWithAlt(row.letter);
    } else {
      Type(std::u16string(1, row.letter));
    }
    EXPECT_EQ(log, row.pressed ? std::vector<std::string>{refusal} : std::vector<std::string>{});
    EXPECT_EQ(GetFocus(), row.focus);
    EXPECT_TRUE(WindowIsOpen());
    SetWindowTextW(Control(kBeliebigTextEdit), L"");  // so that the close button keeps refusing
  }

  // I opens the information dialog, with or without Alt; a click on the button too. Each is
  // posted, so that the check comes after it, from inside the dialog's loop.
  const struct {
    const char* name;
    HWND focus;
    UINT message;
    WPARAM key;
  } opens[] = {
      {"I on a radio item", item, WM_CHAR, u'i'},
      {"Alt+I in a combo box's field", field, WM_SYSCHAR, u'I'},
      {"a click on the button", Control(kBeliebigTextEdit), BM_CLICK, 0},
  };
  for (const auto& open : opens) {
    SCOPED_TRACE(open.name);
    SetFocus(open.focus);
    PostMessageW(open.message == BM_CLICK ? Control(kInfoSBtn) : open.focus, open.message, open.key,
                 open.message == WM_SYSCHAR ? 1 << 29 : 1);
    bool shown = false;
    PostToLoop([&] {
      shown = IsWindowVisible(dialog().Handle()) && !IsWindowEnabled(window().Handle());
      dialog().Close();
    });
    Pump();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(IsWindowEnabled(window().Handle()));
    EXPECT_EQ(GetFocus(), open.focus);
  }
}

TEST_F(MainWindowTest, TabVisitsTheControlsInTheirOrderStartingAtTheFillCharacter) {
  StoreSettings("23000099999999xxx");  // the checked items: 2 and 3
  OpenShown();
  const HWND fill = Control(kFuellzeichenComBox);
  const HWND order[] = {
      fill,
      Control(kEinfgDelComBox),
      Control(kBeliebigTextEdit),
      Control(kDatumRGroupItem0 + 2),
      Control(kFormatRGroupItem0 + 3),
      Control(kLboxFiles),
      fill,
  };
  for (const HWND expected : order) {
    const HWND focus = GetFocus();
    // A combo box's focus is its field.
    EXPECT_TRUE(focus == expected || GetParent(focus) == expected)
        << "expected control " << GetDlgCtrlID(expected) << ", focus on " << GetDlgCtrlID(focus);
    PressKey(VK_TAB);
  }
}

}  // namespace
}  // namespace kustel
