#pragma once

// What the tests of PrefixFile share: a desk with a real temporary folder, the real file system,
// a clock and the messages shown, and the options of the rows.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/prefix_file.h"
#include "platform/file_system.h"
#include "platform/name_codec.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_folder.h"

// The system's rules for local time: CMake puts tests/support/posix or tests/support/win32 on the
// include path.
#include "local_time_zone.h"

namespace kustel {

using Names = std::vector<std::string>;
using Messages = std::vector<std::u16string>;

inline std::string Utf8(const std::u16string& text) {
  return TextToBytes(text);
}

inline const std::u16string kPathTooLong =
    u"Pfad + Dateiname sind zu lang, max. 256 Zeichen sind zulässig";
inline const std::u16string kNewPathTooLong =
    u"Pfad + neuer Dateiname sind zu lang, max. 256 Zeichen sind zulässig";
inline const std::u16string kFreeTextMissing = u"Geben Sie einen beliebigen Text ein";
inline const std::u16string kFreeTextHasSeparator =
    u"Der beliebige Text darf die Zeichen \\ / : nicht enthalten";

// The clock shows 9 March 2025, 09:30; the working date holds what an earlier call left.
inline constexpr LocalDateTime kNow{2025, 3, 9, 9, 30};
inline constexpr WorkingDate kEarlier{2023, 2, 1, 8, 15, 23};

// One run of the program's engine: a real folder, the real file system, a clock and the
// messages shown.
struct Desk {
  Desk() { PinBerlinTime(); }

  // A file last written on 5 November 2024 at 14:32 local time. Its content is its name, so a
  // test can tell after renaming which file is which.
  void PutFile(const std::string& name) {
    folder.WriteFile(name, name);
    folder.SetLastWriteTime(name, LocalMoment(2024, 11, 5, 14, 32));
  }

  PrefixOutcome Prefix(const std::string& name, const OptionState& options) {
    return PrefixFile(folder.TextPath(name), options, date, services);
  }

  PrefixOutcome PrefixThrough(FileSystem& files, const std::string& name,
                              const OptionState& options) {
    EngineServices through{files, clock, messages};
    return PrefixFile(folder.TextPath(name), options, date, through);
  }

  TempFolder folder;
  NativeFileSystem files;
  FixedClock clock{kNow};
  RecordingMessageSink messages;
  WorkingDate date = kEarlier;
  EngineServices services{files, clock, messages};
};

inline OptionState Options(PrefixSource source, DateFormat format, FillCharacter fill,
                           ExistingPrefixAction action) {
  OptionState options;
  options.source = source;
  options.dateFormat = format;
  options.fillCharacter = fill;
  options.existingPrefixAction = action;
  return options;
}

inline OptionState FileDate(DateFormat format, FillCharacter fill, ExistingPrefixAction action) {
  return Options(kFileDate, format, fill, action);
}

inline OptionState Chosen(std::u16string date, DateFormat format, FillCharacter fill) {
  OptionState options = Options(kChosenDate, format, fill, kKeep);
  options.chosenDate = std::move(date);
  return options;
}

inline OptionState Text(PrefixSource source, std::u16string text, ExistingPrefixAction action,
                        DateFormat format = 0, FillCharacter fill = kHyphen) {
  OptionState options = Options(source, format, fill, action);
  options.freeText = std::move(text);
  return options;
}

// A file before and after one call, with no message shown.
struct Renaming {
  const char* name;
  OptionState options;
  std::string before;
  std::string after;
};

inline void ExpectRenamings(const std::vector<Renaming>& rows) {
  for (const Renaming& row : rows) {
    SCOPED_TRACE(row.name);
    Desk desk;
    desk.PutFile(row.before);
    desk.Prefix(row.before, row.options);
    EXPECT_EQ(desk.folder.Names(), Names{row.after});
    EXPECT_EQ(desk.folder.ReadFile(row.after), row.before);
    EXPECT_EQ(desk.messages.texts, Messages{});
  }
}

// Whatever was added, remove takes away again, leaving the name exactly as it was.
inline void ExpectRemoveUndoesWhatWasAdded(const std::string& name) {
  const std::u16string longText = std::u16string(39, u'x') + u"\U0001F600 tail";
  const OptionState options[] = {
      Options(kToday, 6, kBlank, kRemove),
      FileDate(2, kUnderscore, kRemove),
      Chosen(u"07.01.2025", 5, kHyphen),
      Text(kFreeText, longText, kRemove),
      Text(kFileDateAndText, longText, kRemove, 6),
  };
  for (OptionState option : options) {
    SCOPED_TRACE(::testing::Message() << "source " << option.source << ", name " << name);
    option.existingPrefixAction = kRemove;
    Desk desk;
    desk.PutFile(name);
    desk.Prefix(name, option);
    const Names stamped = desk.folder.Names();
    ASSERT_EQ(stamped.size(), 1u);
    EXPECT_NE(stamped[0], name);
    desk.Prefix(stamped[0], option);
    EXPECT_EQ(desk.folder.Names(), Names{name});
    EXPECT_EQ(desk.folder.ReadFile(name), name);
  }
}

// A path the engine passes over without a message: nothing changes, not even the working date.
struct NoFile {
  const char* name;
  std::function<void(TempFolder&)> put;
  std::string path;
};

inline void ExpectPassedOver(const std::vector<NoFile>& rows) {
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Desk desk;
    row.put(desk.folder);
    const Names before = desk.folder.Names();
    desk.Prefix(row.path, FileDate(0, kHyphen, kRemove));
    EXPECT_EQ(desk.folder.Names(), before);
    EXPECT_EQ(desk.messages.texts, Messages{});
    EXPECT_EQ(desk.date, kEarlier);  // a folder's date is not taken either
  }
}

// Something already has the new name: the file keeps its name, without a message, and what is
// there stays as it was (`target`, when given, still reads "theirs").
struct TakenName {
  const char* name;
  std::string file;
  ExistingPrefixAction action;
  std::function<void(TempFolder&)> putTarget;
  std::string target;
};

inline void ExpectTargetKept(const std::vector<TakenName>& rows) {
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Desk desk;
    desk.PutFile(row.file);
    row.putTarget(desk.folder);
    const Names before = desk.folder.Names();
    desk.Prefix(row.file, FileDate(0, kHyphen, row.action));
    EXPECT_EQ(desk.folder.Names(), before);
    EXPECT_EQ(desk.folder.ReadFile(row.file), row.file);
    if (!row.target.empty()) {
      EXPECT_EQ(desk.folder.ReadFile(row.target), "theirs");
    }
    EXPECT_EQ(desk.messages.texts, Messages{});
  }
}

}  // namespace kustel
