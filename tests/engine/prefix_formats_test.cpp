#include "engine/prefix_formats.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace kustel {
namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

// 5 November 2024, 14:32; shortYear deliberately wrong, as FormatDatePrefix must derive it.
WorkingDate ExampleDate() {
  return {.year = 2024, .month = 11, .day = 5, .hour = 14, .minute = 32, .shortYear = -7};
}

struct LayoutRow {
  DateFormat format;
  FillCharacter fill;
  std::u16string prefix;
  std::u16string schema;
};

// Every layout and fill character, printed for the example date.
const LayoutRow kLayoutRows[] = {
    {0, kHyphen, u"2024-11-05-", u"0000-00-00-"},
    {0, kUnderscore, u"2024_11_05_", u"0000_00_00_"},
    {0, kBlank, u"2024 11 05 ", u"0000 00 00 "},
    {1, kHyphen, u"20241105-", u"00000000-"},
    {1, kUnderscore, u"20241105_", u"00000000_"},
    {1, kBlank, u"20241105 ", u"00000000 "},
    {2, kHyphen, u"20241105 - ", u"00000000 - "},
    {2, kUnderscore, u"20241105 _ ", u"00000000 _ "},
    {2, kBlank, u"20241105   ", u"00000000   "},
    {3, kHyphen, u"24-11-05-", u"00-00-00-"},
    {3, kUnderscore, u"24_11_05_", u"00_00_00_"},
    {3, kBlank, u"24 11 05 ", u"00 00 00 "},
    {4, kHyphen, u"241105-", u"000000-"},
    {4, kUnderscore, u"241105_", u"000000_"},
    {4, kBlank, u"241105 ", u"000000 "},
    {5, kHyphen, u"241105 - ", u"000000 - "},
    {5, kUnderscore, u"241105 _ ", u"000000 _ "},
    {5, kBlank, u"241105   ", u"000000   "},
    {6, kHyphen, u"241105-1432-", u"000000-0000-"},
    {6, kUnderscore, u"241105_1432_", u"000000_0000_"},
    {6, kBlank, u"241105 1432 ", u"000000 0000 "},
};

TEST(FormatDatePrefix, PrintsEveryLayoutAndFillCharacter) {
  for (const LayoutRow& row : kLayoutRows) {
    SCOPED_TRACE(::testing::Message() << "layout " << row.format << ", fill " << row.fill);
    WorkingDate date = ExampleDate();
    const DatePrefix printed = FormatDatePrefix(row.format, row.fill, date);
    EXPECT_EQ(printed.prefix, row.prefix);
    EXPECT_EQ(printed.schema, row.schema);
  }
}

TEST(FormatDatePrefix, UnknownLayoutsAndFillCharactersFallBack) {
  const DateFormat badFormats[] = {-1, 7, 100, kMin, kMax};
  const FillCharacter badFills[] = {-1, 3, kMin, kMax};
  for (const LayoutRow& row : kLayoutRows) {
    SCOPED_TRACE(::testing::Message() << "layout " << row.format << ", fill " << row.fill);
    if (row.fill == kHyphen) {
      for (const FillCharacter fill : badFills) {
        WorkingDate date = ExampleDate();
        const DatePrefix printed = FormatDatePrefix(row.format, fill, date);
        EXPECT_EQ(printed.prefix, row.prefix) << "fill " << fill;
        EXPECT_EQ(printed.schema, row.schema) << "fill " << fill;
      }
    }
    if (row.format == 0) {
      for (const DateFormat format : badFormats) {
        WorkingDate date = ExampleDate();
        const DatePrefix printed = FormatDatePrefix(format, row.fill, date);
        EXPECT_EQ(printed.prefix, row.prefix) << "layout " << format;
        EXPECT_EQ(printed.schema, row.schema) << "layout " << format;
      }
    }
  }
}

TEST(FormatDatePrefix, SetsTheShortYearAndNothingElse) {
  WorkingDate date = ExampleDate();
  FormatDatePrefix(0, kHyphen, date);
  WorkingDate expected = ExampleDate();
  expected.shortYear = 24;
  EXPECT_EQ(date, expected);
}

TEST(ShortYear, CountsFrom1900Or2000WithoutWrapping) {
  const struct {
    int32_t year;
    int32_t shortYear;
  } rows[] = {
      {1999, 99},          {2000, 0},           {2024, 24},   {2099, 99}, {2100, 100},
      {1900, 0},           {1899, -1},          {1850, -50},  {0, -1900}, {-5, -1905},
      {kMax, kMax - 2000}, {kMin + 1900, kMin}, {kMin, kMin},  // year - 1900 lies below int32: the
                                                               // lowest value, not an overflow
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ShortYear(row.year), row.shortYear) << "year " << row.year;
  }
}

struct EdgeRow {
  const char* name;
  WorkingDate date;
  DateFormat format;
  FillCharacter fill;
  std::u16string prefix;
};

TEST(FormatDatePrefix, PrintsDatesOutsideTheUsualRange) {
  const EdgeRow rows[] = {
      {"year 2000 has short year 00", {2000, 1, 5, 0, 0, 0}, 4, kHyphen, u"000105-"},
      {"year 1999 has short year 99", {1999, 1, 5, 0, 0, 0}, 4, kHyphen, u"990105-"},
      {"year 2100 has three digits", {2100, 1, 5, 0, 0, 0}, 3, kHyphen, u"100-01-05-"},
      {"year 1899 has a minus sign", {1899, 1, 5, 0, 0, 0}, 3, kHyphen, u"-01-01-05-"},
      {"year below 1000 is zero-filled", {999, 1, 5, 0, 0, 0}, 0, kHyphen, u"0999-01-05-"},
      {"negative year", {-5, 11, 5, 0, 0, 0}, 1, kHyphen, u"-00051105-"},
      {"six-digit year", {100000, 11, 5, 0, 0, 0}, 0, kHyphen, u"100000-11-05-"},
      {"single digits are zero-filled", {2025, 1, 3, 9, 5, 0}, 6, kUnderscore, u"250103_0905_"},
      {"negative month", {2024, -1, 5, 0, 0, 0}, 0, kHyphen, u"2024--01-05-"},
      {"every field at the int32 minimum",
       {kMin, kMin, kMin, kMin, kMin, 0},
       6,
       kHyphen,
       u"-2147483648-2147483648-2147483648--2147483648-2147483648-"},
      {"every field at the int32 maximum",
       {kMax, kMax, kMax, kMax, kMax, 0},
       2,
       kBlank,
       u"214748364721474836472147483647   "},
  };
  for (const EdgeRow& row : rows) {
    SCOPED_TRACE(row.name);
    WorkingDate date = row.date;
    EXPECT_EQ(FormatDatePrefix(row.format, row.fill, date).prefix, row.prefix);
  }
}

// No field value may make the printing cut the prefix short, in any row.
TEST(FormatDatePrefix, ExtremeFieldsArePrintedWhole) {
  for (const int32_t value : {kMin, kMax}) {
    for (const LayoutRow& row : kLayoutRows) {
      SCOPED_TRACE(::testing::Message()
                   << "layout " << row.format << ", fill " << row.fill << ", value " << value);
      WorkingDate date{value, value, value, value, value, 0};
      const DatePrefix printed = FormatDatePrefix(row.format, row.fill, date);
      const std::string year = std::to_string(row.format <= 2 ? value : ShortYear(value));
      const std::u16string firstField(year.begin(), year.end());
      EXPECT_EQ(printed.prefix.substr(0, firstField.size()), firstField);
      ASSERT_FALSE(printed.prefix.empty());
      EXPECT_EQ(printed.prefix.back(), row.schema.back());
      EXPECT_EQ(printed.schema, row.schema);
    }
  }
}

TEST(FormatLabels, GivesTheColumnOfTheFillCharacter) {
  const std::array<std::u16string, kDateFormatCount> hyphen = {
      u"YYYY-MM-DD-...", u"YYYYMMDD-...", u"YYYYMMDD - ...",  u"YY-MM-DD-...",
      u"YYMMDD-...",     u"YYMMDD - ...", u"YYMMDD-HHMM-...",
  };
  const std::array<std::u16string, kDateFormatCount> underscore = {
      u"YYYY_MM_DD_...", u"YYYYMMDD_...", u"YYYYMMDD _ ...",  u"YY_MM_DD_...",
      u"YYMMDD_...",     u"YYMMDD _ ...", u"YYMMDD_HHMM_...",
  };
  const std::array<std::u16string, kDateFormatCount> blank = {
      u"YYYY MM DD ...", u"YYYYMMDD ...", u"YYYYMMDD   ...",  u"YY MM DD ...",
      u"YYMMDD ...",     u"YYMMDD   ...", u"YYMMDD HHMM ...",
  };
  const struct {
    FillCharacter fill;
    const std::array<std::u16string, kDateFormatCount>& labels;
  } rows[] = {
      {kHyphen, hyphen}, {kUnderscore, underscore}, {kBlank, blank}, {-1, hyphen}, {3, hyphen},
      {kMin, hyphen},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(FormatLabels(row.fill), row.labels) << "fill " << row.fill;
  }
}

}  // namespace
}  // namespace kustel
