#include "prefix_formats.h"

#include <cstdio>
#include <limits>

namespace kustel {
namespace {

// Which year a layout prints: the full year (layouts 0 to 2) or the short year (3 to 6).
enum class YearField { kFull, kShort };

struct LayoutRow {
  const char* printTemplate;
  YearField yearField;
  const char16_t* schema;
};

// Rows by layout, then by fill character (hyphen, underscore, blank). Every template takes the
// fields in the order year, month, day, hour, minute; the layouts without a time of day simply
// leave the last two unused.
constexpr LayoutRow kLayouts[kDateFormatCount][3] = {
    {{"%4.4i-%2.2i-%2.2i-", YearField::kFull, u"0000-00-00-"},
     {"%4.4i_%2.2i_%2.2i_", YearField::kFull, u"0000_00_00_"},
     {"%4.4i %2.2i %2.2i ", YearField::kFull, u"0000 00 00 "}},
    {{"%4.4i%2.2i%2.2i-", YearField::kFull, u"00000000-"},
     {"%4.4i%2.2i%2.2i_", YearField::kFull, u"00000000_"},
     {"%4.4i%2.2i%2.2i ", YearField::kFull, u"00000000 "}},
    {{"%4.4i%2.2i%2.2i - ", YearField::kFull, u"00000000 - "},
     {"%4.4i%2.2i%2.2i _ ", YearField::kFull, u"00000000 _ "},
     {"%4.4i%2.2i%2.2i   ", YearField::kFull, u"00000000   "}},
    {{"%2.2i-%2.2i-%2.2i-", YearField::kShort, u"00-00-00-"},
     {"%2.2i_%2.2i_%2.2i_", YearField::kShort, u"00_00_00_"},
     {"%2.2i %2.2i %2.2i ", YearField::kShort, u"00 00 00 "}},
    {{"%2.2i%2.2i%2.2i-", YearField::kShort, u"000000-"},
     {"%2.2i%2.2i%2.2i_", YearField::kShort, u"000000_"},
     {"%2.2i%2.2i%2.2i ", YearField::kShort, u"000000 "}},
    {{"%2.2i%2.2i%2.2i - ", YearField::kShort, u"000000 - "},
     {"%2.2i%2.2i%2.2i _ ", YearField::kShort, u"000000 _ "},
     {"%2.2i%2.2i%2.2i   ", YearField::kShort, u"000000   "}},
    {{"%2.2i%2.2i%2.2i-%2.2i%2.2i-", YearField::kShort, u"000000-0000-"},
     {"%2.2i%2.2i%2.2i_%2.2i%2.2i_", YearField::kShort, u"000000_0000_"},
     {"%2.2i%2.2i%2.2i %2.2i%2.2i ", YearField::kShort, u"000000 0000 "}},
};

constexpr const char16_t* kLabels[kDateFormatCount][3] = {
    {u"YYYY-MM-DD-...", u"YYYY_MM_DD_...", u"YYYY MM DD ..."},
    {u"YYYYMMDD-...", u"YYYYMMDD_...", u"YYYYMMDD ..."},
    {u"YYYYMMDD - ...", u"YYYYMMDD _ ...", u"YYYYMMDD   ..."},
    {u"YY-MM-DD-...", u"YY_MM_DD_...", u"YY MM DD ..."},
    {u"YYMMDD-...", u"YYMMDD_...", u"YYMMDD ..."},
    {u"YYMMDD - ...", u"YYMMDD _ ...", u"YYMMDD   ..."},
    {u"YYMMDD-HHMM-...", u"YYMMDD_HHMM_...", u"YYMMDD HHMM ..."},
};

// Five fields of at most 11 characters each ("-2147483648") and at most three template
// characters around them: no int32 value can fill this.
constexpr size_t kPrintBufferSize = 5 * 11 + 3 + 1;

size_t LayoutIndex(DateFormat format) {
  return format >= 0 && format < kDateFormatCount ? static_cast<size_t>(format) : 0;
}

size_t FillIndex(FillCharacter fill) {
  return fill == kUnderscore || fill == kBlank ? static_cast<size_t>(fill) : 0;
}

// The templates hold only ASCII, so widening byte by byte is exact.
std::u16string Widen(const char* text, size_t length) {
  std::u16string wide;
  wide.reserve(length);
  for (size_t i = 0; i < length; ++i) wide.push_back(static_cast<unsigned char>(text[i]));
  return wide;
}

}  // namespace

int32_t ShortYear(int32_t year) {
  // Years so far below zero that year - 1900 leaves int32 saturate instead of overflowing.
  const int64_t shortYear = static_cast<int64_t>(year) - (year < 2000 ? 1900 : 2000);
  constexpr int64_t kLowest = std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(shortYear < kLowest ? kLowest : shortYear);
}

DatePrefix FormatDatePrefix(DateFormat format, FillCharacter fill, WorkingDate& date) {
  date.shortYear = ShortYear(date.year);
  const LayoutRow& row = kLayouts[LayoutIndex(format)][FillIndex(fill)];
  const int32_t year = row.yearField == YearField::kFull ? date.year : date.shortYear;

  char printed[kPrintBufferSize];
  const int length = std::snprintf(printed, sizeof printed, row.printTemplate, year, date.month,
                                   date.day, date.hour, date.minute);
  const size_t kept = length < 0 ? 0 : static_cast<size_t>(length);
  return {Widen(printed, kept < sizeof printed ? kept : sizeof printed - 1), row.schema};
}

std::array<std::u16string, kDateFormatCount> FormatLabels(FillCharacter fill) {
  std::array<std::u16string, kDateFormatCount> labels;
  for (size_t layout = 0; layout < labels.size(); ++layout) {
    labels[layout] = kLabels[layout][FillIndex(fill)];
  }
  return labels;
}

}  // namespace kustel
