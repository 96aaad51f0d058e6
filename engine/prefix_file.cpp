#include "prefix_file.h"

#include <algorithm>

#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/message_sink.h"
#include "platform/path_split.h"
#include "prefix_formats.h"

namespace kustel {
namespace {

// Paths and new paths of this many UTF-16 code units or more are refused. The messages name 256
// while the limit is 259; the texts stay as users know them.
constexpr size_t kPathLimit = 260;
constexpr char16_t kPathTooLong[] =
    u"Pfad + Dateiname sind zu lang, max. 256 Zeichen sind zulässig";
constexpr char16_t kNewPathTooLong[] =
    u"Pfad + neuer Dateiname sind zu lang, max. 256 Zeichen sind zulässig";
constexpr char16_t kFreeTextMissing[] = u"Geben Sie einen beliebigen Text ein";
constexpr char16_t kFreeTextHasSeparator[] =
    u"Der beliebige Text darf die Zeichen \\ / : nicht enthalten";

// How much of the free text and of the date goes into a prefix.
constexpr size_t kFreeTextPrefixLength = 40;
constexpr size_t kTextAfterDateLength = 28;
constexpr size_t kDateBeforeTextLength = 11;

// The separators of every platform: a free text holding one would move the file elsewhere or
// give a name Windows cannot hold.
constexpr char16_t kSeparators[] = u"\\/:";

bool UsesFreeText(PrefixSource source) {
  return source == kFreeText || source == kFileDateAndText;
}

bool UsesFileDate(PrefixSource source) {
  return source == kFileDate || source == kFileDateAndText;
}

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// At most `length` code units from the start of `text`. A cut between the two halves of a
// surrogate pair would leave half a character, which no file name can hold, so the cut then
// falls before the pair.
std::u16string Head(const std::u16string& text, size_t length) {
  if (text.size() <= length) return text;
  if (length > 0 && IsHighSurrogate(text[length - 1]) && IsLowSurrogate(text[length])) --length;
  return text.substr(0, length);
}

// A field of the chosen-date text as C's atoi reads it: leading white space, an optional sign,
// then digits up to the first other character; no digit gives 0. The fields are at most four
// characters long, so the value cannot overflow.
int32_t DecimalValue(std::u16string_view field) {
  size_t pos = 0;
  while (pos < field.size() &&
         (field[pos] == u' ' || (field[pos] >= u'\t' && field[pos] <= u'\r'))) {
    ++pos;
  }
  bool negative = false;
  if (pos < field.size() && (field[pos] == u'+' || field[pos] == u'-')) {
    negative = field[pos] == u'-';
    ++pos;
  }
  int32_t value = 0;
  for (; pos < field.size() && field[pos] >= u'0' && field[pos] <= u'9'; ++pos) {
    value = value * 10 + (field[pos] - u'0');
  }
  return negative ? -value : value;
}

// A chosen date is DD.MM.YYYY; any other length leaves the working date as it is. The time of
// day is that of the call, as a chosen date has none of its own.
void TakeChosenDate(const std::u16string& text, const Clock& clock, WorkingDate& date) {
  if (text.size() != 10) return;
  const std::u16string_view view(text);
  const LocalDateTime now = clock.Now();
  date.day = DecimalValue(view.substr(0, 2));
  date.month = DecimalValue(view.substr(3, 2));
  date.year = DecimalValue(view.substr(6, 4));
  date.hour = now.hour;
  date.minute = now.minute;
}

void TakeDate(const std::u16string& path, const OptionState& options, WorkingDate& date,
              EngineServices& services) {
  if (UsesFileDate(options.source)) {
    if (services.files.IsExistingFile(path)) {
      if (const auto written = services.files.LastWriteTime(path)) TakeMoment(date, *written);
    }
  } else if (options.source == kChosenDate) {
    TakeChosenDate(options.chosenDate, services.clock, date);
  } else if (options.source != kFreeText) {
    TakeMoment(date, services.clock.Now());  // Today, and whatever behaves as Today
  }
}

// The prefix this file gets, and the pattern that recognises one already there.
DatePrefix BuildPrefix(const OptionState& options, WorkingDate& date) {
  if (options.source == kFreeText) {
    std::u16string text = Head(options.freeText, kFreeTextPrefixLength);
    return {text, text};
  }
  DatePrefix built = FormatDatePrefix(options.dateFormat, options.fillCharacter, date);
  if (options.source == kFileDateAndText) {
    built.prefix =
        Head(built.prefix, kDateBeforeTextLength) + Head(options.freeText, kTextAfterDateLength);
    built.schema = built.prefix;
  }
  return built;
}

// Date patterns match any digits in the digit positions, so the head of the name has its ASCII
// digits written as 0 before comparing; text patterns match exactly.
bool HasPrefix(const std::u16string& name, const std::u16string& schema, PrefixSource source) {
  std::u16string head = name.substr(0, schema.size());
  if (!UsesFreeText(source)) {
    std::replace_if(
        head.begin(), head.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; }, u'0');
  }
  return head == schema;
}

}  // namespace

void PrefixFile(const std::u16string& path, const OptionState& options, WorkingDate& date,
                EngineServices& services) {
  if (path.size() >= kPathLimit) {
    services.messages.ShowMessage(kPathTooLong);
    return;
  }
  if (UsesFreeText(options.source)) {
    if (options.freeText.empty()) {
      services.messages.ShowMessage(kFreeTextMissing);
      return;
    }
    if (options.freeText.find_first_of(kSeparators) != std::u16string::npos) {
      services.messages.ShowMessage(kFreeTextHasSeparator);
      return;
    }
  }

  TakeDate(path, options, date, services);
  const DatePrefix prefix = BuildPrefix(options, date);

  if (!services.files.IsExistingFile(path)) return;
  const PathParts parts = SplitNativePath(path);

  std::u16string newName;
  if (!HasPrefix(parts.name, prefix.schema, options.source)) {
    newName = prefix.prefix + parts.name;
  } else if (options.existingPrefixAction == kRemove) {
    newName = parts.name.substr(prefix.schema.size());
  } else {
    return;
  }

  const std::u16string newPath = parts.directory + newName;
  if (newPath.size() >= kPathLimit) {
    services.messages.ShowMessage(kNewPathTooLong);
    return;
  }
  // The rename itself refuses to replace anything; this check keeps the common case from
  // reaching the file system's rename at all.
  if (services.files.IsExistingFile(newPath)) return;
  // A failed rename leaves the file as it was and is not reported.
  services.files.RenameNoReplace(path, newPath);
}

}  // namespace kustel
