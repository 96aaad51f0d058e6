#include "prefix_file.h"

#include <algorithm>

#include "engine/chosen_date.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/message_sink.h"
#include "platform/path_split.h"
#include "platform/utf16.h"
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
constexpr char16_t kNoDateChosen[] = u"Wählen Sie ein Datum im Kalender aus";

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

// A chosen date has no time of day of its own; it takes that of the call. A text that names
// no date never gets this far (see PrefixFile).
void TakeChosenDate(const std::u16string& text, const Clock& clock, WorkingDate& date) {
  const std::optional<CalendarDate> chosen = ReadChosenDate(text);
  if (!chosen) return;
  const LocalDateTime now = clock.Now();
  TakeMoment(date, {chosen->year, chosen->month, chosen->day, now.hour, now.minute});
}

void TakeDate(const FileStatus& file, const OptionState& options, WorkingDate& date,
              EngineServices& services) {
  if (UsesFileDate(options.source)) {
    if (file.IsExistingFile() && file.lastWriteTime) TakeMoment(date, *file.lastWriteTime);
  } else if (options.source == kChosenDate) {
    TakeChosenDate(options.chosenDate, services.clock, date);
  } else if (options.source != kFreeText) {
    TakeMoment(date, services.clock.Now());  // Today, and whatever behaves as Today
  }
}

// The prefix this file gets, and the pattern that recognises one already there: a date's
// detection template, or for a text the prefix itself (taken by the caller, who keeps the text).
DatePrefix BuildPrefix(const OptionState& options, WorkingDate& date) {
  if (options.source == kFreeText) {
    return {WholeCharacterHead(options.freeText, kFreeTextPrefixLength), {}};
  }
  DatePrefix built = FormatDatePrefix(options.dateFormat, options.fillCharacter, date);
  if (options.source == kFileDateAndText) {
    built.prefix.resize(std::min(built.prefix.size(), kDateBeforeTextLength));
    built.prefix += WholeCharacterHead(options.freeText, kTextAfterDateLength);
  }
  return built;
}

// Date patterns match any digits in the digit positions, so the head of the name has its ASCII
// digits written as 0 before comparing; text patterns match exactly.
bool HasPrefix(std::u16string_view name, std::u16string_view schema, PrefixSource source) {
  if (name.size() < schema.size()) return false;
  const bool masksDigits = !UsesFreeText(source);
  for (size_t i = 0; i < schema.size(); ++i) {
    const char16_t c = masksDigits && name[i] >= u'0' && name[i] <= u'9' ? u'0' : name[i];
    if (c != schema[i]) return false;
  }
  return true;
}

// The reason of a refused rename, as the user reads it after the file's name.
const char16_t* RefusalReason(RenameResult result) {
  switch (result) {
    case RenameResult::kNoPermission:
      return u"keine Berechtigung (der Ordner oder die Datei ist geschützt)";
    case RenameResult::kReadOnlyMedium:
      return u"der Datenträger ist schreibgeschützt";
    case RenameResult::kNameTooLong:
      return u"der neue Name ist für das Dateisystem zu lang";
    case RenameResult::kInvalidName:
      return u"der neue Name enthält Zeichen, die das Dateisystem nicht zulässt";
    case RenameResult::kInUse:
      return u"die Datei wird von einem anderen Programm benutzt";
    case RenameResult::kSourceGone:
      return u"die Datei ist nicht mehr vorhanden";
    default:
      return u"das System hat es abgelehnt";
  }
}

std::u16string RenameRefusedText(const std::u16string& name, RenameResult result) {
  return u"Die Datei \u201E" + name + u"\u201C wurde nicht umbenannt: " + RefusalReason(result) +
         u".";
}

// Checks that stop every path before anything is looked at; the message to show, or nothing.
const char16_t* OptionsRefusal(const OptionState& options) {
  if (UsesFreeText(options.source)) {
    if (options.freeText.empty()) return kFreeTextMissing;
    if (options.freeText.find_first_of(kSeparators) != std::u16string::npos) {
      return kFreeTextHasSeparator;
    }
  }
  // Stamping some other date instead would put a wrong date on the file.
  if (options.source == kChosenDate && !ReadChosenDate(options.chosenDate)) return kNoDateChosen;
  return nullptr;
}

}  // namespace

bool DidItsWork(PrefixOutcome outcome) {
  return outcome == PrefixOutcome::kStamped || outcome == PrefixOutcome::kUnstamped ||
         outcome == PrefixOutcome::kKept;
}

PrefixOutcome PrefixFile(const std::u16string& path, const OptionState& options, WorkingDate& date,
                         EngineServices& services) {
  if (path.size() >= kPathLimit) {
    services.messages.ShowMessage(kPathTooLong);
    return PrefixOutcome::kRefused;
  }
  if (const char16_t* refusal = OptionsRefusal(options)) {
    services.messages.ShowMessage(refusal);
    return PrefixOutcome::kRefused;
  }

  const FileStatus file = services.files.StatusOf(path);
  TakeDate(file, options, date, services);
  const DatePrefix prefix = BuildPrefix(options, date);
  const std::u16string_view schema = UsesFreeText(options.source) ? prefix.prefix : prefix.schema;

  if (!file.IsExistingFile()) return PrefixOutcome::kNoFile;
  const PathParts parts = SplitNativePath(path);

  // The new name, behind the folder part: the prefix added, or the existing one taken away.
  std::u16string newPath;
  PrefixOutcome done = PrefixOutcome::kStamped;
  if (!HasPrefix(parts.name, schema, options.source)) {
    newPath.reserve(path.size() + prefix.prefix.size());
    newPath += parts.directory;
    newPath += prefix.prefix;
    newPath += parts.name;
  } else if (options.existingPrefixAction == kRemove) {
    newPath += parts.directory;
    newPath += parts.name.substr(schema.size());
    done = PrefixOutcome::kUnstamped;
  } else {
    return PrefixOutcome::kKept;
  }

  if (newPath.size() == parts.directory.size()) {
    services.messages.ShowMessage(u"Die Datei \u201E" + std::u16string(parts.name) +
                                  u"\u201C behält ihren Namen: ohne das Präfix bliebe kein Name "
                                  u"übrig.");
    return PrefixOutcome::kRefused;
  }
  if (newPath.size() >= kPathLimit) {
    services.messages.ShowMessage(kNewPathTooLong);
    return PrefixOutcome::kRefused;
  }
  // The rename refuses to replace anything, and its refusal is the test whether the new name is
  // free: no look beforehand that another program could overtake.
  const RenameResult renamed = services.files.RenameNoReplace(path, newPath);
  if (renamed == RenameResult::kRenamed) return done;
  if (renamed == RenameResult::kTargetExists) return PrefixOutcome::kTargetExists;
  services.messages.ShowMessage(RenameRefusedText(std::u16string(parts.name), renamed));
  return PrefixOutcome::kRefused;
}

}  // namespace kustel
