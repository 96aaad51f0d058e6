#pragma once

#include <windows.h>

#include <ctime>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>

#include "platform/name_codec.h"

namespace kustel::os_files {

// On Windows names are UTF-16; a test writes them as UTF-8, which converts both ways exactly,
// so the tests read alike on both systems.
inline constexpr char kSeparator = '\\';

inline std::filesystem::path PathOfName(std::string_view name) {
  const std::u16string text = BytesToText(name);
  return std::filesystem::path(std::wstring(text.begin(), text.end()));
}

inline std::u16string TextOfPath(const std::filesystem::path& path) {
  const std::wstring& native = path.native();
  return std::u16string(native.begin(), native.end());
}

inline std::string NameOfPath(const std::filesystem::path& path) {
  return TextToBytes(TextOfPath(path));
}

// A new folder below the user's folder of temporary files; empty when none can be made.
inline std::filesystem::path MakeTempFolder() {
  std::error_code error;
  const std::filesystem::path base = std::filesystem::temp_directory_path(error);
  std::random_device random;
  for (int attempt = 0; !error && attempt < 100; ++attempt) {
    const std::filesystem::path folder = base / ("kustel-" + std::to_string(random()));
    if (std::filesystem::create_directory(folder, error)) return folder;
  }
  return {};
}

// Sets the last-write time of a file or folder to a moment of the Unix clock.
inline bool SetLastWriteTime(const std::filesystem::path& path, time_t moment) {
  const HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  // File times count 100 ns from 1601; the Unix clock counts seconds from 1970.
  const ULONGLONG ticks = (static_cast<ULONGLONG>(moment) + 11644473600ULL) * 10000000ULL;
  const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  const bool set = SetFileTime(file, nullptr, nullptr, &time) != 0;
  CloseHandle(file);
  return set;
}

}  // namespace kustel::os_files
