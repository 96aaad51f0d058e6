#pragma once

// Runs a Windows program of the build as a process, the way its user starts it, and answers its
// message boxes as its user would: reads caption and text, then presses OK. No box is ever left
// waiting: a program still running when the test's patience ends is ended.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/name_codec.h"
#include "wine.h"

namespace kustel {

// A message box as its user sees it.
struct SeenBox {
  std::u16string caption;
  std::u16string text;
  bool errorIcon = false;

  bool operator==(const SeenBox&) const = default;
};

inline void PrintTo(const SeenBox& box, std::ostream* out) {
  *out << "{\"" << TextToBytes(box.caption) << "\", \"" << TextToBytes(box.text) << "\""
       << (box.errorIcon ? ", error icon" : "") << "}";
}

// Where the program's standard streams go.
enum class Streams {
  kNone,                   // none at all: started from Explorer, or from a console without
                           // redirection (a GUI program gets no console)
  kErrorToFile,            // standard error redirected into a file
  kConsoleAndErrorToFile,  // input and output a console, standard error redirected into a file
};

// A Unix path as Windows programs under Wine name it, on the drive Z:.
inline std::u16string WindowsPathOf(std::string_view unixPath) {
  std::u16string path = u"Z:";
  for (const char c : unixPath) path += c == '/' ? u'\\' : static_cast<char16_t>(c);
  return path;
}

// One piece of a command line: in quotes when it holds a blank or is empty.
inline std::u16string Quoted(const std::u16string& piece) {
  if (!piece.empty() && piece.find_first_of(u" \t") == std::u16string::npos) return piece;
  return u"\"" + piece + u"\"";
}

namespace program_run {

inline const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string TextOfWindow(HWND window) {
  wchar_t text[2048] = {};
  GetWindowTextW(window, text, 2048);
  return reinterpret_cast<const char16_t*>(text);
}

inline bool ShowsAnIcon(HWND box) {
  bool icon = false;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM found) {
        const bool isIcon = (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                            SendMessageW(child, STM_GETICON, 0, 0) != 0;
        if (isIcon) *reinterpret_cast<bool*>(found) = true;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&icon));
  return icon;
}

// The console of this test process, made once: a program given its handles sees a console.
inline HANDLE ConsoleHandle(const wchar_t* name) {
  static const bool made = (FreeConsole(), AllocConsole() != 0);
  if (!made) return nullptr;
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  return CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     &inheritable, OPEN_EXISTING, 0, nullptr);
}

}  // namespace program_run

// The visible message boxes (dialogs of class #32770) of a process.
inline std::vector<HWND> BoxesOf(DWORD processId) {
  struct Search {
    DWORD processId;
    std::vector<HWND> boxes;
  } search{processId, {}};
  EnumWindows(
      [](HWND window, LPARAM context) {
        auto& search = *reinterpret_cast<Search*>(context);
        DWORD owner = 0;
        wchar_t className[16] = {};
        GetWindowThreadProcessId(window, &owner);
        GetClassNameW(window, className, 16);
        if (owner == search.processId && std::wstring_view(className) == L"#32770" &&
            IsWindowVisible(window)) {
          search.boxes.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.boxes;
}

inline SeenBox ReadBox(HWND box) {
  // The text of a MessageBox is its static control 0xFFFF, on Windows as under Wine.
  wchar_t text[2048] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 2048);
  return {program_run::TextOfWindow(box), reinterpret_cast<const char16_t*>(text),
          program_run::ShowsAnIcon(box)};
}

// Presses the box's OK button and waits until the box is gone.
inline void AnswerBox(HWND box) {
  const HWND ok = GetDlgItem(box, IDOK);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
  for (int i = 0; i < 1000 && IsWindow(box) && IsWindowVisible(box); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

// A started program. Ended when the object goes, should it still run.
class RunningProgram {
 public:
  // `commandLine` is the whole line, the program's own path first. With `suspended` the program
  // waits for Resume(), so that several can be let go at the same instant.
  RunningProgram(const std::u16string& program, const std::u16string& commandLine, Streams streams,
                 const std::filesystem::path& errorFile, bool suspended = false) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;  // exactly the handles below, null for none
    if (streams != Streams::kNone) {
      errors_ = CreateFileW(errorFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            &inheritable, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      startup.hStdError = errors_;
    }
    if (streams == Streams::kConsoleAndErrorToFile) {
      startup.hStdInput = program_run::ConsoleHandle(L"CONIN$");
      startup.hStdOutput = program_run::ConsoleHandle(L"CONOUT$");
    }
    const bool started = StartDespiteWine(TextToBytes(program).c_str(), [&] {
      std::u16string line = commandLine;  // CreateProcessW may write into it
      return CreateProcessW(program_run::Wide(program), reinterpret_cast<wchar_t*>(line.data()),
                            nullptr, nullptr, streams != Streams::kNone,
                            suspended ? CREATE_SUSPENDED : 0, nullptr, nullptr, &startup,
                            &process_) != FALSE;
    });
    if (!started) {
      ADD_FAILURE() << "cannot start the program, error " << GetLastError();
      process_ = {};
    }
    for (const HANDLE handle : {startup.hStdInput, startup.hStdOutput}) {
      if (handle != nullptr && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
  }
  ~RunningProgram() {
    if (process_.hProcess != nullptr) {
      if (!Ended()) TerminateProcess(process_.hProcess, 255);
      WaitForSingleObject(process_.hProcess, 10000);
      CloseHandle(process_.hThread);
      CloseHandle(process_.hProcess);
    }
    if (errors_ != INVALID_HANDLE_VALUE) CloseHandle(errors_);
  }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool Started() const { return process_.hProcess != nullptr; }
  DWORD Id() const { return process_.dwProcessId; }
  HANDLE Handle() const { return process_.hProcess; }
  void Resume() { ResumeThread(process_.hThread); }
  bool Ended() const {
    return !Started() || WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
  }
  std::vector<HWND> Boxes() const { return BoxesOf(process_.dwProcessId); }

  // Answers each box as it comes, in order, until the program ends; a program that is still
  // running after `patience` is ended, and the test fails.
  std::vector<SeenBox> AnswerBoxesUntilEnd(
      std::chrono::seconds patience = std::chrono::seconds(60)) {
    std::vector<SeenBox> seen;
    const auto end = std::chrono::steady_clock::now() + patience;
    while (!Ended()) {
      if (std::chrono::steady_clock::now() > end) {
        ADD_FAILURE() << "the program did not end; boxes answered: " << seen.size();
        TerminateProcess(process_.hProcess, 255);
        WaitForSingleObject(process_.hProcess, 10000);
        break;
      }
      for (const HWND box : Boxes()) {
        seen.push_back(ReadBox(box));
        AnswerBox(box);
      }
      WaitForSingleObject(process_.hProcess, 10);
    }
    return seen;
  }

  // The exit code once the program has ended.
  DWORD ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (Started()) GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION process_{};
  HANDLE errors_ = INVALID_HANDLE_VALUE;
};

// The bytes of a file, or "" when there is none.
inline std::string FileContent(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace kustel
