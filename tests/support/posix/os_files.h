#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/name_codec.h"

namespace kustel::os_files {

// On POSIX a test writes names as the bytes they are, so it can also name files that are no
// UTF-8; the program's text of a path is its bytes decoded (name_codec.h).
inline constexpr char kSeparator = '/';

inline std::filesystem::path PathOfName(std::string_view name) {
  return std::filesystem::path(std::string(name));
}

inline std::string NameOfPath(const std::filesystem::path& path) {
  return path.native();
}

inline std::u16string TextOfPath(const std::filesystem::path& path) {
  return BytesToText(path.native());
}

// A new folder below $TMPDIR (or /tmp), private to the user; empty when none can be made.
inline std::filesystem::path MakeTempFolder() {
  const char* base = getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/kustel-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) return {};
  return pattern;
}

// Sets the last-write time (of a link's target, for a link).
inline bool SetLastWriteTime(const std::filesystem::path& path, time_t moment) {
  const timespec times[2] = {{moment, 0}, {moment, 0}};
  return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

}  // namespace kustel::os_files
