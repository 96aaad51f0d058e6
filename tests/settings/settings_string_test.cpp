#include "settings/settings_string.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/option_states.h"

namespace kustel {
namespace {

struct RoundTripRow {
  const char* name;
  OptionState options;
  std::u16string stored;
  OptionState readBack;  // applied to a state with no chosen date
};

TEST(SettingsString, ComposesAndReadsBack) {
  const auto defaults = Options(0, 5, 0, 0, u"", u"");
  const RoundTripRow rows[] = {
      {"start-up defaults", defaults, u"05000099999999xxx", defaults},
      {"chosen date and free text", Options(2, 0, 1, 1, u"23.11.2024", u"Beleg"),
       u"20110020241123Beleg", Options(2, 0, 1, 1, u"23.11.2024", u"Beleg")},
      {"no fill character selected", Options(0, 5, -1, 0, u"", u""), u"05-00099999999xxx",
       defaults},
      {"no action selected", Options(1, 3, 2, -1, u"", u"Beleg"), u"132-0099999999Beleg",
       Options(1, 3, 2, 0, u"", u"Beleg")},
      {"nothing selected anywhere", Options(-1, -1, -1, -1, u"", u""), u"----0099999999xxx",
       defaults},
      {"indices no control produces still take one character each",
       Options(12, 7, 3, 2, u"", u"Beleg"), u"-7320099999999Beleg",
       Options(0, 5, 0, 0, u"", u"Beleg")},
      // Only the marker "xxx" itself means no free text; a text with an x comes back whole.
      {"lower-case x third", Options(4, 6, 2, 0, u"", u"Text"), u"46200099999999Text",
       Options(4, 6, 2, 0, u"", u"Text")},
      {"lower-case x first", Options(0, 5, 0, 0, u"", u"xyz"), u"05000099999999xyz",
       Options(0, 5, 0, 0, u"", u"xyz")},
      {"lower-case x second", Options(0, 5, 0, 0, u"", u"Box_"), u"05000099999999Box_",
       Options(0, 5, 0, 0, u"", u"Box_")},
      {"more x than the marker", Options(0, 5, 0, 0, u"", u"xxxx"), u"05000099999999xxxx",
       Options(0, 5, 0, 0, u"", u"xxxx")},
      {"one character reads back whole", Options(0, 5, 0, 0, u"", u"A"), u"05000099999999A",
       Options(0, 5, 0, 0, u"", u"A")},
      {"two characters read back whole", Options(0, 5, 0, 0, u"", u"AB"), u"05000099999999AB",
       Options(0, 5, 0, 0, u"", u"AB")},
      {"free text over 40 characters keeps its first 40", Options(0, 5, 0, 0, u"", Letters(45)),
       u"05000099999999" + Letters(40), Options(0, 5, 0, 0, u"", Letters(40))},
      {"a pair of surrogates across 40 is left out whole",
       Options(0, 5, 0, 0, u"", Letters(39) + u"\U0001F600"), u"05000099999999" + Letters(39),
       Options(0, 5, 0, 0, u"", Letters(39))},
      {"umlauts as they stand", Options(0, 5, 0, 0, u"", u"M\u00FCller"),
       u"05000099999999M\u00FCller", Options(0, 5, 0, 0, u"", u"M\u00FCller")},
      {"date text of another length is not stored", Options(2, 5, 0, 0, u"1.2.2024", u""),
       u"25000099999999xxx", Options(2, 5, 0, 0, u"", u"")},
      {"year from 9000 on is not restored", Options(2, 5, 0, 0, u"01.02.9001", u""),
       u"25000090010201xxx", Options(2, 5, 0, 0, u"", u"")},
      {"ten characters in another layout are rearranged by position",
       Options(2, 5, 0, 0, u"2024-11-23", u""), u"2500001-234-20xxx",
       Options(2, 5, 0, 0, u"20.4-.1-23", u"")},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::u16string stored = ComposeSettingsString(row.options);
    EXPECT_EQ(stored, row.stored);
    OptionState readBack;
    ApplySettingsString(stored, readBack);
    EXPECT_EQ(readBack, row.readBack);
  }
}

struct ReadRow {
  const char* name;
  std::u16string stored;
  OptionState expected;
};

// Every row starts from a state unlike any fallback, so a field left untouched shows.
TEST(SettingsString, ReadsStoredTextsThroughTheDefaultText) {
  const std::u16string before = u"01.01.2000";
  const ReadRow rows[] = {
      {"empty stored text", u"", Options(0, 0, 0, 0, before, u"")},
      {"the single character 3", u"3", Options(3, 5, 0, 0, before, u"")},
      {"unrecognised characters fall back", u"5732", Options(0, 5, 0, 0, before, u"")},
      {"a 9 at position 6 keeps the date", u"05000090241123Beleg",
       Options(0, 5, 0, 0, before, u"Beleg")},
      {"a 9 at position 10 keeps the date", u"05000020249123Beleg",
       Options(0, 5, 0, 0, before, u"Beleg")},
      {"a 9 at position 12 keeps the date", u"05000020241193Beleg",
       Options(0, 5, 0, 0, before, u"Beleg")},
      {"a 9 elsewhere in the date is read", u"05000020241129Beleg",
       Options(0, 5, 0, 0, u"29.11.2024", u"Beleg")},
      {"positions 4 and 5 are not read", u"0500ZZ20241123Beleg",
       Options(0, 5, 0, 0, u"23.11.2024", u"Beleg")},
      {"a day cut short is right-aligned", u"0500002024112",
       Options(0, 5, 0, 0, u" 2.11.2024", u"")},
      {"a missing day is blank", u"050000202411", Options(0, 5, 0, 0, u"  .11.2024", u"")},
      {"over 54 characters: the free text ends with position 53", u"05000099999999" + Letters(46),
       Options(0, 5, 0, 0, before, Letters(40))},
      {"a single character of text", u"05000099999999A", Options(0, 5, 0, 0, before, u"A")},
      {"the marker", u"05000099999999xxx", Options(0, 5, 0, 0, before, u"")},
      {"no text part at all", u"05000099999999", Options(0, 5, 0, 0, before, u"")},
      {"a text up to its first zero character", std::u16string(u"05000099999999AB\0CD", 18),
       Options(0, 5, 0, 0, before, u"AB")},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    auto options = Options(4, 6, 2, 1, before, u"vorher");
    ApplySettingsString(row.stored, options);
    EXPECT_EQ(options, row.expected);
  }
}

}  // namespace
}  // namespace kustel
