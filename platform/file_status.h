#pragma once

#include <optional>
#include <string>

#include "local_date_time.h"

namespace kustel {

// What the naming engine asks of one path, learnt from a single look at it: whether it names an
// existing file that is not a folder (links followed), and its last-write time as local fields.
// The answers are those NativeFileSystem gives one call at a time.
struct FileStatus {
  bool isExistingFile = false;
  std::optional<LocalDateTime> lastWriteTime;  // set whenever the path can be looked at
};

FileStatus ReadFileStatus(const std::u16string& path);

}  // namespace kustel
