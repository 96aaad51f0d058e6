// The main window's rules, once, through a fake view: the start values and the stored settings,
// the relabelling, the drop sequence, the close checks, the saves and the calendar's text. The
// engine works on a real temporary folder; the settings live in a key held in memory, which
// logs every write. What the toolkits do with their controls is tested in gui/qt (and win32).

#include "gui/main_form.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/prefix_formats.h"
#include "gui/main_view.h"
#include "platform/file_system.h"
#include "platform/message_sink.h"
#include "platform/name_codec.h"
#include "platform/path_split.h"
#include "platform/settings_backend.h"
#include "settings/settings_store.h"
#include "settings/settings_string.h"
#include "tests/support/fake_main_view.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/logged_backend.h"
#include "tests/support/logged_files.h"
#include "tests/support/memory_settings_backend.h"
#include "tests/support/option_states.h"
#include "tests/support/temp_folder.h"

namespace kustel {
namespace {

using Log = std::vector<std::string>;

// The version the program hands the window.
const std::u16string kVersion = u"24.11.23";

std::string Utf8(const std::u16string& text) {
  return TextToBytes(text);
}

using FakeView = FakeMainView;

// The program's messages, logged; a box's own event loop can run `whileOpen` meanwhile.
class LoggedMessages final : public MessageSink {
 public:
  explicit LoggedMessages(Log& log) : log_(log) {}
  void ShowMessage(const std::u16string& text) override {
    log_.push_back("box " + Utf8(text));
    if (auto run = std::exchange(whileOpen, nullptr)) run();
  }
  std::function<void()> whileOpen;

 private:
  Log& log_;
};

class MainFormRules : public ::testing::Test {
 protected:
  TMainForm& Open() {
    settings_ = std::make_unique<SettingsStore>(loggedBackend_, messages);
    form_ = std::make_unique<TMainForm>(
        view, MainFormServices{files_, clock, *settings_, messages, kVersion});
    view.form = form_.get();
    form_->FormCreate();
    return *form_;
  }
  TMainForm& form() { return *form_; }

  // A new run: no window, an empty log, a key with nothing in it.
  void Restart() {
    form_.reset();
    log.clear();
    view = FakeView{};
    backend = MemorySettingsBackend{};
  }

  std::u16string Path(const std::string& name) const { return folder.TextPath(name); }

  Log log;
  TempFolder folder;
  FakeView view;
  FixedClock clock{LocalDateTime{2024, 11, 5, 14, 32}};
  MemorySettingsBackend backend;
  LoggedMessages messages{log};

 private:
  NativeFileSystem nativeFiles_;
  LoggedFiles files_{nativeFiles_, log};
  LoggedBackend loggedBackend_{backend, log};
  std::unique_ptr<SettingsStore> settings_;
  std::unique_ptr<TMainForm> form_;
};

TEST_F(MainFormRules, StartsFromTheStartValuesOverlaidByTheStoredSettings) {
  using Stored = MemorySettingsBackend::Stored;
  const struct {
    const char* name;
    Stored stored;
    std::u16string text;
    OptionState shown;
    bool readMessage;
  } rows[] = {
      {"nothing stored", Stored::kNothing, u"", Options(0, 5, 0, 0, u"", u""), false},
      {"a stored text", Stored::kText, u"20110020241123Beleg",
       Options(2, 0, 1, 1, u"23.11.2024", u"Beleg"), false},
      {"a stored number", Stored::kNumber, u"", Options(0, 5, 0, 0, u"", u""), true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Restart();
    backend.stored = row.stored;
    backend.text = row.text;
    Open();
    EXPECT_EQ(view.options, row.shown);
    EXPECT_EQ(view.labels, FormatLabels(row.shown.fillCharacter));
    EXPECT_EQ(backend.writeCount, 0);  // nothing is written at start
    EXPECT_EQ(log, row.readMessage ? Log{"box " + Utf8(SettingsReadFailedText())} : Log{});
  }
}

TEST_F(MainFormRules, FormCreateTakesDropsTheClockAndTurnsTheCalendarToToday) {
  clock.Set({2025, 3, 5, 9, 7});
  Open();
  EXPECT_TRUE(view.acceptsDrops);
  EXPECT_EQ(form().CurrentWorkingDate(), (WorkingDate{2025, 3, 5, 9, 7, 0}));
  EXPECT_EQ(view.calendar, (CalendarDate{2025, 3, 5}));
  EXPECT_EQ(form().VersionText(), kVersion);
}

TEST_F(MainFormRules, EveryComboChangeRelabelsTheFormatsAndKeepsTheSelection) {
  Open();
  for (const FillCharacter fill : {kUnderscore, kBlank, kNothingSelected, kHyphen, kBlank}) {
    SCOPED_TRACE(fill);
    view.options.fillCharacter = fill;
    view.options.dateFormat = 2;
    form().FuellzeichenComBoxChange();
    EXPECT_EQ(view.labels, FormatLabels(fill));
    EXPECT_EQ(view.options.dateFormat, 2);
  }
}

struct CloseRow {
  const char* name;
  OptionState options;
  // The message, with the last layout's label put in for "%s"; empty when the window closes.
  std::u16string message;
};

TEST_F(MainFormRules, TheCloseButtonChecksInOrderThenSavesOnceAndCloses) {
  const std::u16string kNoDate = u"Wählen Sie ein Datum im Kalender aus";
  const std::u16string kNoText = u"Sie haben keinen beliebigen Text vorgegeben!";
  const std::u16string kLastFormat =
      u"Die Option 'Gewähltes Datum' kann nicht gleichzeitig\n\nmit der Option '%s' gewählt "
      u"werden !";
  const CloseRow rows[] = {
      {"chosen date without a date", Options(2, 0, 0, 0, u"", u""), kNoDate},
      {"chosen date without a date and the last layout: only the first",
       Options(2, 6, 0, 0, u"", u""), kNoDate},
      {"chosen date with the last layout", Options(2, 6, 0, 0, u"05.03.2025", u""), kLastFormat},
      {"chosen date with a date", Options(2, 5, 0, 0, u"05.03.2025", u""), u""},
      {"free text empty", Options(3, 0, 0, 0, u"", u""), kNoText},
      {"free text of blanks", Options(3, 0, 0, 0, u"", u"  "), u""},
      {"file date and an empty text", Options(4, 0, 0, 0, u"", u""), u""},
      {"today", Options(0, 6, 0, 0, u"", u""), u""},
  };
  for (const auto& row : rows) {
    for (const FillCharacter fill : {kHyphen, kUnderscore, kBlank, kNothingSelected}) {
      SCOPED_TRACE(::testing::Message() << row.name << ", fill " << fill);
      Restart();
      backend.StoreText(u"05000099999999xxx");
      Open();
      OptionState options = row.options;
      options.fillCharacter = fill;
      view.options = options;
      form().CloseSBtnClick();
      if (row.message.empty()) {
        EXPECT_TRUE(view.closed);
        EXPECT_EQ(log, Log{"save " + Utf8(ComposeSettingsString(options))});
      } else {
        std::u16string message = row.message;
        if (const size_t at = message.find(u"%s"); at != std::u16string::npos) {
          message.replace(at, 2, FormatLabels(fill)[kDateFormatCount - 1]);
        }
        EXPECT_FALSE(view.closed);
        EXPECT_EQ(log, Log{"box " + Utf8(message)});
        EXPECT_EQ(view.options, options);
      }
    }
  }
}

TEST_F(MainFormRules, ClosingByOtherMeansSavesWithoutChecks) {
  backend.StoreText(u"05000099999999xxx");
  Open();
  view.options = Options(2, 6, 1, 0, u"", u"");  // every check would refuse
  form().FormClose();
  EXPECT_EQ(log, Log{"save 26100099999999xxx"});
}

TEST_F(MainFormRules, UnchangedStoredOptionsAreNeverWritten) {
  backend.StoreText(u"20110020241123Beleg");
  Open();
  form().DropFiles({});
  form().CloseSBtnClick();
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(backend.openCount, 1);  // the load alone
  EXPECT_EQ(log, Log{});
}

TEST_F(MainFormRules, ADropSavesOnceThenStampsEachPathInOrderWhateverTheMessages) {
  folder.WriteFile("c.txt");
  folder.WriteFile("a.txt");
  folder.MakeFolder("Ordner");
  Open();
  const std::u16string tooLong = Path(std::string(300, 'x'));
  form().DropFiles({Path("c.txt"), tooLong, Path("Ordner"), Path("a.txt")});
  EXPECT_EQ(log, (Log{"save 05000099999999xxx", "rename c.txt",
                      "box Pfad + Dateiname sind zu lang, max. 256 Zeichen sind zulässig",
                      "rename a.txt"}));
  EXPECT_EQ(folder.Names(),
            (std::vector<std::string>{"241105 - a.txt", "241105 - c.txt", "Ordner"}));
}

TEST_F(MainFormRules, AFailedSaveIsReportedAndTheDroppedFilesAreStillStamped) {
  folder.WriteFile("scan.pdf");
  backend.writeFails = true;
  Open();
  form().DropFiles({Path("scan.pdf")});
  EXPECT_EQ(log, (Log{"save 05000099999999xxx", "box " + Utf8(SettingsSaveFailedText()),
                      "rename scan.pdf"}));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"241105 - scan.pdf"});
}

TEST_F(MainFormRules, ADropArrivingWhileABoxIsOpenWaitsForTheEarlierNames) {
  folder.WriteFile("a.txt");
  folder.WriteFile("b.txt");
  Open();
  messages.whileOpen = [&] { form().DropFiles({Path("b.txt")}); };
  form().DropFiles({Path(std::string(300, 'x')), Path("a.txt")});
  EXPECT_EQ(log, (Log{"save 05000099999999xxx",
                      "box Pfad + Dateiname sind zu lang, max. 256 Zeichen sind zulässig",
                      "rename a.txt", "save 05000099999999xxx", "rename b.txt"}));
}

TEST_F(MainFormRules, AFailureEndsOnlyItsOwnDropAndTheDropsWaitingBehindItStillRun) {
  folder.WriteFile("a.txt");
  folder.WriteFile("b.txt");
  Open();
  // While the first drop's box is open, a second drop arrives, and then a failure ends the first.
  messages.whileOpen = [&] {
    form().DropFiles({Path("b.txt")});
    throw std::runtime_error("Das Laufwerk ist nicht bereit");
  };
  EXPECT_THROW(form().DropFiles({Path(std::string(300, 'x')), Path("a.txt")}), std::runtime_error);
  EXPECT_EQ(log, (Log{"save 05000099999999xxx",
                      "box Pfad + Dateiname sind zu lang, max. 256 Zeichen sind zulässig",
                      "save 05000099999999xxx", "rename b.txt"}));
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"241105 - b.txt", "a.txt"}));

  // The window takes the next drop as ever.
  folder.WriteFile("c.txt");
  form().DropFiles({Path("c.txt")});
  EXPECT_EQ(log.back(), "rename c.txt");
}

TEST_F(MainFormRules, TheCloseButtonsSaveIsTheOnlyOneWhenTheWindowThenCloses) {
  Open();
  view.options.freeText = u"Neu";
  form().CloseSBtnClick();  // the fake view reports the closing, as the toolkit would
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(log, Log{"save 05000099999999Neu"});
}

TEST_F(MainFormRules, ACalendarClickWritesTheSelectedDayAsDayMonthYear) {
  Open();
  const struct {
    std::optional<CalendarDate> selected;
    std::u16string shown;
  } rows[] = {
      {CalendarDate{2025, 3, 5}, u"05.03.2025"},
      {CalendarDate{999, 12, 31}, u"31.12.0999"},
      {std::nullopt, u"31.12.0999"},  // nothing selected leaves the text
  };
  for (const auto& row : rows) {
    view.calendar = row.selected;
    form().MonthCalendar1Click();
    EXPECT_EQ(view.options.chosenDate, row.shown);
  }
}

TEST_F(MainFormRules, TheInfoButtonShowsTheDialogWithTheVersionInItsCaption) {
  Open();
  form().InfoSBtnClick();
  EXPECT_EQ(view.infoCaptions, std::vector<std::u16string>{
                                   u"  Bedienung und Lizenzvereinbarung - Version " + kVersion});
}

}  // namespace
}  // namespace kustel
