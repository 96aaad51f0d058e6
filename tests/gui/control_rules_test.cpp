// The control rules both toolkits share: type-ahead in the combo boxes and the typed-length
// limit of the free-text field.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/type_ahead.h"
#include "gui/typed_length.h"

namespace kustel {
namespace {

const std::vector<std::u16string> kFillItems = {u"Bindestrich", u"Unterstrich", u"Blank"};

TEST(TypeAhead, SelectsTheFirstItemBeginningWithTheTypedTextWhateverItsCase) {
  const struct {
    std::u16string typed;
    int item;
    std::u16string shown;
  } rows[] = {
      {u"u", 1, u"unterstrich"},  // the typed letter stays as typed, the rest is added
      {u"b", 0, u"bindestrich"},  // the first of two items beginning with b
      {u"BL", 2, u"BLank"},
      {u"x", -1, u"x"},  // begins no item
      {u"Bindestriche", -1, u"Bindestriche"},
      {u"", -1, u""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.typed.begin(), row.typed.end()));
    EXPECT_EQ(FirstItemBeginningWith(kFillItems, row.typed), row.item);
    EXPECT_EQ(CompletedText(kFillItems, row.typed), row.shown);
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
