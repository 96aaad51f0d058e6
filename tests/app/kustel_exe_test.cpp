// The built kustel.exe run as a process under Wine, on real files, with its settings in the
// registry of the test's prefix. Its boxes are read and answered as its user would answer them.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "gui/main_definition.h"
#include "platform/instance_guard.h"
#include "platform/name_codec.h"
#include "tests/app/command_line_cases.h"
#include "tests/support/temp_folder.h"

// CMake puts tests/support/win32 on the include path.
#include "program_run.h"

namespace kustel {
namespace {

using Files = std::vector<std::string>;
using Boxes = std::vector<SeenBox>;

constexpr wchar_t kKeyPath[] = L"software\\tolm\\kustel";
constexpr wchar_t kValueName[] = L"cfg_regstring";
const std::u16string kTitle = u"Kustel";
const SeenBox kSecondInstanceBox{u"  KUSTEL - Meldung ", u" Das Programm KUSTEL läuft bereits "};

std::u16string Text(const std::string& utf8) {
  return BytesToText(utf8);
}

struct Outcome {
  DWORD exitCode = STILL_ACTIVE;
  Boxes boxes;
  std::string errors;  // what reached standard error
};

// A folder of files and the settings in the registry, both gone again at the end.
class World {
 public:
  World() { DeleteSettings(); }
  ~World() { DeleteSettings(); }
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  std::u16string File(const std::string& name) const { return files_.TextPath(name); }
  void MakeFile(const std::string& name) const { files_.WriteFile(name, "Inhalt"); }
  void MakeFolder(const std::string& name) const { files_.MakeFolder(name); }
  void SetLastWriteTime(const std::string& name, time_t moment) const {
    files_.SetLastWriteTime(name, moment);
  }
  Files Names() const { return files_.Names(); }

  void StoreSettings(const std::string& utf8) const {
    const std::u16string text = Text(utf8);
    Store(REG_SZ, text.c_str(), (text.size() + 1) * sizeof(char16_t));
  }
  void StoreNumber(DWORD number) const { Store(REG_DWORD, &number, sizeof number); }
  bool SettingsKeyExists() const { return Query(nullptr); }
  std::u16string StoredSettings() const {
    wchar_t value[128] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, kKeyPath, kValueName, RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS)
      return u"<nothing stored>";
    return reinterpret_cast<const char16_t*>(value);
  }
  bool SettingsValueExists() const {
    DWORD type = 0;
    return Query(&type);
  }

  // The program as Explorer starts it for files dropped on its icon: the program path in
  // quotes, each argument quoted where it holds a blank.
  std::u16string CommandLine(const std::vector<std::u16string>& arguments) const {
    std::u16string line = Quoted(program_);
    for (const auto& argument : arguments) line += u" " + Quoted(argument);
    return line;
  }

  std::unique_ptr<RunningProgram> Start(const std::u16string& commandLine, Streams streams,
                                        bool suspended = false) const {
    std::error_code ignored;
    std::filesystem::remove(ErrorFile(), ignored);  // what an earlier run wrote
    return std::make_unique<RunningProgram>(program_, commandLine, streams, ErrorFile(), suspended);
  }

  // Runs the program to its end, answering every box.
  Outcome RunLine(const std::u16string& commandLine,
                  Streams streams = Streams::kErrorToFile) const {
    const auto program = Start(commandLine, streams);
    Outcome outcome;
    outcome.boxes = program->AnswerBoxesUntilEnd();
    outcome.exitCode = program->ExitCode();
    outcome.errors = FileContent(ErrorFile());
    return outcome;
  }
  Outcome Run(const std::vector<std::u16string>& arguments,
              Streams streams = Streams::kErrorToFile) const {
    return RunLine(CommandLine(arguments), streams);
  }

  // From now on, runs the program file at `path` instead of the built one.
  void UseProgram(std::u16string path) { program_ = std::move(path); }
  const TempFolder& Scratch() const { return scratch_; }

 private:
  std::filesystem::path ErrorFile() const { return scratch_.NativePath("stderr.txt"); }

  static void DeleteSettings() { RegDeleteTreeW(HKEY_CURRENT_USER, kKeyPath); }

  static void Store(DWORD type, const void* data, size_t size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, kValueName, 0, type, static_cast<const BYTE*>(data),
                             static_cast<DWORD>(size)),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  // Whether the key (type null) or the value exists.
  static bool Query(DWORD* type) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return false;
    }
    const bool found = type == nullptr || RegQueryValueExW(key, kValueName, nullptr, type, nullptr,
                                                           nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
  }

  TempFolder files_;
  TempFolder scratch_;
  std::u16string program_ = WindowsPathOf(KUSTEL_EXE);
};

Boxes MessageBoxes(const std::u16string& text, size_t count = 1) {
  return Boxes(count, SeenBox{kTitle, text});
}

std::string ErrorLines(const std::string& line, size_t count = 1) {
  std::string lines;
  for (size_t i = 0; i < count; ++i) lines += line + "\r\n";
  return lines;
}

TEST(KustelExe, StampsTheWorkedExamplesAsOnLinux) {
  for (const WorkedExample& row : kWorkedExamples) {
    SCOPED_TRACE(row.name);
    World world;
    world.StoreSettings(row.settings);
    world.MakeFile(row.before);
    world.SetLastWriteTime(row.before, kFileMoment);
    const Outcome outcome = world.Run({world.File(row.before)});
    EXPECT_EQ(outcome.exitCode, static_cast<DWORD>(row.exitCode));
    EXPECT_EQ(outcome.boxes, *row.message ? MessageBoxes(Text(row.message)) : Boxes{});
    EXPECT_EQ(outcome.errors, *row.message ? ErrorLines(row.message) : "");
    EXPECT_EQ(world.Names(), Files{row.after});
  }
}

TEST(KustelExe, TheExitCodeTellsWhetherEveryArgumentGotWhatWasAsked) {
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
    std::vector<std::u16string> paths;
    for (const auto& name : row.arguments) paths.push_back(world.File(name));
    const Outcome outcome = world.Run(paths);
    EXPECT_EQ(outcome.exitCode, static_cast<DWORD>(row.exitCode));
    EXPECT_EQ(outcome.boxes, *row.message ? MessageBoxes(Text(row.message)) : Boxes{});
    EXPECT_EQ(world.Names(), row.filesAfter);
  }
}

TEST(KustelExe, StampsEveryNamedFileAndPassesOverTheRest) {
  World world;
  world.StoreSettings("10100099999999xxx");  // file date, YYYY_MM_DD_, keep
  const Files names = {"a.pdf", "mit Leerzeichen.pdf", "Müller.pdf", "Grüße €.pdf"};
  for (const auto& name : names) {
    world.MakeFile(name);
    world.SetLastWriteTime(name, kFileMoment);
  }
  world.MakeFolder("Ordner");

  const Outcome outcome =
      world.Run({world.File("a.pdf"), world.File("mit Leerzeichen.pdf"), world.File("Müller.pdf"),
                 world.File("Grüße €.pdf"), world.File("Ordner"), world.File("fehlt.pdf")});

  EXPECT_EQ(outcome.exitCode, 1u);  // the folder and the missing file were not stamped
  EXPECT_EQ(outcome.boxes, Boxes{});
  EXPECT_EQ(outcome.errors, "");
  EXPECT_EQ(world.Names(), (Files{"2024_11_05_Grüße €.pdf", "2024_11_05_Müller.pdf",
                                  "2024_11_05_a.pdf", "2024_11_05_mit Leerzeichen.pdf", "Ordner"}));
}

// Windows hands over one line; Kustel splits it by its own rules, which have no empty argument
// in the middle of a line: a pair of quotes is skipped, and both files are stamped.
TEST(KustelExe, SplitsItsCommandLineByItsOwnRules) {
  const struct {
    const char* name;
    std::u16string arguments;  // after the program path; %a and %b stand for the two files
    Files after;
  } rows[] = {
      {"a pair of quotes between the files", u"%a \"\" %b", {"N_a b.pdf", "N_c.pdf"}},
      {"tabs between the files", u"\t%a\t\t%b\t", {"N_a b.pdf", "N_c.pdf"}},
      {"a lone quote at the end is an empty last argument", u"%a %b \"", {"N_a b.pdf", "N_c.pdf"}},
      {"a backslash before a quote is no escape", u"%a\\\" %b", {"a b.pdf", "c.pdf"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    World world;
    world.StoreSettings("35000099999999N_");
    world.MakeFile("a b.pdf");
    world.MakeFile("c.pdf");
    std::u16string arguments = row.arguments;
    arguments.replace(arguments.find(u"%a"), 2, Quoted(world.File("a b.pdf")));
    arguments.replace(arguments.find(u"%b"), 2, world.File("c.pdf"));
    const Outcome outcome = world.RunLine(world.CommandLine({}) + u" " + arguments);
    EXPECT_EQ(world.Names(), row.after);
    EXPECT_EQ(outcome.boxes, Boxes{});
  }
}

TEST(KustelExe, ShowsEachMessageInABoxThatWaitsAndOnStandardErrorWhenThereIsOne) {
  const struct {
    const char* name;
    Streams streams;
    std::string errors;
  } rows[] = {
      {"started from Explorer: boxes only", Streams::kNone, ""},
      {"standard error redirected: boxes and lines", Streams::kErrorToFile,
       ErrorLines("Geben Sie einen beliebigen Text ein", 3)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    World world;
    world.StoreSettings("30000099999999xxx");  // free text chosen, but none given
    world.MakeFile("a.pdf");
    const Outcome outcome =
        world.Run({world.File("a.pdf"), world.File("fehlt.pdf"), world.File("a.pdf")}, row.streams);
    EXPECT_EQ(outcome.exitCode, 1u);
    EXPECT_EQ(outcome.boxes, MessageBoxes(u"Geben Sie einen beliebigen Text ein", 3));
    EXPECT_EQ(outcome.errors, row.errors);
    EXPECT_EQ(world.Names(), Files{"a.pdf"});
  }
}

// A script run in a console must never wait for an OK: the messages stay lines.
TEST(KustelExe, ShowsNoBoxWhileAConsoleIsThere) {
  World world;
  world.StoreSettings("30000099999999xxx");
  world.MakeFile("a.pdf");
  const Outcome outcome =
      world.Run({world.File("a.pdf"), world.File("a.pdf")}, Streams::kConsoleAndErrorToFile);
  EXPECT_EQ(outcome.exitCode, 1u);
  EXPECT_EQ(outcome.boxes, Boxes{});
  EXPECT_EQ(outcome.errors, ErrorLines("Geben Sie einen beliebigen Text ein", 2));
}

TEST(KustelExe, FirstRunStampsWithTheStartValuesAndStoresNothing) {
  World world;
  world.MakeFile("a.pdf");
  const Outcome outcome = world.Run({world.File("a.pdf")});
  EXPECT_EQ(outcome.exitCode, 0u);
  EXPECT_EQ(outcome.boxes, Boxes{});
  const Files names = world.Names();
  ASSERT_EQ(names.size(), 1u);
  EXPECT_TRUE(names[0].ends_with(" - a.pdf")) << names[0];  // today, YYMMDD - (layout 5)
  EXPECT_TRUE(world.SettingsKeyExists());
  EXPECT_FALSE(world.SettingsValueExists());
}

TEST(KustelExe, UnreadableSettingsAreReportedAndTheStartValuesUsed) {
  World world;
  world.StoreNumber(35);
  world.MakeFile("a.pdf");
  const std::string message =
      "Windows-Registrierung konnte nicht gelesen werden, Programm wird fortgesetzt.";
  const Outcome outcome = world.Run({world.File("a.pdf")});
  EXPECT_EQ(outcome.exitCode, 0u);
  EXPECT_EQ(outcome.boxes, MessageBoxes(Text(message)));
  EXPECT_EQ(outcome.errors, ErrorLines(message));
  const Files names = world.Names();
  ASSERT_EQ(names.size(), 1u);
  EXPECT_TRUE(names[0].ends_with(" - a.pdf")) << names[0];
}

TEST(KustelExe, RefusesASecondStartWhileAnInstanceHoldsTheMutex) {
  const struct {
    const char* name;
    std::vector<std::string> arguments;  // "a.pdf" stands for the world's file
  } rows[] = {
      {"with a file", {"a.pdf"}},
      {"without arguments", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    World world;
    world.StoreSettings("35000099999999N_");
    world.MakeFile("a.pdf");
    const GuardAttempt running = AcquireInstanceGuard();  // the running instance
    ASSERT_EQ(running.result, GuardResult::kAcquired);
    std::vector<std::u16string> arguments;
    for (const auto& argument : row.arguments) arguments.push_back(world.File(argument));
    const Outcome outcome = world.Run(arguments);
    EXPECT_EQ(outcome.exitCode, 1u);
    EXPECT_EQ(outcome.boxes, Boxes{kSecondInstanceBox});
    EXPECT_EQ(world.Names(), Files{"a.pdf"});
  }
}

// An instance waiting for OK on a box holds the mutex: a second start is refused until it ends,
// also when it is ended by force.
TEST(KustelExe, AnInstanceHoldsTheMutexUntilItsProcessEnds) {
  World world;
  world.StoreSettings("30000099999999xxx");  // every file gives a box
  world.MakeFile("a.pdf");
  const auto first = world.Start(world.CommandLine({world.File("a.pdf")}), Streams::kNone);
  for (int i = 0; i < 1000 && first->Boxes().empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_EQ(first->Boxes().size(), 1u);

  const Outcome second = world.Run({world.File("a.pdf")});
  EXPECT_EQ(second.exitCode, 1u);
  EXPECT_EQ(second.boxes, Boxes{kSecondInstanceBox});
  EXPECT_EQ(AcquireInstanceGuard().result, GuardResult::kAlreadyRunning);

  TerminateProcess(first->Handle(), 9);
  WaitForSingleObject(first->Handle(), 10000);
  EXPECT_EQ(AcquireInstanceGuard().result, GuardResult::kAcquired);
}

TEST(KustelExe, OfManyStartsAtTheSameInstantExactlyOneRuns) {
  World world;
  world.StoreSettings("30000099999999xxx");  // the one that runs waits on its box
  constexpr int kStarts = 8;
  const std::u16string line = world.CommandLine({world.File("fehlt.pdf")});
  std::vector<std::unique_ptr<RunningProgram>> starts;
  for (int i = 0; i < kStarts; ++i) starts.push_back(world.Start(line, Streams::kNone, true));
  for (auto& start : starts) start->Resume();

  // Every start shows one box and waits: the one that runs its message, the others the
  // second-instance message. Only then are they answered.
  const auto everyOneShowsABox = [&] {
    return std::all_of(starts.begin(), starts.end(),
                       [](const auto& start) { return start->Boxes().size() == 1; });
  };
  for (int i = 0; i < 3000 && !everyOneShowsABox(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  int ran = 0, refused = 0;
  for (auto& start : starts) {
    const Boxes boxes = start->AnswerBoxesUntilEnd();
    EXPECT_EQ(start->ExitCode(), 1u);
    if (boxes == MessageBoxes(u"Geben Sie einen beliebigen Text ein")) ++ran;
    if (boxes == Boxes{kSecondInstanceBox}) ++refused;
  }
  EXPECT_EQ(ran, 1);
  EXPECT_EQ(refused, kStarts - 1);
}

// The program's main window once it is shown, or nullptr after the patience.
HWND ShownMainWindow(const RunningProgram& program) {
  struct Search {
    DWORD processId;
    HWND found = nullptr;
  } search{program.Id()};
  for (int i = 0; i < 1000 && search.found == nullptr && !program.Ended(); ++i) {
    EnumWindows(
        [](HWND window, LPARAM context) {
          auto& search = *reinterpret_cast<Search*>(context);
          DWORD owner = 0;
          wchar_t className[32] = {};
          GetWindowThreadProcessId(window, &owner);
          GetClassNameW(window, className, 32);
          if (owner == search.processId && std::wstring_view(className) == L"KustelMainForm" &&
              IsWindowVisible(window))
            search.found = window;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return search.found;
}

// The control whose field has the keyboard focus in the program's window, once it has settled
// there: the window is visible a moment before it is activated.
HWND FocusedFieldOf(HWND window, HWND expected) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  for (int i = 0; i < 200; ++i) {
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    if (GetParent(info.hwndFocus) == expected) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return GetParent(info.hwndFocus);
}

// Window mode as its user meets it: the window opens centred with the focus on the fill
// character; the close button refuses with the program's own box (the real MessageBoxW, the
// title from the program file's name) and the window stays; typed text lets it save and end.
TEST(KustelExe, WindowModeShowsTheWindowWhoseCloseButtonChecksSavesAndEnds) {
  World world;
  world.StoreSettings("30000099999999xxx");  // free text, and no text: the close button refuses
  const std::u16string program = world.Scratch().TextPath("KUSTEL.EXE");
  std::filesystem::copy_file(std::filesystem::path(WindowsPathOf(KUSTEL_EXE)),
                             world.Scratch().NativePath("KUSTEL.EXE"));
  world.UseProgram(program);
  const auto running = world.Start(world.CommandLine({}), Streams::kNone);
  const HWND window = ShownMainWindow(*running);
  ASSERT_NE(window, nullptr);

  wchar_t caption[64] = {};
  GetWindowTextW(window, caption, 64);
  EXPECT_EQ(std::wstring(caption), L"Programm KUSTEL  -  setzt Datum vor Dateinamen ");
  RECT frame;
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2);
  EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2);
  const HWND fill = GetDlgItem(window, kFuellzeichenComBox);
  EXPECT_EQ(FocusedFieldOf(window, fill), fill);

  PostMessageW(GetDlgItem(window, kCloseSBtn), BM_CLICK, 0, 0);
  std::vector<HWND> boxes;
  for (int i = 0; i < 1000 && boxes.empty(); ++i) {
    boxes = running->Boxes();
    if (boxes.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(ReadBox(boxes[0]), (SeenBox{kTitle, u"Sie haben keinen beliebigen Text vorgegeben!"}));
  EXPECT_FALSE(IsWindowEnabled(window));  // the box is modal
  AnswerBox(boxes[0]);
  EXPECT_FALSE(running->Ended());
  EXPECT_EQ(FocusedFieldOf(window, fill), fill);  // back where it was

  const HWND freeText = GetDlgItem(window, kBeliebigTextEdit);
  for (const wchar_t c : std::wstring(L"Beleg_")) PostMessageW(freeText, WM_CHAR, c, 1);
  PostMessageW(GetDlgItem(window, kCloseSBtn), BM_CLICK, 0, 0);
  EXPECT_EQ(running->AnswerBoxesUntilEnd(), Boxes{});
  EXPECT_EQ(running->ExitCode(), 0u);
  EXPECT_EQ(world.StoredSettings(), u"30000099999999Beleg_");
}

// Closed by its close box, the window saves what it shows, here the start values, and the
// program ends; nothing asks.
TEST(KustelExe, WindowModeSavesWhenTheWindowIsClosedByItsCloseBox) {
  World world;
  const auto running = world.Start(world.CommandLine({}), Streams::kNone);
  const HWND window = ShownMainWindow(*running);
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(world.SettingsValueExists());  // nothing written at start
  PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(running->AnswerBoxesUntilEnd(), Boxes{});
  EXPECT_EQ(running->ExitCode(), 0u);
  EXPECT_EQ(world.StoredSettings(), u"05000099999999xxx");
}

}  // namespace
}  // namespace kustel
