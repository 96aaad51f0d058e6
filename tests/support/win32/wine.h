#pragma once

#include <windows.h>

namespace kustel {

// True when the tests run under Wine rather than on Windows: for the few places where Wine 8
// answers differently from Windows, which the tests name where they use this.
inline bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace kustel
