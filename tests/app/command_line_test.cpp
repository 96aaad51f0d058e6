// The built program run as a process, in a temporary world of its own: settings folder, runtime
// folder, home and time zone, with no display in its environment.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "gui/main_definition.h"
#include "tests/app/command_line_cases.h"
#include "tests/support/temp_folder.h"
#include "tests/support/xvfb.h"

namespace kustel {
namespace {

// Whether the program under test was built with its Qt windows (KUSTEL_GUI=qt) or without any.
constexpr bool kQtWindows = std::string_view(KUSTEL_GUI) == "qt";

constexpr const char* kSecondInstanceLine = " Das Programm KUSTEL läuft bereits \n";
constexpr const char* kFreeTextMissingLine = "Geben Sie einen beliebigen Text ein\n";

struct Outcome {
  int exitCode = -1;  // 128 + signal when the program was killed
  std::string output;
  std::string errors;
};

int ExitCodeOf(int status) {
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Waits up to a minute for `done`; only a broken program ever makes a test wait that long.
template <typename Condition>
bool WaitFor(Condition done, std::chrono::seconds patience = std::chrono::seconds(60)) {
  const auto end = std::chrono::steady_clock::now() + patience;
  while (std::chrono::steady_clock::now() < end) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  if (!std::filesystem::is_directory(folder)) return names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[65536];
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
  return text;
}

class World {
 public:
  World() {
    root_.MakeFolder("config");
    root_.MakeFolder("run");
    root_.MakeFolder("home");
    root_.MakeFolder("files");
  }

  std::string File(const std::string& name) const { return root_.Path("files/" + name); }
  void MakeFile(const std::string& name) const { root_.WriteFile("files/" + name, "Inhalt"); }
  void MakeFolder(const std::string& name) const { root_.MakeFolder("files/" + name); }
  void SetLastWriteTime(const std::string& name, time_t moment) const {
    root_.SetLastWriteTime("files/" + name, moment);
  }
  std::vector<std::string> Files() const { return NamesIn(root_.Path("files")); }

  std::string SettingsFolder() const { return root_.Path("config/tolm/kustel"); }
  std::string SettingsFile() const { return SettingsFolder() + "/cfg_regstring"; }
  std::string LockFile() const { return root_.Path("run/KUSTEL.lock"); }

  void StoreSettings(const std::string& bytes) const {
    std::filesystem::create_directories(SettingsFolder());
    std::ofstream(SettingsFile(), std::ios::binary) << bytes;
  }

  // From now on, runs the program file at `path` instead of the built one.
  void UseProgram(std::string path) { program_ = std::move(path); }
  std::string Path(const std::string& name) const { return root_.Path(name); }

  // From now on, standard input and output of the program are a terminal (standard error still
  // goes to a file), as when a script runs `kustel a b 2>&1 | cat` in a terminal.
  void UseTerminal() {
    terminal_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (terminal_ < 0 || grantpt(terminal_) != 0 || unlockpt(terminal_) != 0) {
      ADD_FAILURE() << "no terminal for the test";
    }
  }

  // Runs the program to its end with standard output and error going to files.
  Outcome Run(const std::vector<std::string>& arguments,
              const std::vector<std::string>& extraEnvironment = {},
              std::chrono::seconds patience = std::chrono::seconds(60)) const {
    const std::string out = root_.Path("stdout"), err = root_.Path("stderr");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (terminal_ >= 0) {
      const char* terminal = ptsname(terminal_);
      posix_spawn_file_actions_addopen(&actions, 0, terminal, O_RDWR | O_NOCTTY, 0);
      posix_spawn_file_actions_addopen(&actions, 1, terminal, O_RDWR | O_NOCTTY, 0);
    } else {
      posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
      posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                       0600);
    }
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const pid_t child = Spawn(arguments, extraEnvironment, actions);
    posix_spawn_file_actions_destroy(&actions);
    Outcome outcome;
    int status = 0;
    // A program that hangs (a box nobody can answer, say) is ended, and shows as killed.
    if (child > 0 &&
        !WaitFor([&] { return waitpid(child, &status, WNOHANG) == child; }, patience)) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
    }
    if (child > 0) outcome.exitCode = ExitCodeOf(status);
    outcome.output = root_.ReadFile("stdout");
    outcome.errors = root_.ReadFile("stderr");
    return outcome;
  }

  // Starts the program with its standard error on a pipe the caller reads from `errors`.
  pid_t Start(const std::vector<std::string>& arguments, int& errors,
              const std::vector<std::string>& extraEnvironment = {}) const {
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 2);
    const pid_t child = Spawn(arguments, extraEnvironment, actions);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    errors = pipeEnds[0];
    return child;
  }

 private:
  std::vector<std::string> Environment(const std::vector<std::string>& extra) const {
    static const char* const kReplaced[] = {"DISPLAY=",
                                            "WAYLAND_DISPLAY=",
                                            "QT_QPA_PLATFORM=",
                                            "XDG_CONFIG_HOME=",
                                            "XDG_RUNTIME_DIR=",
                                            "HOME=",
                                            "TZ=",
                                            "KUSTEL_"};
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
      const std::string_view variable = *entry;
      bool replaced = false;
      for (const char* prefix : kReplaced) replaced = replaced || variable.starts_with(prefix);
      if (!replaced) environment.emplace_back(variable);
    }
    environment.push_back("XDG_CONFIG_HOME=" + root_.Path("config"));
    environment.push_back("XDG_RUNTIME_DIR=" + root_.Path("run"));
    environment.push_back("HOME=" + root_.Path("home"));
    environment.push_back("TZ=Europe/Berlin");
    environment.insert(environment.end(), extra.begin(), extra.end());
    return environment;
  }

  pid_t Spawn(const std::vector<std::string>& arguments, const std::vector<std::string>& extra,
              const posix_spawn_file_actions_t& actions) const {
    std::vector<std::string> argumentTexts{program_};
    argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
    const std::vector<std::string> environmentTexts = Environment(extra);
    std::vector<char*> argv, envp;
    for (const auto& text : argumentTexts) argv.push_back(const_cast<char*>(text.c_str()));
    for (const auto& text : environmentTexts) envp.push_back(const_cast<char*>(text.c_str()));
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    pid_t child = -1;
    if (posix_spawn(&child, program_.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) {
      ADD_FAILURE() << "cannot start " << program_;
      return -1;
    }
    return child;
  }

  TempFolder root_;
  std::string program_ = KUSTEL_EXE;
  int terminal_ = -1;  // the controlling side of the terminal, when one is used
};

// What the settings folder holds, down to the inode of the settings file: a rewrite with the
// same text shows too.
struct SettingsSnapshot {
  std::vector<std::string> names;
  std::string content;
  ino_t inode = 0;

  explicit SettingsSnapshot(const World& world) : names(NamesIn(world.SettingsFolder())) {
    std::ifstream in(world.SettingsFile(), std::ios::binary);
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    struct stat info;
    if (stat(world.SettingsFile().c_str(), &info) == 0) inode = info.st_ino;
  }
  bool operator==(const SettingsSnapshot&) const = default;
};

// Today's prefix of the start values (layout 5, hyphen): "YYMMDD - ".
std::string TodaysStartPrefix() {
  const time_t now = time(nullptr);
  tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::snprintf(text, sizeof text, "%02d%02d%02d - ", local.tm_year % 100, local.tm_mon + 1,
                local.tm_mday);
  return text;
}

TEST(CommandLine, StampsEveryNamedFileWithTheStoredSettingsAndPassesOverTheRest) {
  World world;
  world.StoreSettings("10100099999999xxx");  // file date, YYYY_MM_DD_, keep
  const std::vector<std::string> names = {"a.pdf", "mit Leerzeichen.pdf", "M\xC3\xBCller.pdf",
                                          "caf\xE9.pdf"};  // the last one is not UTF-8
  for (const auto& name : names) {
    world.MakeFile(name);
    world.SetLastWriteTime(name, kFileMoment);
  }
  world.MakeFolder("Ordner");
  const SettingsSnapshot before(world);

  const Outcome outcome = world.Run({world.File("a.pdf"), world.File("mit Leerzeichen.pdf"),
                                     world.File("M\xC3\xBCller.pdf"), world.File("caf\xE9.pdf"),
                                     world.File("Ordner"), world.File("fehlt.pdf")});

  EXPECT_EQ(outcome.exitCode, 1);  // the folder and the missing file were not stamped
  EXPECT_EQ(outcome.errors, "");
  EXPECT_EQ(world.Files(), (std::vector<std::string>{"2024_11_05_M\xC3\xBCller.pdf",
                                                     "2024_11_05_a.pdf", "2024_11_05_caf\xE9.pdf",
                                                     "2024_11_05_mit Leerzeichen.pdf", "Ordner"}));
  EXPECT_EQ(SettingsSnapshot(world), before);
}

TEST(CommandLine, StampsTheWorkedExamplesAsOnWindows) {
  for (const WorkedExample& row : kWorkedExamples) {
    SCOPED_TRACE(row.name);
    World world;
    world.StoreSettings(row.settings);
    world.MakeFile(row.before);
    world.SetLastWriteTime(row.before, kFileMoment);
    const Outcome outcome = world.Run({world.File(row.before)});
    EXPECT_EQ(outcome.exitCode, row.exitCode);
    EXPECT_EQ(outcome.errors, *row.message ? std::string(row.message) + "\n" : "");
    EXPECT_EQ(world.Files(), std::vector<std::string>{row.after});
  }
}

TEST(CommandLine, EndsTheListAtTheFirstEmptyArgument) {
  World world;
  world.StoreSettings("35000099999999N_");  // free text "N_", keep
  world.MakeFile("a.pdf");
  world.MakeFile("b.pdf");
  const Outcome outcome = world.Run({world.File("a.pdf"), "", world.File("b.pdf")});
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_EQ(world.Files(), (std::vector<std::string>{"N_a.pdf", "b.pdf"}));
}

TEST(CommandLine, WritesEachMessageAsALineOnStandardError) {
  World world;
  world.StoreSettings("30000099999999xxx");  // free text chosen, but none given
  world.MakeFile("a.pdf");
  const Outcome outcome =
      world.Run({world.File("a.pdf"), world.File("fehlt.pdf"), world.File("a.pdf")});
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.errors,
            std::string(kFreeTextMissingLine) + kFreeTextMissingLine + kFreeTextMissingLine);
  EXPECT_EQ(outcome.output, "");
  EXPECT_EQ(world.Files(), (std::vector<std::string>{"a.pdf"}));
}

TEST(CommandLine, FirstRunStampsWithTheStartValuesAndStoresNothing) {
  World world;
  world.MakeFile("a.pdf");
  const std::string before = TodaysStartPrefix();
  const Outcome outcome = world.Run({world.File("a.pdf")});
  const std::string after = TodaysStartPrefix();
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_EQ(outcome.errors, "");
  const std::vector<std::string> files = world.Files();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_TRUE(files[0] == before + "a.pdf" || files[0] == after + "a.pdf") << files[0];
  EXPECT_FALSE(std::filesystem::exists(world.SettingsFile()));
}

TEST(CommandLine, UnreadableSettingsAreReportedAndTheStartValuesUsed) {
  World world;
  world.StoreSettings("\xFF\xFE kein Text");
  world.MakeFile("a.pdf");
  const SettingsSnapshot before(world);
  const std::string todayBefore = TodaysStartPrefix();
  const Outcome outcome = world.Run({world.File("a.pdf")});
  const std::string todayAfter = TodaysStartPrefix();
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_EQ(outcome.errors,
            "Einstellungen konnten nicht gelesen werden, Programm wird fortgesetzt.\n");
  const std::vector<std::string> files = world.Files();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_TRUE(files[0] == todayBefore + "a.pdf" || files[0] == todayAfter + "a.pdf") << files[0];
  EXPECT_EQ(SettingsSnapshot(world), before);
}

struct SecondStartCase {
  const char* name;
  std::vector<std::string> arguments;  // "a.pdf" stands for the world's file
};

TEST(CommandLine, RefusesASecondStartWhileAnInstanceHoldsTheGuard) {
  const SecondStartCase rows[] = {
      {"with a file", {"a.pdf"}},
      {"without arguments", {}},
      {"with an empty first argument", {"", "a.pdf"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    World world;
    world.StoreSettings("35000099999999N_");
    world.MakeFile("a.pdf");
    const SettingsSnapshot before(world);
    // The running instance, as far as the guard can tell.
    const int held = open(world.LockFile().c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);

    std::vector<std::string> arguments;
    for (const auto& argument : row.arguments) {
      arguments.push_back(argument.empty() ? argument : world.File(argument));
    }
    const Outcome outcome = world.Run(arguments);
    close(held);

    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.errors, kSecondInstanceLine);
    EXPECT_EQ(world.Files(), (std::vector<std::string>{"a.pdf"}));
    EXPECT_EQ(SettingsSnapshot(world), before);
  }
}

TEST(CommandLine, OfManyStartsAtOnceExactlyOneRuns) {
  World world;
  world.StoreSettings("30000099999999xxx");  // every argument gives one message
  // The one that runs writes far more than a pipe holds, so it stays blocked, and keeps the
  // guard, until the test reads its messages: every other start meets a running instance.
  const std::vector<std::string> arguments(4000, world.File("fehlt.pdf"));
  constexpr int kStarts = 8;
  std::vector<pid_t> starts;
  std::vector<int> errors;
  for (int i = 0; i < kStarts; ++i) {
    int fd = -1;
    starts.push_back(world.Start(arguments, fd));
    errors.push_back(fd);
  }
  std::vector<int> exitCodes(kStarts, -1);
  int ended = 0;
  WaitFor([&] {
    for (int i = 0; i < kStarts; ++i) {
      int status = 0;
      if (exitCodes[i] < 0 && waitpid(starts[i], &status, WNOHANG) == starts[i]) {
        exitCodes[i] = ExitCodeOf(status);
        ++ended;
      }
    }
    return ended >= kStarts - 1;
  });

  int ran = 0, refused = 0;
  std::string expectedRun;
  for (size_t i = 0; i < arguments.size(); ++i) expectedRun += kFreeTextMissingLine;
  for (int i = 0; i < kStarts; ++i) {
    const std::string text = ReadAll(errors[i]);
    close(errors[i]);
    int status = 0;
    if (exitCodes[i] < 0 && waitpid(starts[i], &status, 0) == starts[i]) {
      exitCodes[i] = ExitCodeOf(status);
    }
    EXPECT_EQ(exitCodes[i], 1);  // every start leaves its files undone
    if (text == expectedRun) ++ran;
    if (text == kSecondInstanceLine) ++refused;
  }
  EXPECT_EQ(ran, 1);
  EXPECT_EQ(refused, kStarts - 1);
}

struct WindowCase {
  const char* name;
  std::vector<std::string> arguments;
};

TEST(CommandLine, WindowModeWithoutADisplayEndsWithAClearMessage) {
  const WindowCase rows[] = {
      {"without arguments", {}},
      {"with an empty first argument", {"", "a.pdf"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    World world;
    world.MakeFile("a.pdf");
    std::vector<std::string> arguments;
    for (const auto& argument : row.arguments) {
      arguments.push_back(argument.empty() ? argument : world.File(argument));
    }
    const Outcome outcome = world.Run(arguments);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_NE(outcome.errors.find("das Fenster kann nicht geöffnet werden"), std::string::npos)
        << outcome.errors;
    EXPECT_EQ(world.Files(), (std::vector<std::string>{"a.pdf"}));
    EXPECT_FALSE(std::filesystem::exists(world.SettingsFile()));
  }
}

// Runs x_window (tests/support/x_window.c) on the display; its first line of output.
std::string XWindow(const std::string& display, const std::string& arguments, bool& ok) {
  const std::string command = "DISPLAY=" + display + " " + X_WINDOW_TOOL + " " + arguments;
  FILE* tool = popen(command.c_str(), "r");
  char line[64] = "";
  if (tool == nullptr) {
    ok = false;
    return "";
  }
  if (fgets(line, sizeof line, tool) == nullptr) line[0] = '\0';
  ok = pclose(tool) == 0;
  return std::string(line, strcspn(line, "\n"));
}

// Starts window mode on the display, waits until the main window is mapped, closes it as its
// close box would, and waits for the program's end. `mapped` tells whether the window appeared.
Outcome ShowAndCloseTheWindow(const World& world, const std::vector<std::string>& arguments,
                              const Xvfb& x, bool& mapped) {
  int errors = -1;
  const pid_t window = world.Start(arguments, errors, {"DISPLAY=" + x.Display()});
  const std::string id = XWindow(x.Display(), "wait-mapped 'Programm KUSTEL' 30", mapped);
  bool closed = false;
  if (mapped) XWindow(x.Display(), "close " + id, closed);
  Outcome outcome;
  int status = 0;
  if (!closed || !WaitFor([&] { return waitpid(window, &status, WNOHANG) == window; },
                          std::chrono::seconds(20))) {
    kill(window, SIGKILL);
    waitpid(window, &status, 0);
  }
  outcome.exitCode = ExitCodeOf(status);
  outcome.errors = ReadAll(errors);
  close(errors);
  return outcome;
}

TEST(CommandLine, WindowModeShowsTheWindowAndSavesWhenItIsClosed) {
  if (!kQtWindows) GTEST_SKIP() << "built without windows";
  Xvfb x;
  if (x.Display().empty()) GTEST_SKIP() << "Xvfb is not installed";
  const WindowCase rows[] = {
      {"without arguments", {}},
      // Qt never sees the arguments: a file named like one of its options changes nothing.
      {"Qt options after an empty first argument", {"", "-platform", "kein-plugin"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    World world;
    bool mapped = false;
    const Outcome outcome = ShowAndCloseTheWindow(world, row.arguments, x, mapped);
    EXPECT_TRUE(mapped);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.errors;
    // The first run stores what the window showed when it was closed: the start values.
    std::ifstream stored(world.SettingsFile(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(stored), {}), "05000099999999xxx");
  }
}

TEST(CommandLine, ASettingsFileThatIsALinkStaysALinkWhenTheWindowSaves) {
  if (!kQtWindows) GTEST_SKIP() << "built without windows";
  Xvfb x;
  if (x.Display().empty()) GTEST_SKIP() << "Xvfb is not installed";
  World world;
  std::filesystem::create_directories(world.SettingsFolder());
  std::filesystem::create_directories(world.Path("dotfiles"));
  // A fill character nothing selects: the window shows the hyphen, so closing writes.
  std::ofstream(world.Path("dotfiles/kustel"), std::ios::binary) << "05-00099999999xxx";
  std::filesystem::create_symlink(world.Path("dotfiles/kustel"), world.SettingsFile());
  bool mapped = false;
  const Outcome outcome = ShowAndCloseTheWindow(world, {}, x, mapped);
  EXPECT_TRUE(mapped);
  EXPECT_EQ(outcome.exitCode, 0) << outcome.errors;
  EXPECT_TRUE(std::filesystem::is_symlink(world.SettingsFile()));
  std::ifstream stored(world.Path("dotfiles/kustel"), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(stored), {}), "05000099999999xxx");
}

TEST(CommandLine, NeedsNoWindowPartAndNoQt) {
  World world;
  world.StoreSettings("35000099999999N_");
  world.MakeFile("a.pdf");
  // The program file alone, without the module that holds the windows.
  std::filesystem::create_directory(world.Path("bin"));
  std::filesystem::copy_file(KUSTEL_EXE, world.Path("bin/kustel"));
  world.UseProgram(world.Path("bin/kustel"));

  const Outcome stamped = world.Run({world.File("a.pdf")});
  EXPECT_EQ(stamped.exitCode, 0);
  EXPECT_EQ(stamped.errors, "");
  EXPECT_EQ(world.Files(), (std::vector<std::string>{"N_a.pdf"}));

  const Outcome window = world.Run({}, {"QT_QPA_PLATFORM=offscreen"});
  EXPECT_EQ(window.exitCode, 1);
  // The Qt build names the missing module; a build without windows says it has none.
  const char* missing = kQtWindows ? "kustel-gui.so" : "ohne Fenster gebaut";
  EXPECT_NE(window.errors.find(missing), std::string::npos) << window.errors;
}

TEST(CommandLine, ShowsNoBoxOnAPlatformThatDrawsNowhere) {
  // Standard error is no terminal and Qt has a platform, but nobody could answer a box there:
  // the messages stay lines, and the program ends by itself. With a live display named as well,
  // a box that was tried would wait for an OK until the test ends the program.
  Xvfb x;
  const struct {
    const char* name;
    std::vector<std::string> environment;
    bool needsDisplay;
  } rows[] = {
      {"offscreen, no display", {"QT_QPA_PLATFORM=offscreen"}, false},
      {"offscreen on a display", {"QT_QPA_PLATFORM=offscreen", "DISPLAY=" + x.Display()}, true},
      {"minimal on a display", {"QT_QPA_PLATFORM=minimal", "DISPLAY=" + x.Display()}, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.needsDisplay && x.Display().empty()) continue;  // Xvfb is not installed
    World world;
    world.StoreSettings("30000099999999xxx");
    const Outcome outcome = world.Run({world.File("a.pdf"), world.File("b.pdf")}, row.environment,
                                      std::chrono::seconds(20));
    EXPECT_EQ(outcome.exitCode, 1) << "still waiting for an OK";
    EXPECT_EQ(outcome.errors, std::string(kFreeTextMissingLine) + kFreeTextMissingLine);
  }
}

// True once /proc/locks lists an flock held by the process.
bool HoldsAnFlock(pid_t process) {
  std::ifstream locks("/proc/locks");
  std::string line;
  const std::string owner = " " + std::to_string(process) + " ";
  while (std::getline(locks, line)) {
    if (line.find("FLOCK") != std::string::npos && line.find(owner) != std::string::npos) {
      return true;
    }
  }
  return false;
}

TEST(CommandLine, ARunningWindowRefusesTheFilesOfASecondStart) {
  if (!kQtWindows) GTEST_SKIP() << "built without windows";
  World world;
  world.StoreSettings("35000099999999N_");
  world.MakeFile("a.pdf");
  int windowErrors = -1;
  const pid_t window = world.Start({}, windowErrors, {"QT_QPA_PLATFORM=offscreen"});
  ASSERT_GT(window, 0);
  const bool running = WaitFor([&] { return HoldsAnFlock(window); });

  const Outcome outcome = world.Run({world.File("a.pdf")});
  kill(window, SIGKILL);
  waitpid(window, nullptr, 0);
  close(windowErrors);

  ASSERT_TRUE(running);
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.errors, kSecondInstanceLine);
  EXPECT_EQ(world.Files(), (std::vector<std::string>{"a.pdf"}));
}

TEST(CommandLine, TheExitCodeTellsWhetherEveryArgumentGotWhatWasAsked) {
  for (const ExitCase& row : ExitCases()) {
    SCOPED_TRACE(row.name);
    World world;
    world.StoreSettings(row.settings);
    for (const auto& name : row.files) {
      if (name.ends_with('/')) {
        world.MakeFolder(name.substr(0, name.size() - 1));
      } else {
        world.MakeFile(name);
      }
    }
    std::vector<std::string> paths;
    for (const auto& name : row.arguments) paths.push_back(world.File(name));
    const Outcome outcome = world.Run(paths);
    EXPECT_EQ(outcome.exitCode, row.exitCode);
    EXPECT_EQ(outcome.errors, *row.message ? std::string(row.message) + "\n" : "");
    EXPECT_EQ(world.Files(), row.filesAfter);
  }
}

TEST(CommandLine, AStoredFreeTextComesBackAsItWasStored) {
  const struct {
    std::string settings;
    std::string stamped;
  } rows[] = {
      {"35000099999999Box_", "Box_a.pdf"},
      {"35000099999999Fax-", "Fax-a.pdf"},
      {"35000099999999Text", "Texta.pdf"},
      {"35000099999999A", "Aa.pdf"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.settings);
    World world;
    world.StoreSettings(row.settings);
    world.MakeFile("a.pdf");
    const Outcome outcome = world.Run({world.File("a.pdf")});
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.errors, "");
    EXPECT_EQ(world.Files(), std::vector<std::string>{row.stamped});
  }
}

TEST(CommandLine, ChosenDateWithoutADateStampsNothing) {
  World world;
  world.StoreSettings("20000099999999xxx");  // "Gewähltes Datum", no date stored
  world.MakeFile("a.pdf");
  world.MakeFile("b.pdf");
  const Outcome outcome = world.Run({world.File("a.pdf"), world.File("b.pdf")});
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.errors,
            "Wählen Sie ein Datum im Kalender aus\nWählen Sie ein Datum im Kalender aus\n");
  EXPECT_EQ(world.Files(), (std::vector<std::string>{"a.pdf", "b.pdf"}));
}

TEST(CommandLine, ARenameTheSystemRefusesIsReportedAndTheNextFileGoesOn) {
  // With the prefix, the first name needs more than the 255 bytes Linux allows.
  std::string longName;
  for (int i = 0; i < 122; ++i) longName += "\xC3\xBC";  // ü, two bytes
  longName += ".pdf";
  World world;
  world.StoreSettings("10000099999999xxx");  // file date, YYYY-MM-DD-
  world.MakeFile(longName);
  world.MakeFile("b.pdf");
  world.SetLastWriteTime("b.pdf", kFileMoment);
  const Outcome outcome = world.Run({world.File(longName), world.File("b.pdf")});
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.errors, "Die Datei \xE2\x80\x9E" + longName +
                                "\xE2\x80\x9C wurde nicht umbenannt: der neue Name ist für das "
                                "Dateisystem zu lang.\n");
  EXPECT_EQ(world.Files(), (std::vector<std::string>{"2024-11-05-b.pdf", longName}));
}

TEST(CommandLine, ShowsNoBoxWhileATerminalIsThere) {
  // On a real display a box would wait for an OK; with a terminal on standard input and output
  // (standard error piped away) someone may be reading the lines, so none is shown.
  Xvfb x;
  if (x.Display().empty()) GTEST_SKIP() << "Xvfb is not installed";
  World world;
  world.StoreSettings("30000099999999xxx");  // every argument gives a message
  world.MakeFile("a.pdf");
  world.UseTerminal();
  const Outcome outcome =
      world.Run({world.File("a.pdf")}, {"DISPLAY=" + x.Display()}, std::chrono::seconds(10));
  EXPECT_EQ(outcome.exitCode, 1) << "still waiting for an OK";
  EXPECT_EQ(outcome.errors, kFreeTextMissingLine);
}

// Runs a shell command line with the display set; its standard output.
std::string OnDisplay(const Xvfb& x, const std::string& command) {
  FILE* pipe = popen(("DISPLAY=" + x.Display() + " " + command).c_str(), "r");
  if (pipe == nullptr) return "";
  std::string output;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  pclose(pipe);
  return output;
}

// Drags the files from a real X drag source (tests/support/drag_source.cpp) with the mouse, as
// xdotool moves it, and lets go over the point (x, y) of the screen.
void DragFilesTo(const Xvfb& x, const std::vector<std::string>& files, int dropX, int dropY) {
  std::string command = std::string(DRAG_SOURCE) + " -platform xcb";
  for (const auto& file : files) command += " '" + file + "'";
  FILE* source = popen(("DISPLAY=" + x.Display() + " " + command).c_str(), "r");
  char line[64] = "";
  ASSERT_NE(fgets(line, sizeof line, source), nullptr);  // "ready"
  bool mapped = false;
  XWindow(x.Display(), "wait-mapped 'Kustel drag source' 20", mapped);
  ASSERT_TRUE(mapped);
  const std::string to = std::to_string(dropX) + " " + std::to_string(dropY);
  OnDisplay(x,
            "xdotool mousemove 40 40 sleep 0.2 mousedown 1 sleep 0.2 mousemove 60 50 sleep 0.2 "
            "mousemove " +
                to + " sleep 0.3 mousemove_relative 1 1 sleep 0.3 mouseup 1 sleep 0.3");
  fgets(line, sizeof line, source);  // "dropped ..."
  OnDisplay(x, "xdotool search --name 'Kustel drag source' windowkill");
  pclose(source);
}

TEST(CommandLine, FilesDraggedFromAnXProgramAreStampedOnlyOnTheDropArea) {
  if (!kQtWindows) GTEST_SKIP() << "built without windows";
  Xvfb x;
  if (x.Display().empty() || system("command -v xdotool >/dev/null") != 0) {
    GTEST_SKIP() << "Xvfb or xdotool is not installed";
  }
  World world;
  world.StoreSettings("35000099999999N_");  // free text "N_", keep
  world.MakeFile("a.pdf");
  world.MakeFile("mit Leerzeichen.pdf");
  world.MakeFile("Kalender.pdf");
  int errors = -1;
  const pid_t window = world.Start({}, errors, {"DISPLAY=" + x.Display()});
  bool mapped = false;
  const std::string id = XWindow(x.Display(), "wait-mapped 'Programm KUSTEL' 30", mapped);
  ASSERT_TRUE(mapped);
  // Without a window manager the window's own origin is where it was centred.
  int left = 0, top = 0;
  std::sscanf(OnDisplay(x, "xdotool getwindowgeometry --shell " + id).c_str(),
              "WINDOW=%*d X=%d Y=%d", &left, &top);
  const std::vector<std::string> files = {world.File("a.pdf"), world.File("mit Leerzeichen.pdf")};

  auto middleOf = [&](int control) {
    const Place place = PlaceInWindow(MainDefinition(), ControlOf(MainDefinition(), control));
    return std::pair{left + place.left + place.width / 2, top + place.top + place.height / 2};
  };
  const auto [calendarX, calendarY] = middleOf(kMonthCalendar1);
  const auto [dropX, dropY] = middleOf(kLboxFiles);
  DragFilesTo(x, {world.File("Kalender.pdf")}, calendarX, calendarY);
  DragFilesTo(x, files, dropX, dropY);
  // The window stamps from its event queue once the drop has returned to the drag source; a drop
  // it took wrongly on the calendar would have been handled before the later one.
  const std::vector<std::string> stamped = {"Kalender.pdf", "N_a.pdf", "N_mit Leerzeichen.pdf"};
  WaitFor([&] { return world.Files() == stamped; }, std::chrono::seconds(10));
  EXPECT_EQ(world.Files(), stamped);

  bool closed = false;
  XWindow(x.Display(), "close " + id, closed);
  int status = 0;
  if (!WaitFor([&] { return waitpid(window, &status, WNOHANG) == window; },
               std::chrono::seconds(20))) {
    kill(window, SIGKILL);
    waitpid(window, &status, 0);
  }
  EXPECT_EQ(ExitCodeOf(status), 0);
  EXPECT_EQ(ReadAll(errors), "");
  close(errors);
}

}  // namespace
}  // namespace kustel
