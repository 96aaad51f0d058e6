#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/settings_backend.h"
#include "settings/settings_string.h"
#include "tests/support/memory_settings_backend.h"
#include "tests/support/option_states.h"
#include "tests/support/recording_message_sink.h"

namespace kustel {
namespace {

using Stored = MemorySettingsBackend::Stored;

const std::u16string kLongStored = u"05000099999999" + Letters(46);

struct StoreFixture : ::testing::Test {
  MemorySettingsBackend backend;
  RecordingMessageSink messages;
  SettingsStore store{backend, messages};
  OptionState options;  // the start-up defaults
};

TEST_F(StoreFixture, StartsWithTheDefaultTextAsReference) {
  EXPECT_EQ(store.LoadedSettingsString(), kDefaultSettingsString);
  EXPECT_FALSE(store.SettingsValueExisted());
}

struct LoadRow {
  const char* name;
  std::function<void(MemorySettingsBackend&)> prepare;
  OptionState options;
  std::u16string loaded;
  bool existed;
  std::vector<std::u16string> messages;
};

TEST(SettingsStoreLoad, HandlesEveryStateOfTheKey) {
  const OptionState defaults;
  const std::u16string reference(kDefaultSettingsString);
  const LoadRow rows[] = {
      {"first run: nothing stored", [](auto&) {}, defaults, reference, false, {}},
      {"a stored text is applied",
       [](auto& b) { b.StoreText(u"20110020241123Beleg"); },
       Options(2, 0, 1, 1, u"23.11.2024", u"Beleg"),
       u"20110020241123Beleg",
       true,
       {}},
      {"an empty text exists and reads as format 0",
       [](auto& b) { b.StoreText(u""); },
       Options(0, 0, 0, 0, u"", u""),
       u"",
       true,
       {}},
      {"a long text is kept as its first 54 characters",
       [](auto& b) { b.StoreText(kLongStored); },
       Options(0, 5, 0, 0, u"", Letters(40)),
       kLongStored.substr(0, 54),
       true,
       {}},
      {"a number: read message, defaults stay",
       [](auto& b) { b.stored = Stored::kNumber; },
       defaults,
       reference,
       true,
       {SettingsReadFailedText()}},
      {"a failing read: read message, defaults stay",
       [](auto& b) {
         b.StoreText(u"20110020241123Beleg");
         b.readFails = true;
       },
       defaults,
       reference,
       true,
       {SettingsReadFailedText()}},
      {"a key without full access counts as nothing stored",
       [](auto& b) {
         b.StoreText(u"20110020241123Beleg");
         b.keyRefusesFullAccess = true;
       },
       defaults,
       reference,
       false,
       {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    MemorySettingsBackend backend;
    row.prepare(backend);
    RecordingMessageSink messages;
    SettingsStore store(backend, messages);
    OptionState options;
    store.LoadSettings(options);
    EXPECT_EQ(options, row.options);
    EXPECT_EQ(store.LoadedSettingsString(), row.loaded);
    EXPECT_EQ(store.SettingsValueExisted(), row.existed);
    EXPECT_EQ(messages.texts, row.messages);
    EXPECT_EQ(backend.openCount, 1);
    EXPECT_FALSE(backend.KeyIsOpen());
  }
}

struct SaveRow {
  const char* name;
  std::function<void(MemorySettingsBackend&)> prepare;
  std::function<void(OptionState&)> change;  // what the user does after the load
  Stored stored;                             // what the key holds after the save
  std::u16string text;
  int opensBySave;
  std::vector<std::u16string> messages;
};

TEST(SettingsStoreSave, WritesOnlyWhatDiffersFromTheTextOfStartUp) {
  const auto untouched = [](OptionState&) {};
  const SaveRow rows[] = {
      {"first run writes even the untouched defaults",
       [](auto&) {},
       untouched,
       Stored::kText,
       u"05000099999999xxx",
       1,
       {}},
      {"first run writes even options that compose to the default text",
       [](auto&) {},
       [](OptionState& o) { o.dateFormat = 0; },
       Stored::kText,
       u"00000099999999xxx",
       1,
       {}},
      {"unchanged options touch nothing",
       [](auto& b) { b.StoreText(u"05000099999999xxx"); },
       untouched,
       Stored::kText,
       u"05000099999999xxx",
       0,
       {}},
      {"a changed option is written",
       [](auto& b) { b.StoreText(u"05000099999999xxx"); },
       [](OptionState& o) { o.freeText = u"Beleg"; },
       Stored::kText,
       u"05000099999999Beleg",
       1,
       {}},
      {"an empty stored text is replaced",
       [](auto& b) { b.StoreText(u""); },
       untouched,
       Stored::kText,
       u"00000099999999xxx",
       1,
       {}},
      {"a number is replaced by text",
       [](auto& b) { b.stored = Stored::kNumber; },
       untouched,
       Stored::kText,
       u"05000099999999xxx",
       1,
       {}},
      {"a number stays when the options compose to the default text",
       [](auto& b) { b.stored = Stored::kNumber; },
       [](OptionState& o) { o.dateFormat = 0; },
       Stored::kNumber,
       u"",
       0,
       {}},
      {"a long text stays when its first 54 characters match",
       [](auto& b) { b.StoreText(kLongStored); },
       untouched,
       Stored::kText,
       kLongStored,
       0,
       {}},
      {"a key without full access: save message, nothing written",
       [](auto& b) { b.keyRefusesFullAccess = true; },
       untouched,
       Stored::kNothing,
       u"",
       1,
       {SettingsSaveFailedText()}},
      {"a failing write: save message, the old text stays",
       [](auto& b) {
         b.StoreText(u"05000099999999xxx");
         b.writeFails = true;
       },
       [](OptionState& o) { o.freeText = u"Beleg"; },
       Stored::kText,
       u"05000099999999xxx",
       1,
       {SettingsSaveFailedText()}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    MemorySettingsBackend backend;
    row.prepare(backend);
    RecordingMessageSink messages;
    SettingsStore store(backend, messages);
    OptionState options;
    store.LoadSettings(options);
    const std::u16string loaded = store.LoadedSettingsString();
    const bool existed = store.SettingsValueExisted();
    messages.texts.clear();
    const int opensByLoad = backend.openCount;

    row.change(options);
    store.SaveSettings(options);

    EXPECT_EQ(backend.stored, row.stored);
    if (row.stored == Stored::kText) {
      EXPECT_EQ(backend.text, row.text);
    }
    EXPECT_EQ(backend.openCount - opensByLoad, row.opensBySave);
    EXPECT_EQ(messages.texts, row.messages);
    EXPECT_FALSE(backend.KeyIsOpen());
    EXPECT_EQ(store.LoadedSettingsString(), loaded);
    EXPECT_EQ(store.SettingsValueExisted(), existed);
  }
}

// A drop writes the changed options, the close writes them again, and options set back to their
// start-up state are not written at all: every save compares with the text of start-up.
TEST_F(StoreFixture, EverySaveComparesWithTheTextOfStartUp) {
  backend.StoreText(u"05000099999999xxx");
  store.LoadSettings(options);

  options.freeText = u"Beleg";
  store.SaveSettings(options);
  store.SaveSettings(options);
  EXPECT_EQ(backend.writeCount, 2);

  options.freeText.clear();
  store.SaveSettings(options);
  EXPECT_EQ(backend.writeCount, 2);
  EXPECT_EQ(backend.text, u"05000099999999Beleg");
  EXPECT_TRUE(messages.texts.empty());
}

TEST_F(StoreFixture, KeyWithoutFullAccessShowsTheSaveMessageAtEverySave) {
  backend.keyRefusesFullAccess = true;
  store.LoadSettings(options);
  store.SaveSettings(options);
  store.SaveSettings(options);
  EXPECT_EQ(messages.texts,
            (std::vector<std::u16string>{SettingsSaveFailedText(), SettingsSaveFailedText()}));
  EXPECT_EQ(backend.stored, Stored::kNothing);
}

}  // namespace
}  // namespace kustel
