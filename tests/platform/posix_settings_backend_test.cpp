#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/settings_backend.h"
#include "settings/settings_store.h"
#include "tests/support/recording_message_sink.h"

namespace kustel {
namespace {

namespace fs = std::filesystem;

const std::string kDefaults = "05000099999999xxx";

std::optional<std::string> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

// An environment variable set for one test and put back afterwards.
class ScopedEnv {
 public:
  explicit ScopedEnv(const char* name) : name_(name) {
    if (const char* value = std::getenv(name)) saved_ = value;
  }
  ~ScopedEnv() {
    if (saved_) {
      setenv(name_, saved_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  void Set(const std::optional<std::string>& value) {
    if (value) {
      setenv(name_, value->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> saved_;
};

// A real temporary folder as XDG_CONFIG_HOME, which does not exist yet: the backend creates it.
class PosixSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "kustel-settings-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    configHome_ = root_ / "config";
    xdg_.Set(configHome_.string());
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path Folder() const { return configHome_ / "tolm" / "kustel"; }
  fs::path Value() const { return Folder() / "cfg_regstring"; }
  void StoreBytes(const std::string& bytes) {
    fs::create_directories(Folder());
    WriteFile(Value(), bytes);
  }

  // One run of the program: a fresh store loads the settings.
  struct Run {
    std::unique_ptr<SettingsBackend> backend = MakeNativeSettingsBackend();
    RecordingMessageSink messages;
    SettingsStore store{*backend, messages};
    OptionState options;
    Run() { store.LoadSettings(options); }
  };

  fs::path root_;
  fs::path configHome_;
  ScopedEnv xdg_{"XDG_CONFIG_HOME"};
  ScopedEnv home_{"HOME"};
};

TEST_F(PosixSettings, FirstRunCreatesPrivateFoldersAndTheFirstSaveWritesTheDefaults) {
  Run run;
  EXPECT_TRUE(run.messages.texts.empty());
  EXPECT_EQ(run.options, OptionState{});
  EXPECT_FALSE(run.store.SettingsValueExisted());
  for (const auto& folder : {configHome_, configHome_ / "tolm", Folder()}) {
    SCOPED_TRACE(folder.string());
    struct stat status {};
    ASSERT_EQ(stat(folder.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
  }
  EXPECT_TRUE(Names(Folder()).empty());

  run.store.SaveSettings(run.options);
  EXPECT_EQ(ReadFile(Value()), kDefaults);
  EXPECT_EQ(Names(Folder()), std::vector<std::string>{"cfg_regstring"});
  EXPECT_TRUE(run.messages.texts.empty());
}

// The save would recreate the folder if it opened the key.
TEST_F(PosixSettings, UnchangedOptionsDoNotOpenTheFolder) {
  StoreBytes("20110020241123Beleg");
  Run run;
  EXPECT_EQ(run.options.chosenDate, u"23.11.2024");
  fs::remove_all(configHome_);
  run.store.SaveSettings(run.options);
  EXPECT_FALSE(fs::exists(configHome_));
}

TEST_F(PosixSettings, ChangedOptionsAreWrittenAsUtf8AndReadBack) {
  StoreBytes(kDefaults);
  {
    Run run;
    run.options.freeText = u"M\u00FCller";
    run.store.SaveSettings(run.options);
    EXPECT_TRUE(run.messages.texts.empty());
  }
  EXPECT_EQ(ReadFile(Value()),
            "05000099999999M\xC3\xBC"
            "ller");
  EXPECT_EQ(Names(Folder()), std::vector<std::string>{"cfg_regstring"});
  Run next;
  EXPECT_EQ(next.options.freeText, u"M\u00FCller");
  EXPECT_TRUE(next.messages.texts.empty());
}

TEST_F(PosixSettings, LongStoredTextStaysWhenItsFirst54CharactersMatch) {
  const std::string stored = "05000099999999" + std::string(46, 'a');
  StoreBytes(stored);
  Run run;
  EXPECT_EQ(run.options.freeText, std::u16string(40, u'a'));
  run.store.SaveSettings(run.options);
  EXPECT_EQ(ReadFile(Value()), stored);
}

TEST_F(PosixSettings, LineEndAddedByAnEditorIsNotPartOfTheText) {
  for (const std::string lineEnd : {"\n", "\r\n"}) {
    SCOPED_TRACE(lineEnd.size());
    StoreBytes("20110020241123Beleg" + lineEnd);
    Run run;
    EXPECT_TRUE(run.messages.texts.empty());
    EXPECT_EQ(run.options.freeText, u"Beleg");
    EXPECT_EQ(run.store.LoadedSettingsString(), u"20110020241123Beleg");
  }
}

struct UnreadableRow {
  const char* name;
  std::function<void(const fs::path& value)> place;
};

TEST_F(PosixSettings, UnreadableValueShowsTheReadMessageAndKeepsTheDefaults) {
  const UnreadableRow rows[] = {
      {"invalid UTF-8", [](const fs::path& v) { WriteFile(v, "05000099999999M\xFCller"); }},
      {"a zero byte",
       [](const fs::path& v) {
         WriteFile(v, std::string("0500\0"
                                  "0099",
                                  9));
       }},
      {"a folder", [](const fs::path& v) { fs::create_directory(v); }},
      {"a file of megabytes",
       [](const fs::path& v) { WriteFile(v, "05000099999999" + std::string(1 << 20, 'a')); }},
      {"a named pipe", [](const fs::path& v) { ASSERT_EQ(mkfifo(v.c_str(), 0600), 0); }},
      {"a broken link", [](const fs::path& v) { fs::create_symlink(v.string() + ".gone", v); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    fs::remove_all(configHome_);
    fs::create_directories(Folder());
    row.place(Value());
    Run run;
    EXPECT_EQ(run.messages.texts, std::vector<std::u16string>{SettingsReadFailedText()});
    EXPECT_EQ(run.options, OptionState{});
    EXPECT_TRUE(run.store.SettingsValueExisted());
    EXPECT_EQ(run.store.LoadedSettingsString(), u"00000099999999xxx");
  }
}

struct ReadBackRow {
  const char* name;
  std::u16string freeText;
  std::u16string readBack;
};

// Whatever a save writes, the next start reads without a message.
TEST_F(PosixSettings, EverySavedTextReadsBackAtTheNextStart) {
  const std::u16string a39(39, u'a');
  const ReadBackRow rows[] = {
      {"a zero character ends the text, as in the registry", std::u16string(u"Be\0leg", 6), u"Be"},
      {"a pair across 40 characters is left out whole", a39 + u"\U0001F4C4", a39},
      {"a lone surrogate", u"a\xDC80z", u"a\uFFFDz"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    {
      Run run;
      run.options.freeText = row.freeText;
      run.store.SaveSettings(run.options);
      EXPECT_TRUE(run.messages.texts.empty());
    }
    Run next;
    EXPECT_TRUE(next.messages.texts.empty());
    EXPECT_EQ(next.options.freeText, row.readBack);
  }
}

// A dotfiles setup: the settings file is a link into another folder, maybe through a second
// link, maybe to a file that is not there yet. The save replaces the file the link leads to, and
// every link stays as it was.
TEST_F(PosixSettings, ASettingsFileThatIsALinkStaysOne) {
  const struct {
    const char* name;
    std::vector<std::pair<std::string, std::string>> links;  // link in the settings folder, target
    std::string storedIn;                                    // below root_
    bool storedBefore;
  } rows[] = {
      {"a relative link", {{"cfg_regstring", "../../../dotfiles/kustel"}}, "dotfiles/kustel", true},
      {"an absolute link", {{"cfg_regstring", "@dotfiles/kustel"}}, "dotfiles/kustel", true},
      {"a link to a link",
       {{"cfg_regstring", "second"}, {"second", "@dotfiles/kustel"}},
       "dotfiles/kustel",
       true},
      {"a link to a file not there yet",
       {{"cfg_regstring", "@dotfiles/kustel"}},
       "dotfiles/kustel",
       false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    fs::remove_all(configHome_);
    fs::remove_all(root_ / "dotfiles");
    fs::create_directories(Folder());
    fs::create_directories(root_ / "dotfiles");
    for (const auto& [link, target] : row.links) {
      const std::string resolved =
          target.starts_with('@') ? (root_ / target.substr(1)).string() : target;
      fs::create_symlink(resolved, Folder() / link);
    }
    if (row.storedBefore) WriteFile(root_ / row.storedIn, "20110020241123Beleg");
    {
      Run run;
      EXPECT_EQ(run.options.freeText, row.storedBefore ? u"Beleg" : u"");
      run.options.freeText = u"Neu";
      run.store.SaveSettings(run.options);
      // A link that leads nowhere is a value that cannot be read, as before any link support.
      EXPECT_EQ(run.messages.texts.size(), row.storedBefore ? 0u : 1u);
    }
    EXPECT_EQ(ReadFile(root_ / row.storedIn),
              row.storedBefore ? "20110020241123Neu" : "05000099999999Neu");
    for (const auto& [link, target] : row.links) {
      EXPECT_TRUE(fs::is_symlink(Folder() / link)) << link;
    }
    EXPECT_EQ(Names(root_ / "dotfiles"), std::vector<std::string>{"kustel"});
    Run next;
    EXPECT_EQ(next.options.freeText, u"Neu");
  }
}

TEST_F(PosixSettings, ALinkThatLoopsIsASaveThatFails) {
  fs::create_directories(Folder());
  fs::create_symlink("cfg_regstring", Value());
  Run run;
  run.options.freeText = u"Neu";
  run.store.SaveSettings(run.options);
  EXPECT_TRUE(fs::is_symlink(Value()));
  EXPECT_EQ(run.messages.texts.back(), u"Einstellungen konnten nicht gespeichert werden");
}

TEST_F(PosixSettings, FolderThatCannotBeCreatedCountsAsNoStoredSettings) {
  fs::create_directories(configHome_);
  WriteFile(configHome_ / "tolm", "not a folder");
  Run run;
  EXPECT_TRUE(run.messages.texts.empty());
  EXPECT_FALSE(run.store.SettingsValueExisted());
  run.store.SaveSettings(run.options);
  EXPECT_EQ(run.messages.texts, std::vector<std::u16string>{SettingsSaveFailedText()});
  EXPECT_EQ(ReadFile(configHome_ / "tolm"), "not a folder");
}

// A file size limit makes the write stop after a few bytes, as a full disk would. It holds for
// the whole process, so the run happens in a child.
TEST_F(PosixSettings, WriteFailingMidwayKeepsTheOldText) {
  StoreBytes(kDefaults);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4, 4};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(2);
    Run run;
    run.options.freeText = u"Beleg";
    run.store.SaveSettings(run.options);
    _exit(run.messages.texts == std::vector<std::u16string>{SettingsSaveFailedText()} ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the save message was not shown";
  EXPECT_EQ(ReadFile(Value()), kDefaults);
  EXPECT_EQ(Names(Folder()), std::vector<std::string>{"cfg_regstring"});
}

TEST_F(PosixSettings, RenameRefusedLeavesNoTemporaryFile) {
  fs::create_directories(Value());
  Run run;
  run.messages.texts.clear();
  run.options.freeText = u"Beleg";
  run.store.SaveSettings(run.options);
  EXPECT_EQ(run.messages.texts, std::vector<std::u16string>{SettingsSaveFailedText()});
  EXPECT_TRUE(fs::is_directory(Value()));
  EXPECT_EQ(Names(Folder()), std::vector<std::string>{"cfg_regstring"});
}

struct LocationRow {
  const char* name;
  std::optional<std::string> configHome;  // relative to the test's root when not absolute
  bool configHomeAbsolute;
  fs::path expected;  // relative to the test's root
};

// A relative XDG_CONFIG_HOME would put the settings wherever the program was started.
TEST_F(PosixSettings, FolderFollowsXdgConfigHomeElseHome) {
  const LocationRow rows[] = {
      {"absolute XDG_CONFIG_HOME", "xdg", true, "xdg/tolm/kustel"},
      {"XDG_CONFIG_HOME unset", std::nullopt, false, "home/.config/tolm/kustel"},
      {"XDG_CONFIG_HOME empty", "", false, "home/.config/tolm/kustel"},
      {"XDG_CONFIG_HOME relative", "relative", false, "home/.config/tolm/kustel"},
  };
  const fs::path startFolder = fs::current_path();
  fs::current_path(root_);
  home_.Set((root_ / "home").string());
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::optional<std::string> value = row.configHome;
    if (value && row.configHomeAbsolute) value = (root_ / *value).string();
    xdg_.Set(value);
    auto backend = MakeNativeSettingsBackend();
    EXPECT_TRUE(backend->OpenKey());
    backend->CloseKey();
    EXPECT_TRUE(fs::is_directory(root_ / row.expected));
    EXPECT_FALSE(fs::exists(root_ / "relative"));
    fs::remove_all(root_ / row.expected);
  }
  fs::current_path(startFolder);
}

TEST(PosixSettingsTexts, SpeakOfTheSettings) {
  EXPECT_EQ(SettingsReadFailedText(),
            u"Einstellungen konnten nicht gelesen werden, Programm wird fortgesetzt.");
  EXPECT_EQ(SettingsSaveFailedText(), u"Einstellungen konnten nicht gespeichert werden");
}

}  // namespace
}  // namespace kustel
