// Kustel's Windows installer as its user meets it: the real kustel-<version>-setup.exe run
// silently (/S) in the suite's Wine prefix, the installed kustel.exe run on real files through
// the Send To entry, the registered uninstaller run as Windows runs it; and what Windows shows of
// the program files: their icon, their version, the rights they ask for.

#include <windows.h>

// After windows.h, which they need.
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/name_codec.h"
#include "tests/app/command_line_cases.h"
#include "tests/support/temp_folder.h"

// CMake puts tests/support/win32 on the include path.
#include "program_run.h"

namespace kustel {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kustel";
constexpr wchar_t kSettingsKey[] = L"software\\tolm\\kustel";
constexpr wchar_t kSettingsValue[] = L"cfg_regstring";
const std::u16string kVersion = u"" KUSTEL_VERSION;
const std::u16string kLinkDescription = u"Datum oder Text vor Dateinamen setzen";
// What the installer puts into the program folder.
const Names kProgramFiles = {"Deinstallieren.exe", "LIZENZ.txt", "kustel.exe"};

std::u16string Text(const std::string& utf8) {
  return BytesToText(utf8);
}
std::u16string TextOf(const fs::path& path) {
  return os_files::TextOfPath(path);
}
fs::path PathOf(const std::u16string& text) {
  return fs::path(std::wstring(text.begin(), text.end()));
}
const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

const fs::path kSetup = PathOf(WindowsPathOf(KUSTEL_SETUP));
const fs::path kBuiltProgram = PathOf(WindowsPathOf(KUSTEL_EXE));
const fs::path kIcon = PathOf(WindowsPathOf(KUSTEL_ICON));
const fs::path kLicenseText = PathOf(WindowsPathOf(KUSTEL_LICENSE_TEXT));

fs::path KnownFolder(REFKNOWNFOLDERID id) {
  wchar_t* path = nullptr;
  fs::path folder;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) folder = path;
  CoTaskMemFree(path);
  return folder;
}

fs::path DefaultProgramFolder() {
  return KnownFolder(FOLDERID_LocalAppData) / L"Programs" / L"Kustel";
}

// The entries the installer may make, each a Kustel.lnk in a folder of the user's.
struct LinkPlace {
  const char* name;
  const KNOWNFOLDERID& folder;
  fs::path Path() const { return KnownFolder(folder) / L"Kustel.lnk"; }
};
const LinkPlace kStartMenu{"Start menu", FOLDERID_Programs};
const LinkPlace kSendTo{"Send To", FOLDERID_SendTo};
const LinkPlace kDesktop{"desktop", FOLDERID_Desktop};
const LinkPlace kAllLinkPlaces[] = {kStartMenu, kSendTo, kDesktop};

// A shortcut as the shell reads it.
struct Link {
  std::u16string target;
  std::u16string arguments;
  std::u16string description;
  std::u16string icon;
  int iconIndex = -1;

  bool operator==(const Link&) const = default;
};

void PrintTo(const Link& link, std::ostream* out) {
  *out << "{target \"" << TextToBytes(link.target) << "\", arguments \""
       << TextToBytes(link.arguments) << "\", description \"" << TextToBytes(link.description)
       << "\", icon \"" << TextToBytes(link.icon) << "\"," << link.iconIndex << "}";
}

std::optional<Link> ReadLink(const fs::path& file) {
  if (!fs::exists(file)) return std::nullopt;
  IShellLinkW* shellLink = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&shellLink)))) {
    ADD_FAILURE() << "no IShellLinkW";
    return std::nullopt;
  }
  std::optional<Link> link;
  IPersistFile* persist = nullptr;
  if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
      SUCCEEDED(persist->Load(file.c_str(), STGM_READ))) {
    wchar_t text[MAX_PATH * 2] = {};
    link.emplace();
    const auto take = [&] { return std::u16string(reinterpret_cast<const char16_t*>(text)); };
    shellLink->GetPath(text, MAX_PATH * 2, nullptr, SLGP_RAWPATH);
    link->target = take();
    text[0] = 0;
    shellLink->GetArguments(text, MAX_PATH * 2);
    link->arguments = take();
    text[0] = 0;
    shellLink->GetDescription(text, MAX_PATH * 2);
    link->description = take();
    text[0] = 0;
    shellLink->GetIconLocation(text, MAX_PATH * 2, &link->iconIndex);
    link->icon = take();
  } else {
    ADD_FAILURE() << "cannot load " << os_files::NameOfPath(file);
  }
  if (persist != nullptr) persist->Release();
  shellLink->Release();
  return link;
}

// Every shortcut to the installed program looks alike: the program, no arguments (Explorer adds
// the files), its own icon, and a description for the tooltip.
Link LinkTo(const fs::path& programFolder) {
  const std::u16string program = TextOf(programFolder / L"kustel.exe");
  return {program, u"", kLinkDescription, program, 0};
}

std::optional<std::u16string> ReadString(const wchar_t* key, const wchar_t* name) {
  wchar_t value[4096] = {};
  DWORD size = sizeof value - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return reinterpret_cast<const char16_t*>(value);
}

std::optional<DWORD> ReadNumber(const wchar_t* key, const wchar_t* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

bool KeyExists(const wchar_t* key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

void WriteString(const wchar_t* key, const wchar_t* name, const std::u16string& value) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_SZ, value.c_str(),
                            static_cast<DWORD>((value.size() + 1) * sizeof(char16_t))),
            ERROR_SUCCESS);
}

// Whether two files hold the same bytes (a program's bytes make no readable failure message).
bool SameContent(const fs::path& file, const fs::path& original) {
  const std::string content = FileContent(file);
  return !content.empty() && content == FileContent(original);
}

Names NamesIn(const fs::path& folder) {
  Names names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    names.push_back(os_files::NameOfPath(entry.path().filename()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

// What an installation left behind, to compare before and after a refused run.
struct Installation {
  Names files;
  std::string license;
  std::vector<std::optional<Link>> links;
  std::optional<std::u16string> displayVersion;

  bool operator==(const Installation&) const = default;
};

void PrintTo(const Installation& installation, std::ostream* out) {
  *out << "{files";
  for (const auto& name : installation.files) *out << " " << name;
  *out << ", links";
  for (const auto& link : installation.links) *out << (link ? " yes" : " no");
  *out << ", version " << TextToBytes(installation.displayVersion.value_or(u"none")) << "}";
}

Installation InstallationIn(const fs::path& programFolder) {
  Installation installation{NamesIn(programFolder),
                            FileContent(programFolder / L"LIZENZ.txt"),
                            {},
                            ReadString(kUninstallKey, L"DisplayVersion")};
  for (const auto& place : kAllLinkPlaces) installation.links.push_back(ReadLink(place.Path()));
  return installation;
}

struct Finished {
  DWORD exitCode = STILL_ACTIVE;
  std::vector<SeenBox> boxes;
};

// Runs a command line as Windows runs one from the registry (the program is its first piece) and
// waits until that process and every process it started have ended, answering their boxes. Waiting
// for the first process alone is not enough: an NSIS uninstaller copies itself into the folder of
// temporary files, starts the copy and ends at once.
Finished RunToTheEnd(std::u16string commandLine) {
  Finished finished;
  const HANDLE job = CreateJobObjectW(nullptr, nullptr);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;  // none outlives us
  SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const bool started = StartDespiteWine(TextToBytes(commandLine).c_str(), [&] {
    std::u16string line = commandLine;  // CreateProcessW may write into it
    return CreateProcessW(nullptr, reinterpret_cast<wchar_t*>(line.data()), nullptr, nullptr, FALSE,
                          CREATE_SUSPENDED, nullptr, nullptr, &startup, &process) != FALSE;
  });
  if (!started) {
    ADD_FAILURE() << "cannot start " << TextToBytes(commandLine) << ", error " << GetLastError();
    CloseHandle(job);
    return finished;
  }
  EXPECT_TRUE(AssignProcessToJobObject(job, process.hProcess));
  ResumeThread(process.hThread);

  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  for (;;) {
    struct {
      JOBOBJECT_BASIC_PROCESS_ID_LIST list;
      ULONG_PTR more[63];
    } running{};
    if (!QueryInformationJobObject(job, JobObjectBasicProcessIdList, &running, sizeof running,
                                   nullptr)) {
      ADD_FAILURE() << "cannot list the processes of " << TextToBytes(commandLine);
      break;
    }
    const bool firstEnded = WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
    if (firstEnded && running.list.NumberOfProcessIdsInList == 0) break;
    if (std::chrono::steady_clock::now() > end) {
      ADD_FAILURE() << TextToBytes(commandLine) << " did not end";
      break;
    }
    for (ULONG i = 0; i < running.list.NumberOfProcessIdsInList; ++i) {
      for (const HWND box : BoxesOf(static_cast<DWORD>(running.list.ProcessIdList[i]))) {
        finished.boxes.push_back(ReadBox(box));
        AnswerBox(box);
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  GetExitCodeProcess(process.hProcess, &finished.exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(job);
  return finished;
}

// The installer, silent, with further arguments ("/D=folder" last).
Finished RunSetup(const std::u16string& arguments = u"") {
  return RunToTheEnd(Quoted(TextOf(kSetup)) + u" /S" +
                     (arguments.empty() ? u"" : u" " + arguments));
}

// The uninstaller, exactly as the registration tells Windows to run it silently.
Finished RunQuietUninstall() {
  const auto command = ReadString(kUninstallKey, L"QuietUninstallString");
  if (!command) {
    ADD_FAILURE() << "no QuietUninstallString";
    return {};
  }
  return RunToTheEnd(*command);
}

// The Unix path Wine gives a Windows path; nothing when not under Wine.
std::optional<std::string> UnixPathOf(const fs::path& path) {
  using Convert = char*(CDECL*)(const wchar_t*);
  const auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (convert == nullptr) return std::nullopt;
  char* unixPath = convert(path.c_str());
  if (unixPath == nullptr) return std::nullopt;
  std::string result = unixPath;
  HeapFree(GetProcessHeap(), 0, unixPath);
  return result;
}

// Each test starts and ends without Kustel installed and without settings. Under Wine, a
// shortcut in the Start menu makes winemenubuilder write menu entries into the host's
// XDG_DATA_HOME unless the prefix forbids it (cmake/wine-run.sh does): the tests point that
// variable into a scratch folder of their own and expect nothing there.
class Installer : public testing::Test {
 protected:
  static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }

  void SetUp() override {
    RemoveEverything();
    hostData_ = std::make_unique<TempFolder>();
    if (const auto unixPath = UnixPathOf(hostData_->NativePath("share"))) {
      SetEnvironmentVariableW(L"XDG_DATA_HOME", Wide(Text(*unixPath)));
    }
  }
  void TearDown() override {
    RemoveEverything();
    EXPECT_EQ(NamesIn(hostData_->NativePath("share")), Names{})
        << "menu entries were written for the host's desktop";
    SetEnvironmentVariableW(L"XDG_DATA_HOME", nullptr);
  }

  static void RemoveEverything() {
    std::error_code ignored;
    fs::remove_all(DefaultProgramFolder(), ignored);
    for (const auto& place : kAllLinkPlaces) fs::remove(place.Path(), ignored);
    RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
  }

 private:
  std::unique_ptr<TempFolder> hostData_;
};

TEST_F(Installer, SilentInstallPutsTheProgramItsEntriesAndItsRegistrationInPlace) {
  const Finished setup = RunSetup();
  EXPECT_EQ(setup.exitCode, 0u);
  EXPECT_EQ(setup.boxes, std::vector<SeenBox>{});

  const fs::path folder = DefaultProgramFolder();
  EXPECT_EQ(NamesIn(folder), kProgramFiles);
  EXPECT_TRUE(SameContent(folder / L"kustel.exe", kBuiltProgram));
  EXPECT_EQ(FileContent(folder / L"LIZENZ.txt"), FileContent(kLicenseText));

  // The Start menu and Send To; the desktop only when asked for.
  EXPECT_EQ(ReadLink(kStartMenu.Path()), LinkTo(folder));
  EXPECT_EQ(ReadLink(kSendTo.Path()), LinkTo(folder));
  EXPECT_EQ(ReadLink(kDesktop.Path()), std::nullopt);

  const std::u16string folderText = TextOf(folder);
  const std::u16string uninstaller = u"\"" + folderText + u"\\Deinstallieren.exe\"";
  const struct {
    const wchar_t* name;
    std::u16string value;
  } strings[] = {
      {L"DisplayName", u"Kustel"},
      {L"DisplayVersion", kVersion},
      {L"Publisher", Text(KUSTEL_PUBLISHER)},
      {L"DisplayIcon", folderText + u"\\kustel.exe,0"},
      {L"InstallLocation", folderText},
      {L"UninstallString", uninstaller},
      {L"QuietUninstallString", uninstaller + u" /S"},
  };
  for (const auto& row : strings) {
    SCOPED_TRACE(TextToBytes(reinterpret_cast<const char16_t*>(row.name)));
    EXPECT_EQ(ReadString(kUninstallKey, row.name), row.value);
  }
  EXPECT_EQ(ReadNumber(kUninstallKey, L"NoModify"), 1u);
  EXPECT_EQ(ReadNumber(kUninstallKey, L"NoRepair"), 1u);
  // In KB, as Windows lists it: the three files.
  uintmax_t bytes = 0;
  for (const auto& name : kProgramFiles) bytes += fs::file_size(folder / Text(name).c_str());
  const auto estimated = ReadNumber(kUninstallKey, L"EstimatedSize");
  ASSERT_TRUE(estimated.has_value());
  EXPECT_NEAR(*estimated, bytes / 1024.0, 1.0);
}

// Explorer starts the target of a Send To entry once, with every selected file as an argument.
TEST_F(Installer, TheSendToEntryStampsTheSelectedFilesInOneCall) {
  ASSERT_EQ(RunSetup().exitCode, 0u);
  const std::optional<Link> sendTo = ReadLink(kSendTo.Path());
  ASSERT_TRUE(sendTo.has_value());

  const struct {
    const char* name;
    const char* settings;
    Names before;
    Names after;
  } rows[] = {
      {"file date, YYYY-MM-DD-, keep",
       "10000099999999xxx",
       {"Grüße €.pdf", "scan.pdf"},
       {"2024-11-05-Grüße €.pdf", "2024-11-05-scan.pdf"}},
      {"a free text", "30000099999999N_", {"a.pdf", "b c.pdf"}, {"N_a.pdf", "N_b c.pdf"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    WriteString(kSettingsKey, kSettingsValue, Text(row.settings));
    TempFolder files;
    std::u16string line = Quoted(sendTo->target);
    if (!sendTo->arguments.empty()) line += u" " + sendTo->arguments;
    for (const auto& name : row.before) {
      files.WriteFile(name, "Inhalt");
      files.SetLastWriteTime(name, kFileMoment);
      line += u" " + Quoted(files.TextPath(name));
    }
    RunningProgram kustel(sendTo->target, line, Streams::kNone, {});
    EXPECT_EQ(kustel.AnswerBoxesUntilEnd(), std::vector<SeenBox>{});
    EXPECT_EQ(kustel.ExitCode(), 0u);
    EXPECT_EQ(files.Names(), row.after);
  }
}

TEST_F(Installer, SilentUninstallRemovesWhatTheInstallerMadeAndKeepsTheSettings) {
  const struct {
    const char* name;
    const char* userFile;  // put into the program folder by the user, or nothing
  } rows[] = {
      {"only what the installer made", nullptr},
      {"a file of the user's in the program folder", "Notizen.txt"},
  };
  const fs::path folder = DefaultProgramFolder();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_EQ(RunSetup(u"/DESKTOP").exitCode, 0u);
    ASSERT_EQ(ReadLink(kDesktop.Path()), LinkTo(folder));
    WriteString(kSettingsKey, kSettingsValue, u"30000099999999Grüße_");
    if (row.userFile != nullptr) {
      std::ofstream(folder / row.userFile) << "meins";
    }

    const Finished uninstall = RunQuietUninstall();
    EXPECT_EQ(uninstall.exitCode, 0u);
    EXPECT_EQ(uninstall.boxes, std::vector<SeenBox>{});

    if (row.userFile == nullptr) {
      EXPECT_FALSE(fs::exists(folder));
    } else {
      EXPECT_EQ(NamesIn(folder), Names{row.userFile});
    }
    EXPECT_TRUE(fs::exists(folder.parent_path())) << "the folder Programs is the user's";
    for (const auto& place : kAllLinkPlaces) {
      EXPECT_FALSE(fs::exists(place.Path())) << place.name;
    }
    EXPECT_FALSE(KeyExists(kUninstallKey));
    EXPECT_EQ(ReadString(kSettingsKey, kSettingsValue), u"30000099999999Grüße_");
    RemoveEverything();
  }
}

// The desktop icon is asked for with /DESKTOP (or ticked on the components page); an
// installation over one that has it keeps it.
TEST_F(Installer, MakesTheDesktopIconWhenAskedForAndKeepsItOverAnEarlierInstallation) {
  const fs::path folder = DefaultProgramFolder();
  ASSERT_EQ(RunSetup(u"/DESKTOP").exitCode, 0u);
  EXPECT_EQ(ReadLink(kDesktop.Path()), LinkTo(folder));
  ASSERT_EQ(RunSetup().exitCode, 0u);
  EXPECT_EQ(ReadLink(kDesktop.Path()), LinkTo(folder));
}

// A newer version installs over an older one where that one is, replacing its files; the old
// registration becomes the new one.
TEST_F(Installer, InstallingOverAnEarlierVersionReplacesItsFilesWhereTheyAre) {
  TempFolder elsewhere;
  const fs::path folder = elsewhere.NativePath("Eigene Programme/Kustel");
  ASSERT_EQ(RunSetup(u"/D=" + TextOf(folder)).exitCode, 0u);  // /D= comes last, unquoted
  ASSERT_EQ(NamesIn(folder), kProgramFiles);
  // As an earlier version left it.
  std::ofstream(folder / L"kustel.exe", std::ios::binary) << "MZ alt";
  std::ofstream(folder / L"LIZENZ.txt", std::ios::binary) << "alt";
  WriteString(kUninstallKey, L"DisplayVersion", u"0.9");

  EXPECT_EQ(RunSetup().exitCode, 0u);

  EXPECT_TRUE(SameContent(folder / L"kustel.exe", kBuiltProgram));
  EXPECT_EQ(FileContent(folder / L"LIZENZ.txt"), FileContent(kLicenseText));
  EXPECT_EQ(ReadString(kUninstallKey, L"DisplayVersion"), kVersion);
  EXPECT_EQ(ReadString(kUninstallKey, L"InstallLocation"), TextOf(folder));
  EXPECT_EQ(ReadLink(kSendTo.Path()), LinkTo(folder));
  EXPECT_FALSE(fs::exists(DefaultProgramFolder()));

  EXPECT_EQ(RunQuietUninstall().exitCode, 0u);
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_FALSE(KeyExists(kUninstallKey));
}

// While Kustel runs (it holds the mutex KUSTEL), or while another program holds kustel.exe open,
// Windows would refuse to replace or remove the program file: neither the installer nor the
// uninstaller changes anything then. Once Kustel has ended, the same run succeeds.
TEST_F(Installer, NeitherInstallerNorUninstallerTouchesAnythingWhileKustelIsInUse) {
  enum class Run { kSetup, kUninstall };
  enum class Use { kKustelRuns, kFileHeldOpen };
  const struct {
    const char* name;
    Run run;
    Use use;
  } rows[] = {
      {"installing over a running Kustel", Run::kSetup, Use::kKustelRuns},
      {"uninstalling a running Kustel", Run::kUninstall, Use::kKustelRuns},
      {"uninstalling while another program holds kustel.exe open", Run::kUninstall,
       Use::kFileHeldOpen},
  };
  const fs::path folder = DefaultProgramFolder();
  const fs::path program = folder / L"kustel.exe";
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_EQ(RunSetup().exitCode, 0u);
    // An earlier version, so that a refused installation shows.
    std::ofstream(folder / L"LIZENZ.txt", std::ios::binary) << "alt";
    WriteString(kUninstallKey, L"DisplayVersion", u"0.9");
    const Installation before = InstallationIn(folder);

    std::unique_ptr<RunningProgram> kustel;
    HANDLE heldOpen = INVALID_HANDLE_VALUE;
    TempFolder files;
    if (row.use == Use::kKustelRuns) {
      // Kustel waits on its box about the missing free text, holding the mutex.
      WriteString(kSettingsKey, kSettingsValue, u"30000099999999xxx");
      files.WriteFile("a.pdf");
      kustel = std::make_unique<RunningProgram>(
          TextOf(program), Quoted(TextOf(program)) + u" " + files.TextPath("a.pdf"), Streams::kNone,
          fs::path{});
      for (int i = 0; i < 1000 && kustel->Boxes().empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      ASSERT_EQ(kustel->Boxes().size(), 1u);
    } else {
      // As Windows holds a running program's file: no one may delete it.
      heldOpen = CreateFileW(program.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
      ASSERT_NE(heldOpen, INVALID_HANDLE_VALUE);
    }

    const Finished refused = row.run == Run::kSetup ? RunSetup() : RunQuietUninstall();
    EXPECT_EQ(refused.boxes, std::vector<SeenBox>{});  // silent: no box waits for anyone
    if (row.run == Run::kSetup) {
      EXPECT_EQ(refused.exitCode, 2u);
    }
    EXPECT_EQ(InstallationIn(folder), before);

    if (kustel) {
      EXPECT_EQ(kustel->AnswerBoxesUntilEnd().size(), 1u);
    } else {
      CloseHandle(heldOpen);
    }
    const Finished retried = row.run == Run::kSetup ? RunSetup() : RunQuietUninstall();
    EXPECT_EQ(retried.exitCode, 0u);
    if (row.run == Run::kSetup) {
      EXPECT_EQ(ReadString(kUninstallKey, L"DisplayVersion"), kVersion);
      EXPECT_EQ(FileContent(folder / L"LIZENZ.txt"), FileContent(kLicenseText));
    } else {
      EXPECT_FALSE(fs::exists(folder));
      EXPECT_FALSE(KeyExists(kUninstallKey));
    }
    RemoveEverything();
  }
}

// One image of an icon: what Explorer picks by (size and colour depth) and what it draws.
struct IconImage {
  int width = 0;  // 256 is written as 0 in icon directories
  int height = 0;
  int bitCount = 0;
  std::string bytes;

  bool operator==(const IconImage&) const = default;
};

void PrintTo(const IconImage& image, std::ostream* out) {
  *out << image.width << "x" << image.height << "x" << image.bitCount << " (" << image.bytes.size()
       << " bytes)";
}

unsigned Little(const std::string& bytes, size_t at, size_t size) {
  unsigned value = 0;
  for (size_t i = 0; i < size && at + i < bytes.size(); ++i) {
    value |= static_cast<unsigned>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  }
  return value;
}

// The images of an .ico file: a directory of 16-byte entries, each naming its image's offset.
std::vector<IconImage> ImagesOfIconFile(const fs::path& file) {
  const std::string ico = FileContent(file);
  std::vector<IconImage> images;
  for (unsigned i = 0; i < Little(ico, 4, 2); ++i) {
    const size_t entry = 6 + 16 * i;
    images.push_back({static_cast<int>(Little(ico, entry, 1)),
                      static_cast<int>(Little(ico, entry + 1, 1)),
                      static_cast<int>(Little(ico, entry + 6, 2)),
                      ico.substr(Little(ico, entry + 12, 4), Little(ico, entry + 8, 4))});
  }
  return images;
}

// The resource types, wide: the tests are built without UNICODE.
const wchar_t* const kIconType = MAKEINTRESOURCEW(3);        // RT_ICON
const wchar_t* const kIconGroupType = MAKEINTRESOURCEW(14);  // RT_GROUP_ICON
const wchar_t* const kManifestType = MAKEINTRESOURCEW(24);   // RT_MANIFEST

std::string ResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type) {
  const HRSRC found = FindResourceW(module, name, type);
  const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  if (loaded == nullptr) return "";
  return std::string(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
}

// The resources of a program file, read as Explorer reads them.
class ProgramFile {
 public:
  explicit ProgramFile(const fs::path& file) : file_(file) {
    module_ = LoadLibraryExW(file.c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module_ == nullptr) ADD_FAILURE() << "cannot load " << os_files::NameOfPath(file);
  }
  ~ProgramFile() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  ProgramFile(const ProgramFile&) = delete;
  ProgramFile& operator=(const ProgramFile&) = delete;

  // The icon Explorer shows: the first icon group, its images in the order it lists them.
  std::vector<IconImage> Icon() const {
    const wchar_t* first = nullptr;
    EnumResourceNamesW(
        module_, kIconGroupType,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
          *reinterpret_cast<const wchar_t**>(found) = IS_INTRESOURCE(name) ? name : _wcsdup(name);
          return FALSE;
        },
        reinterpret_cast<LONG_PTR>(&first));
    std::vector<IconImage> images;
    if (first == nullptr) return images;
    const std::string group = ResourceBytes(module_, first, kIconGroupType);
    if (!IS_INTRESOURCE(first)) free(const_cast<wchar_t*>(first));
    for (unsigned i = 0; i < Little(group, 4, 2); ++i) {
      const size_t entry = 6 + 14 * i;
      const WORD id = static_cast<WORD>(Little(group, entry + 12, 2));
      images.push_back({static_cast<int>(Little(group, entry, 1)),
                        static_cast<int>(Little(group, entry + 1, 1)),
                        static_cast<int>(Little(group, entry + 6, 2)),
                        ResourceBytes(module_, MAKEINTRESOURCEW(id), kIconType)});
    }
    return images;
  }

  std::string Manifest() const {
    return ResourceBytes(module_, MAKEINTRESOURCEW(1), kManifestType);
  }

  // The version's texts in the file's first language, and its fixed numbers as "a.b.c.d".
  struct Version {
    WORD language = 0;
    std::string fileNumbers;
    std::string productNumbers;
    std::map<std::string, std::u16string> texts;
  };
  Version ReadVersion() const {
    Version version;
    const DWORD size = GetFileVersionInfoSizeW(file_.c_str(), nullptr);
    std::vector<char> data(size);
    if (size == 0 || !GetFileVersionInfoW(file_.c_str(), 0, size, data.data())) {
      ADD_FAILURE() << "no version in " << os_files::NameOfPath(file_);
      return version;
    }
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\", &value, &length)) {
      const auto& fixed = *static_cast<const VS_FIXEDFILEINFO*>(value);
      const auto numbers = [](DWORD high, DWORD low) {
        return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
               std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
      };
      version.fileNumbers = numbers(fixed.dwFileVersionMS, fixed.dwFileVersionLS);
      version.productNumbers = numbers(fixed.dwProductVersionMS, fixed.dwProductVersionLS);
    }
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &value, &length) ||
        length < 4) {
      return version;
    }
    const auto* translation = static_cast<const WORD*>(value);
    version.language = translation[0];
    wchar_t block[32];
    swprintf(block, 32, L"\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
    for (const char* name :
         {"Comments", "CompanyName", "FileDescription", "FileVersion", "InternalName",
          "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"}) {
      const std::u16string path = reinterpret_cast<const char16_t*>(block) + Text(name);
      if (VerQueryValueW(data.data(), Wide(path), &value, &length) && length > 0) {
        version.texts[name] = reinterpret_cast<const char16_t*>(value);
      }
    }
    return version;
  }

 private:
  fs::path file_;
  HMODULE module_ = nullptr;
};

// What Windows shows of Kustel's program files: in Explorer, on the shortcuts and in the list of
// apps (whose DisplayIcon is kustel.exe), Kustel's own icon; in the file's properties, its
// version, in German. None of them asks for administrator rights.
TEST_F(Installer, ProgramInstallerAndUninstallerShowKustelsIconAndVersion) {
  ASSERT_EQ(RunSetup().exitCode, 0u);
  const std::u16string version = kVersion;
  const std::u16string copyright = Text(KUSTEL_COPYRIGHT);
  const std::u16string publisher = Text(KUSTEL_PUBLISHER);
  const std::map<std::string, std::u16string> setupTexts = {
      {"CompanyName", publisher}, {"FileDescription", u"Kustel installieren und deinstallieren"},
      {"FileVersion", version},   {"LegalCopyright", copyright},
      {"ProductName", u"Kustel"}, {"ProductVersion", version},
  };
  const struct {
    const char* name;
    fs::path file;
    std::map<std::string, std::u16string> texts;
  } rows[] = {
      {"kustel.exe",
       DefaultProgramFolder() / L"kustel.exe",
       {
           {"CompanyName", publisher},
           {"FileDescription", u"Kustel – Datum oder Text vor Dateinamen setzen"},
           {"FileVersion", version},
           {"InternalName", u"kustel"},
           {"LegalCopyright", copyright},
           {"OriginalFilename", u"kustel.exe"},
           {"ProductName", u"Kustel"},
           {"ProductVersion", version},
       }},
      {"the installer", kSetup, setupTexts},
      {"the uninstaller", DefaultProgramFolder() / L"Deinstallieren.exe", setupTexts},
  };
  const std::vector<IconImage> kustelIcon = ImagesOfIconFile(kIcon);
  ASSERT_FALSE(kustelIcon.empty());
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const ProgramFile file(row.file);
    EXPECT_EQ(file.Icon(), kustelIcon);
    const ProgramFile::Version found = file.ReadVersion();
    EXPECT_EQ(found.language, 0x0407);  // German (Germany)
    EXPECT_EQ(found.fileNumbers, KUSTEL_VERSION4);
    EXPECT_EQ(found.productNumbers, KUSTEL_VERSION4);
    EXPECT_EQ(found.texts, row.texts);
    const std::string manifest = file.Manifest();
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << manifest;
  }
}

}  // namespace
}  // namespace kustel
