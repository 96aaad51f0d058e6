#include "prefix_formats.h"

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

size_t LayoutIndex(DateFormat format) {
  return format >= 0 && format < kDateFormatCount ? static_cast<size_t>(format) : 0;
}

size_t FillIndex(FillCharacter fill) {
  return fill == kUnderscore || fill == kBlank ? static_cast<size_t>(fill) : 0;
}

// The fields every template takes from, in this order: year, month, day, hour, minute.
constexpr size_t kFieldCount = 5;

// A field in a template is "%N.Ni", the same digit N twice: the value zero-filled to at least
// N digits.
constexpr size_t kFieldLength = 5;
constexpr bool IsFieldAt(const char* c) {
  return c[0] == '%' && c[1] >= '1' && c[1] <= '9' && c[2] == '.' && c[3] == c[1] && c[4] == 'i';
}

constexpr size_t FieldsTakenBy(const char* printTemplate) {
  size_t count = 0;
  for (const char* c = printTemplate; *c != '\0'; ++c) {
    if (IsFieldAt(c)) {
      ++count;
      c += kFieldLength - 1;
    }
  }
  return count;
}

// A template that took a sixth field would read past the five it is given.
constexpr bool EveryTemplateTakesAtMostTheFields() {
  for (const auto& layout : kLayouts) {
    for (const LayoutRow& row : layout) {
      if (FieldsTakenBy(row.printTemplate) > kFieldCount) return false;
    }
  }
  return true;
}
static_assert(EveryTemplateTakesAtMostTheFields());

// Room for every prefix of a date with four-digit years and two-digit fields, so printing one
// costs a single allocation; a wider field only makes the text grow.
constexpr size_t kUsualPrefixLength = 16;

// Appends a value as "%N.Ni" prints it: a minus sign for a negative value, then its digits,
// zero-filled to at least N.
void AppendField(std::u16string& out, int64_t value, int width) {
  if (value < 0) out += u'-';
  uint64_t magnitude = value < 0 ? static_cast<uint64_t>(-value) : static_cast<uint64_t>(value);
  char16_t digits[20];  // as many as the largest uint64_t has
  int count = 0;
  do {
    digits[count++] = static_cast<char16_t>(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (count < width) out.append(static_cast<size_t>(width - count), u'0');
  while (count > 0) out += digits[--count];
}

// Prints a layout's template: each field takes the next value in turn, every other character
// is copied. The program's own templates are the only ones ever printed, and this is what
// snprintf makes of them, without its cost for each of thousands of files.
std::u16string PrintTemplate(const char* printTemplate, const int32_t (&fields)[kFieldCount]) {
  std::u16string printed;
  printed.reserve(kUsualPrefixLength);
  size_t next = 0;
  for (const char* c = printTemplate; *c != '\0'; ++c) {
    if (IsFieldAt(c)) {
      AppendField(printed, fields[next++], c[1] - '0');
      c += kFieldLength - 1;
    } else {
      printed += static_cast<char16_t>(static_cast<unsigned char>(*c));
    }
  }
  return printed;
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

  const int32_t fields[kFieldCount] = {year, date.month, date.day, date.hour, date.minute};
  return {PrintTemplate(row.printTemplate, fields), row.schema};
}

std::array<std::u16string, kDateFormatCount> FormatLabels(FillCharacter fill) {
  std::array<std::u16string, kDateFormatCount> labels;
  for (size_t layout = 0; layout < labels.size(); ++layout) {
    labels[layout] = kLabels[layout][FillIndex(fill)];
  }
  return labels;
}

}  // namespace kustel
