// The control rules both toolkits share: type-ahead in the combo boxes, the typed-length limit
// of the free-text field, the buttons' letters and the centring of a window.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/accelerators.h"
#include "gui/centring.h"
#include "gui/main_definition.h"
#include "gui/type_ahead.h"
#include "gui/typed_length.h"

namespace kustel {
namespace {

const std::vector<std::u16string> kFillItems = {u"Bindestrich", u"Unterstrich", u"Blank"};

TEST(TypeAhead, SelectsTheFirstItemBeginningWithTheTypedTextAndCompletesItWhileTyping) {
  const struct {
    const char* name;
    std::u16string typed;
    size_t cursor;
    bool deleting;
    TypeAheadResult left;
  } rows[] = {
      // What was typed stays as typed; the rest of the item follows, selected back to the caret.
      {"u completes to Unterstrich", u"u", 1, false, {1, u"unterstrich", 11, 1}},
      {"the first of two items beginning with b", u"b", 1, false, {0, u"bindestrich", 11, 1}},
      {"letter case ignored", u"BL", 2, false, {2, u"BLank", 5, 2}},
      {"a whole item typed", u"Blank", 5, false, {2, u"Blank", 5, 5}},
      {"text that begins no item", u"x", 1, false, {-1, u"x", 1, 1}},
      {"longer than any item", u"Bindestriche", 12, false, {-1, u"Bindestriche", 12, 12}},
      {"an empty field", u"", 0, false, {-1, u"", 0, 0}},
      // A deletion, or typing before the end, selects the item but adds nothing.
      {"Backspace after un", u"un", 2, true, {1, u"un", 2, 2}},
      {"typed in the middle", u"bx", 1, false, {-1, u"bx", 1, 1}},
      {"a letter put before the rest", u"Bl", 1, false, {2, u"Bl", 1, 1}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(TypeAhead(kFillItems, row.typed, row.cursor, row.deleting), row.left);
  }
}

TEST(Accelerators, TheMarkedLetterPressesItsButtonAndBareLettersStayTextInTextFields) {
  EXPECT_EQ(AcceleratorLetter(u"&Schließen"), u's');
  EXPECT_EQ(AcceleratorLetter(u"&Info"), u'i');
  EXPECT_EQ(AcceleratorLetter(u"Info"), 0);
  EXPECT_EQ(AcceleratorLetter(u"Info&"), 0);

  const WindowDefinition& main = MainDefinition();
  EXPECT_EQ(ButtonOfLetter(main, u'i'), kInfoSBtn);
  EXPECT_EQ(ButtonOfLetter(main, u'S'), kCloseSBtn);
  EXPECT_EQ(ButtonOfLetter(main, u'x'), 0);
  EXPECT_EQ(ButtonOfLetter(main, 0), 0);

  for (const ControlKind typing : {ControlKind::kEdit, ControlKind::kComboBox})
    EXPECT_FALSE(BareLetterPressesButtons(typing));
  for (const ControlKind quiet :
       {ControlKind::kRadioItem, ControlKind::kListBox, ControlKind::kMonthCalendar})
    EXPECT_TRUE(BareLetterPressesButtons(quiet));
}

TEST(Centring, HalvesTheDifferenceTruncatedTowardZero) {
  const struct {
    const char* name;
    Place area;
    int width, height;
    Place centred;
  } rows[] = {
      {"a screen larger than the window", {0, 0, 1024, 768}, 728, 420, {148, 174, 728, 420}},
      {"an odd difference", {0, 0, 1025, 769}, 728, 420, {148, 174, 728, 420}},
      {"a work area that does not start at 0", {0, 30, 1024, 738}, 500, 580, {262, 109, 500, 580}},
      // Half the excess off the screen, truncated toward zero: -14, not -15.
      {"a screen smaller than the window", {0, 0, 699, 400}, 728, 420, {-14, -10, 728, 420}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(CentredIn(row.area, row.width, row.height), row.centred);
  }
}

TEST(TypedLength, TakesTwentyFiveTypedCharactersButKeepsALongerTextTheProgramSet) {
  const std::u16string text25(25, u'a'), text40(40, u'b');
  const std::u16string face = u"\U0001F600";  // two code units
  const struct {
    const char* name;
    std::u16string before;
    std::u16string after;
    size_t cursor;
    std::u16string kept;
    size_t cursorAfter;
  } rows[] = {
      {"typing within the limit", u"abc", u"abcd", 4, u"abcd", 4},
      {"the 26th character", text25, text25 + u"x", 26, text25, 25},
      {"a paste cut to the room left", u"0123456789",
       u"01234" + std::u16string(30, u'p') + u"56789", 35,
       u"01234" + std::u16string(15, u'p') + u"56789", 20},
      {"a stored 40 can be shortened", text40, text40.substr(1), 0, text40.substr(1), 0},
      {"nothing is added to a stored 40", text40, u"x" + text40, 1, text40, 0},
      // The selection goes, the letter does not come: the text still holds 25 or more.
      {"replacing a selection of a stored 40 by one letter", text40, text40.substr(0, 30) + u"x",
       31, text40.substr(0, 30), 30},
      {"never half a character", std::u16string(24, u'a'), std::u16string(24, u'a') + face, 26,
       std::u16string(24, u'a'), 24},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const LimitedEdit limited = LimitTypedText(row.before, row.after, 25, row.cursor);
    EXPECT_EQ(limited.text, row.kept);
    EXPECT_EQ(limited.cursor, row.cursorAfter);
  }
}

}  // namespace
}  // namespace kustel
