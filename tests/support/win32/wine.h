#pragma once

#include <windows.h>

#include <cstdio>

namespace kustel {

// True when the tests run under Wine rather than on Windows: for the few places where Wine 8
// answers differently from Windows, which the tests name where they use this.
inline bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Starts a program through `start`, a call of CreateProcessW. Now and then Wine fails a start
// in its own loader, before any of the program runs, and reports it as ERROR_INTERNAL_ERROR,
// which CreateProcessW on Windows does not give: that start, and only that, is tried once more,
// and the test's output says so. A program that ran is never started again.
template <typename Start>
bool StartDespiteWine(const char* program, Start start) {
  if (start()) return true;
  const DWORD error = GetLastError();
  if (error != ERROR_INTERNAL_ERROR || !RunningUnderWine()) {
    SetLastError(error);
    return false;
  }
  std::printf("Wine did not start %s (error %lu); starting it once more\n", program, error);
  std::fflush(stdout);
  return start();
}

}  // namespace kustel
