#include "platform/console.h"

#include <windows.h>

#include <string>

namespace kustel {
namespace {

HANDLE StandardHandle(DWORD which) {
  const HANDLE handle = GetStdHandle(which);
  return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

// A console: a Windows console window, or under Wine a Unix terminal. The null device and
// files and pipes are none.
bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != nullptr && GetConsoleMode(handle, &mode);
}

std::string Utf8Of(std::u16string_view text) {
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, length, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

void WriteBytes(HANDLE handle, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written == 0) {
      return;  // nobody reads standard error: nothing else to tell
    }
    bytes.remove_prefix(written);
  }
}

void WriteToConsole(HANDLE console, std::u16string_view text) {
  while (!text.empty()) {
    DWORD written = 0;
    if (!WriteConsoleW(console, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written == 0) {
      return;
    }
    text.remove_prefix(written);
  }
}

}  // namespace

// A GUI program has a standard error only when its starter handed one over: a redirection in
// a console, a pipe of another program, or under Wine the Unix standard error. A console gets
// the text as it is (its line feed also returns to the start of the line); a file or a pipe
// gets UTF-8 with Windows line ends.
void WriteErrorLine(std::u16string_view text) {
  const HANDLE error = StandardHandle(STD_ERROR_HANDLE);
  if (error == nullptr) return;
  std::u16string line(text);
  for (char16_t& c : line) {
    if (c == u'\n' || c == u'\r') c = u' ';
  }
  if (IsConsole(error)) {
    WriteToConsole(error, line + u"\n");
  } else {
    WriteBytes(error, Utf8Of(line + u"\r\n"));  // one write for the whole line where possible
  }
}

bool AnyStandardStreamIsTerminal() {
  return IsConsole(StandardHandle(STD_INPUT_HANDLE)) ||
         IsConsole(StandardHandle(STD_OUTPUT_HANDLE)) ||
         IsConsole(StandardHandle(STD_ERROR_HANDLE));
}

// A Windows program always has a desktop to draw on: there is no display to be named first.
bool DisplayConfigured() {
  return true;
}

}  // namespace kustel
