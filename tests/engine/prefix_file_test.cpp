#include "engine/prefix_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "tests/engine/prefix_file_desk.h"
#include "tests/support/forwarding_file_system.h"

namespace kustel {
namespace {

TEST(PrefixFile, WorkedExamples) {
  const std::u16string text = u"Rechnung_";
  ExpectRenamings({
      {"the file date goes in front", FileDate(0, kHyphen, kKeep), "scan.pdf",
       "2024-11-05-scan.pdf"},
      {"a prefix of the shape is kept", FileDate(0, kHyphen, kKeep), "2024-11-05-scan.pdf",
       "2024-11-05-scan.pdf"},
      {"a prefix of the shape is removed", FileDate(0, kHyphen, kRemove), "2024-11-05-scan.pdf",
       "scan.pdf"},
      {"any digits in the digit positions are a prefix", FileDate(0, kHyphen, kRemove),
       "2019-03-08-scan.pdf", "scan.pdf"},
      {"remove adds where there is no prefix", FileDate(0, kHyphen, kRemove), "scan.pdf",
       "2024-11-05-scan.pdf"},
      {"another fill character is another shape", FileDate(0, kHyphen, kKeep),
       "2024_11_05_scan.pdf", "2024-11-05-2024_11_05_scan.pdf"},
      {"layout 2 with blank ends in three blanks", FileDate(2, kBlank, kKeep), "scan.pdf",
       "20241105   scan.pdf"},
      {"layout 6 prints the time of day", FileDate(6, kUnderscore, kKeep), "scan.pdf",
       "241105_1432_scan.pdf"},
      {"digits of the name stay", FileDate(1, kHyphen, kKeep), "12.pdf", "20241105-12.pdf"},
      {"a chosen date", Chosen(u"07.01.2025", 3, kHyphen), "scan.pdf", "25-01-07-scan.pdf"},
      {"a free text", Text(kFreeText, text, kKeep, 4, kBlank), "scan.pdf", "Rechnung_scan.pdf"},
      {"a free text is removed", Text(kFreeText, text, kRemove, 4, kBlank), "Rechnung_scan.pdf",
       "scan.pdf"},
      {"a free text in another case is no prefix", Text(kFreeText, text, kKeep, 4, kBlank),
       "rechnung_scan.pdf", "Rechnung_rechnung_scan.pdf"},
      {"file date and text", Text(kFileDateAndText, text, kKeep), "scan.pdf",
       "2024-11-05-Rechnung_scan.pdf"},
      {"with layout 6 the text follows the minute", Text(kFileDateAndText, text, kKeep, 6),
       "scan.pdf", "241105-1432Rechnung_scan.pdf"},
      {"file date and text is removed", Text(kFileDateAndText, text, kRemove),
       "2024-11-05-Rechnung_scan.pdf", "scan.pdf"},
      {"file date and text of another date is no prefix", Text(kFileDateAndText, text, kKeep),
       "2023-01-05-Rechnung_scan.pdf", "2024-11-05-Rechnung_2023-01-05-Rechnung_scan.pdf"},
  });
}

TEST(PrefixFile, NamesAreCopiedVerbatim) {
  const OptionState options = FileDate(0, kHyphen, kKeep);
  ExpectRenamings({
      {"percent signs are no template", options, "50%s%n%%.pdf", "2024-11-05-50%s%n%%.pdf"},
      {"umlaut", options, "M\xC3\xBCller.pdf", "2024-11-05-M\xC3\xBCller.pdf"},
      {"character outside the BMP", options, "\xF0\x9F\x93\x84.pdf",
       "2024-11-05-\xF0\x9F\x93\x84.pdf"},
      {"leading blank", options, " scan.pdf", "2024-11-05- scan.pdf"},
  });
}

TEST(PrefixFile, RecognisesAPrefixByShapeOrByExactText) {
  const std::u16string text = u"Rechnung_";
  ExpectRenamings({
      {"full-width digits are no digit positions", FileDate(0, kHyphen, kRemove),
       "２０２４-１１-０５-scan.pdf", "2024-11-05-２０２４-１１-０５-scan.pdf"},
      {"Arabic-Indic digits are no digit positions", FileDate(4, kHyphen, kRemove),
       "٢٤١١٠٥-scan.pdf", "241105-٢٤١١٠٥-scan.pdf"},
      {"a name shorter than the pattern", FileDate(0, kHyphen, kRemove), "2024-11",
       "2024-11-05-2024-11"},
      {"three blanks of layout 2", FileDate(2, kBlank, kRemove), "20191231   scan.pdf", "scan.pdf"},
      {"layout 6 with another time", FileDate(6, kHyphen, kRemove), "991231-2359-scan.pdf",
       "scan.pdf"},
      {"free text in capitals", Text(kFreeText, text, kRemove), "RECHNUNG_scan.pdf",
       "Rechnung_RECHNUNG_scan.pdf"},
      {"digits of a free text are matched exactly", Text(kFreeText, u"2024", kRemove),
       "1999scan.pdf", "20241999scan.pdf"},
      {"nothing selected as source masks digits as Today does",
       Options(kNothingSelected, 0, kHyphen, kRemove), "1999-01-01-scan.pdf", "scan.pdf"},
      {"nothing selected as source prints today", Options(kNothingSelected, 0, kHyphen, kKeep),
       "scan.pdf", "2025-03-09-scan.pdf"},
      {"an unknown source behaves as Today", Options(9, 0, kHyphen, kKeep), "scan.pdf",
       "2025-03-09-scan.pdf"},
      {"nothing selected as action keeps", FileDate(0, kHyphen, kNothingSelected),
       "2024-11-05-scan.pdf", "2024-11-05-scan.pdf"},
      {"an unknown action keeps", FileDate(0, kHyphen, 2), "2024-11-05-scan.pdf",
       "2024-11-05-scan.pdf"},
  });
}

TEST(PrefixFile, UsesTheFreeTextVerbatimUpToItsLimit) {
  const std::u16string letters = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  const std::u16string face = u"\U0001F600";  // two UTF-16 code units
  const std::string faceBytes = "\xF0\x9F\x98\x80";
  ExpectRenamings({
      {"blanks only are a text", Text(kFreeText, u"   ", kKeep), "scan.pdf", "   scan.pdf"},
      {"percent signs are no template", Text(kFreeText, u"%s%n_", kKeep), "scan.pdf",
       "%s%n_scan.pdf"},
      {"free text is cut to 40", Text(kFreeText, letters, kKeep), "scan.pdf",
       "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnscan.pdf"},
      {"text after the date is cut to 28", Text(kFileDateAndText, letters, kKeep), "scan.pdf",
       "2024-11-05-ABCDEFGHIJKLMNOPQRSTUVWXYZabscan.pdf"},
      {"a pair ending at 40 stays whole", Text(kFreeText, std::u16string(38, u'x') + face, kKeep),
       "scan.pdf", std::string(38, 'x') + faceBytes + "scan.pdf"},
      {"a pair across 40 is left out whole",
       Text(kFreeText, std::u16string(39, u'x') + face, kKeep), "scan.pdf",
       std::string(39, 'x') + "scan.pdf"},
      {"a pair across 28 is left out whole",
       Text(kFileDateAndText, std::u16string(27, u'x') + face, kKeep), "scan.pdf",
       "2024-11-05-" + std::string(27, 'x') + "scan.pdf"},
  });
}

TEST(PrefixFile, RemoveUndoesWhatWasAdded) {
  ExpectRemoveUndoesWhatWasAdded("scan.pdf");
  ExpectRemoveUndoesWhatWasAdded("M\xC3\xBCller \xF0\x9F\x93\x84.pdf");
}

TEST(PrefixFile, TodayReadsTheClockAtEveryCall) {
  Desk desk;
  for (const char* name : {"a.pdf", "b.pdf", "c.pdf"}) desk.PutFile(name);
  const OptionState today = Options(kToday, 0, kHyphen, kKeep);

  desk.Prefix("a.pdf", today);
  desk.Prefix("b.pdf", FileDate(0, kHyphen, kKeep));
  EXPECT_EQ(desk.date, (WorkingDate{2024, 11, 5, 14, 32, 24}));
  desk.clock.Set({2025, 3, 10, 0, 1});  // past midnight
  desk.Prefix("c.pdf", today);

  EXPECT_EQ(desk.folder.Names(),
            (Names{"2024-11-05-b.pdf", "2025-03-09-a.pdf", "2025-03-10-c.pdf"}));
  EXPECT_EQ(desk.date, (WorkingDate{2025, 3, 10, 0, 1, 25}));
}

TEST(PrefixFile, AChosenDateTakesTheTimeOfTheCall) {
  const struct {
    const char* name;
    std::u16string chosen;
    std::string prefix;
  } rows[] = {
      {"a picked date", u"07.01.2025", "250107_0930_"},
      {"day and month with leading zeros", u"05.11.2024", "241105_0930_"},
      {"a blank before the day", u" 5.11.2024", "241105_0930_"},
      {"the dots are not examined", u"05-11/2024", "241105_0930_"},
      {"29 February of a leap year", u"29.02.2024", "240229_0930_"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Desk desk;
    desk.PutFile("scan.pdf");
    desk.Prefix("scan.pdf", Chosen(row.chosen, 6, kUnderscore));
    EXPECT_EQ(desk.folder.Names(), Names{row.prefix + "scan.pdf"});
  }
}

TEST(PrefixFile, AChosenDateThatNamesNoDayStampsNothing) {
  const std::u16string kNoDate = u"Wählen Sie ein Datum im Kalender aus";
  const struct {
    const char* name;
    std::u16string chosen;
  } rows[] = {
      {"no date picked", u""},
      {"nine characters", u"5.11.2024"},
      {"fields without digits", u"ab.cd.efgh"},
      {"a stored text of blanks", u"  .  .    "},
      {"31 February", u"31.02.2025"},
      {"29 February of another year", u"29.02.2025"},
      {"month 13", u"01.13.2025"},
      {"year 0", u"01.01.0000"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Desk desk;
    desk.PutFile("scan.pdf");
    const OptionState options = Chosen(row.chosen, 0, kHyphen);
    EXPECT_EQ(desk.Prefix("scan.pdf", options), PrefixOutcome::kRefused);
    EXPECT_EQ(desk.Prefix("missing.pdf", options), PrefixOutcome::kRefused);
    EXPECT_EQ(desk.messages.texts, (Messages{kNoDate, kNoDate}));
    EXPECT_EQ(desk.folder.Names(), Names{"scan.pdf"});
    EXPECT_EQ(desk.date, kEarlier);
  }
}

TEST(PrefixFile, ANameThatIsThePrefixAloneKeepsItAndSaysSo) {
  const struct {
    const char* name;
    OptionState options;
    std::string file;
  } rows[] = {
      {"a date prefix", FileDate(0, kHyphen, kRemove), "2024-11-05-"},
      {"a free text", Text(kFreeText, u"Rechnung_", kRemove), "Rechnung_"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Desk desk;
    desk.PutFile(row.file);
    EXPECT_EQ(desk.Prefix(row.file, row.options), PrefixOutcome::kRefused);
    EXPECT_EQ(desk.folder.Names(), Names{row.file});
    EXPECT_EQ(desk.messages.texts,
              Messages{u"Die Datei \u201E" + BytesToText(row.file) +
                       u"\u201C behält ihren Namen: ohne das Präfix bliebe kein Name übrig."});
  }
}

TEST(PrefixFile, FreeTextIsCheckedForEveryPathBeforeAnythingElse) {
  const struct {
    const char* name;
    PrefixSource source;
    std::u16string text;
    std::u16string message;
  } rows[] = {
      {"empty free text", kFreeText, u"", kFreeTextMissing},
      {"empty text after the date", kFileDateAndText, u"", kFreeTextMissing},
      {"backslash", kFreeText, u"Belege\\", kFreeTextHasSeparator},
      {"slash would move the file", kFreeText, u"../", kFreeTextHasSeparator},
      {"colon", kFileDateAndText, u"Re:", kFreeTextHasSeparator},
      {"a separator beyond the part used", kFreeText, std::u16string(45, u'x') + u"/",
       kFreeTextHasSeparator},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Desk desk;
    desk.PutFile("scan.pdf");
    const OptionState options = Text(row.source, row.text, kKeep);
    desk.Prefix("scan.pdf", options);
    desk.Prefix("missing.pdf", options);
    EXPECT_EQ(desk.messages.texts, (Messages{row.message, row.message}));
    EXPECT_EQ(desk.folder.Names(), Names{"scan.pdf"});
    EXPECT_EQ(desk.date, kEarlier);
  }
}

TEST(PrefixFile, DateSourcesIgnoreTheFreeText) {
  Desk desk;
  desk.PutFile("scan.pdf");
  OptionState options = FileDate(0, kHyphen, kKeep);
  options.freeText = u"a/b";
  desk.Prefix("scan.pdf", options);
  EXPECT_EQ(desk.folder.Names(), Names{"2024-11-05-scan.pdf"});
  EXPECT_EQ(desk.messages.texts, Messages{});
}

// A name of the given length in UTF-16 code units that is longer in bytes, so that counting
// bytes or code points instead would move the limit.
std::string NameOfLength(size_t units, const std::string& head) {
  const std::string wide = "\xC3\xBC\xF0\x9F\x93\x84";  // ü (one unit), 📄 (two units)
  return head + wide + std::string(units - head.size() - 3, 'a');
}

TEST(PrefixFile, PathsAndNewPathsUpTo259CodeUnitsAreTaken) {
  const struct {
    const char* name;
    size_t pathLength;
    std::string head;
    ExistingPrefixAction action;
    bool renamed;
    Messages messages;
  } rows[] = {
      {"a path of 259 is taken", 259, "2024-11-05-", kRemove, true, {}},
      {"a path of 260 is refused", 260, "2024-11-05-", kRemove, false, {kPathTooLong}},
      {"a new path of 259 is taken", 248, "", kKeep, true, {}},
      {"a new path of 260 is refused", 249, "", kKeep, false, {kNewPathTooLong}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Desk desk;
    const size_t folderLength = desk.folder.TextPath("").size();
    if (folderLength + 40 > row.pathLength) GTEST_SKIP() << "temporary folder path too long";
    const std::string name = NameOfLength(row.pathLength - folderLength, row.head);
    ASSERT_EQ(desk.folder.TextPath(name).size(), row.pathLength);
    desk.PutFile(name);

    desk.Prefix(name, FileDate(0, kHyphen, row.action));

    const std::string renamedTo =
        row.head.empty() ? "2024-11-05-" + name : name.substr(row.head.size());
    EXPECT_EQ(desk.folder.Names(), Names{row.renamed ? renamedTo : name});
    EXPECT_EQ(desk.messages.texts, row.messages);
  }
}

TEST(PrefixFile, PassesOverWhatIsNoFile) {
  ExpectPassedOver({
      {"a folder", [](TempFolder& f) { f.MakeFolder("belege"); }, "belege"},
      {"a folder with a prefix", [](TempFolder& f) { f.MakeFolder("2024-11-05-x"); },
       "2024-11-05-x"},
      {"nothing", [](TempFolder&) {}, "missing.pdf"},
  });
}

TEST(PrefixFile, NeverReplacesWhatIsAtTheNewName) {
  ExpectTargetKept({
      {"a file under the prefixed name", "scan.pdf", kKeep,
       [](TempFolder& f) { f.WriteFile("2024-11-05-scan.pdf", "theirs"); }, "2024-11-05-scan.pdf"},
      {"a file under the name without prefix", "2024-11-05-scan.pdf", kRemove,
       [](TempFolder& f) { f.WriteFile("scan.pdf", "theirs"); }, "scan.pdf"},
      // No file to the existence test, so only the rename itself can keep it.
      {"a folder under the new name", "scan.pdf", kKeep,
       [](TempFolder& f) {
         f.MakeFolder("2024-11-05-scan.pdf");
         f.WriteFile("2024-11-05-scan.pdf/inside", "theirs");
       },
       "2024-11-05-scan.pdf/inside"},
  });
}

// Another program creates the new name in the instant after the engine has looked at the file.
class TargetAppearsAfterLook final : public ForwardingFileSystem {
 public:
  TargetAppearsAfterLook(FileSystem& inner, const TempFolder& folder, std::string target)
      : ForwardingFileSystem(inner), folder_(folder), target_(std::move(target)) {}

  FileStatus StatusOf(const std::u16string& path) override {
    const FileStatus status = ForwardingFileSystem::StatusOf(path);
    folder_.WriteFile(target_, "theirs");
    appeared = true;
    return status;
  }

  bool appeared = false;

 private:
  const TempFolder& folder_;
  std::string target_;
};

TEST(PrefixFile, ATargetThatAppearsAfterTheLookIsNotReplaced) {
  Desk desk;
  desk.PutFile("scan.pdf");
  TargetAppearsAfterLook racing(desk.files, desk.folder, "2024-11-05-scan.pdf");
  EXPECT_EQ(desk.PrefixThrough(racing, "scan.pdf", FileDate(0, kHyphen, kKeep)),
            PrefixOutcome::kTargetExists);
  ASSERT_TRUE(racing.appeared);
  EXPECT_EQ(desk.folder.Names(), (Names{"2024-11-05-scan.pdf", "scan.pdf"}));
  EXPECT_EQ(desk.folder.ReadFile("2024-11-05-scan.pdf"), "theirs");
  EXPECT_EQ(desk.folder.ReadFile("scan.pdf"), "scan.pdf");
  EXPECT_EQ(desk.messages.texts, Messages{});
}

// Counts what the engine asks of the file system.
class CountingFileSystem final : public ForwardingFileSystem {
 public:
  using ForwardingFileSystem::ForwardingFileSystem;
  FileStatus StatusOf(const std::u16string& path) override {
    ++looks;
    return ForwardingFileSystem::StatusOf(path);
  }
  RenameResult RenameNoReplace(const std::u16string& from, const std::u16string& to) override {
    ++renames;
    return ForwardingFileSystem::RenameNoReplace(from, to);
  }
  int looks = 0;
  int renames = 0;
};

TEST(PrefixFile, LooksAtAPathOnceAndLetsTheRenameTellWhetherTheNewNameIsFree) {
  const struct {
    const char* name;
    OptionState options;
    std::string file;
    std::function<void(TempFolder&)> put;
    PrefixOutcome outcome;
    int renames;
  } rows[] = {
      {"stamped", FileDate(0, kHyphen, kKeep), "scan.pdf", [](TempFolder&) {},
       PrefixOutcome::kStamped, 1},
      {"unstamped", FileDate(0, kHyphen, kRemove), "2024-11-05-scan.pdf", [](TempFolder&) {},
       PrefixOutcome::kUnstamped, 1},
      {"kept", FileDate(0, kHyphen, kKeep), "2024-11-05-scan.pdf", [](TempFolder&) {},
       PrefixOutcome::kKept, 0},
      {"a file at the new name", Options(kToday, 0, kHyphen, kKeep), "scan.pdf",
       [](TempFolder& f) { f.WriteFile("2025-03-09-scan.pdf", "theirs"); },
       PrefixOutcome::kTargetExists, 1},
      {"a folder at the new name", Options(kToday, 0, kHyphen, kKeep), "scan.pdf",
       [](TempFolder& f) { f.MakeFolder("2025-03-09-scan.pdf"); }, PrefixOutcome::kTargetExists, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Desk desk;
    desk.PutFile(row.file);
    row.put(desk.folder);
    const Names before = desk.folder.Names();
    CountingFileSystem counting(desk.files);
    EXPECT_EQ(desk.PrefixThrough(counting, row.file, row.options), row.outcome);
    EXPECT_EQ(counting.looks, 1);
    EXPECT_EQ(counting.renames, row.renames);
    EXPECT_EQ(desk.messages.texts, Messages{});
    if (row.outcome == PrefixOutcome::kTargetExists) {
      EXPECT_EQ(desk.folder.Names(), before);
      EXPECT_EQ(desk.folder.ReadFile(row.file), row.file);
    }
  }
}

// A real folder as root can neither hide a file's times nor refuse most renames.
class StatedTimes final : public ForwardingFileSystem {
 public:
  StatedTimes(FileSystem& inner, std::optional<LocalDateTime> time)
      : ForwardingFileSystem(inner), time_(time) {}
  FileStatus StatusOf(const std::u16string& path) override {
    FileStatus status = ForwardingFileSystem::StatusOf(path);
    status.lastWriteTime = time_;
    return status;
  }

 private:
  std::optional<LocalDateTime> time_;
};
TEST(PrefixFile, UnreadableOrFarFileTimesStillGiveAPrefix) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  const struct {
    const char* name;
    std::optional<LocalDateTime> time;
    OptionState options;
    std::string after;
  } rows[] = {
      {"unreadable times leave the working date", std::nullopt, FileDate(0, kHyphen, kKeep),
       "2023-02-01-scan.pdf"},
      {"also with date and text", std::nullopt, Text(kFileDateAndText, u"R_", kKeep, 6),
       "230201-0815R_scan.pdf"},
      {"year 100000", LocalDateTime{100000, 11, 5, 14, 32}, FileDate(0, kHyphen, kKeep),
       "100000-11-05-scan.pdf"},
      {"every field at the int32 maximum", LocalDateTime{kMax, kMax, kMax, kMax, kMax},
       FileDate(6, kHyphen, kKeep), "214748164721474836472147483647-21474836472147483647-scan.pdf"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Desk desk;
    desk.PutFile("scan.pdf");
    StatedTimes times(desk.files, row.time);
    desk.PrefixThrough(times, "scan.pdf", row.options);
    EXPECT_EQ(desk.folder.Names(), Names{row.after});
    EXPECT_EQ(desk.messages.texts, Messages{});
  }
}

class RefusingRename final : public ForwardingFileSystem {
 public:
  RefusingRename(FileSystem& inner, RenameResult refusal)
      : ForwardingFileSystem(inner), refusal_(refusal) {}
  RenameResult RenameNoReplace(const std::u16string&, const std::u16string&) override {
    return refusal_;
  }

 private:
  RenameResult refusal_;
};

TEST(PrefixFile, ARefusedRenameIsReportedWithTheFileAndTheReason) {
  const struct {
    RenameResult refusal;
    std::u16string reason;
  } rows[] = {
      {RenameResult::kNoPermission,
       u"keine Berechtigung (der Ordner oder die Datei ist geschützt)"},
      {RenameResult::kReadOnlyMedium, u"der Datenträger ist schreibgeschützt"},
      {RenameResult::kNameTooLong, u"der neue Name ist für das Dateisystem zu lang"},
      {RenameResult::kInvalidName,
       u"der neue Name enthält Zeichen, die das Dateisystem nicht zulässt"},
      {RenameResult::kInUse, u"die Datei wird von einem anderen Programm benutzt"},
      {RenameResult::kSourceGone, u"die Datei ist nicht mehr vorhanden"},
      {RenameResult::kFailed, u"das System hat es abgelehnt"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Utf8(row.reason));
    Desk desk;
    desk.PutFile("M\xC3\xBCller.pdf");
    RefusingRename refusing(desk.files, row.refusal);
    EXPECT_EQ(desk.PrefixThrough(refusing, "M\xC3\xBCller.pdf", FileDate(0, kHyphen, kKeep)),
              PrefixOutcome::kRefused);
    EXPECT_EQ(desk.folder.Names(), Names{"M\xC3\xBCller.pdf"});
    EXPECT_EQ(
        desk.messages.texts,
        Messages{u"Die Datei \u201EMüller.pdf\u201C wurde nicht umbenannt: " + row.reason + u"."});
  }
}

}  // namespace
}  // namespace kustel
