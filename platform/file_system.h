#pragma once

#include <optional>
#include <string>

#include "local_date_time.h"

namespace kustel {

enum class RenameResult {
  kRenamed,
  kTargetExists,  // nothing was changed: a file or folder already has the new name
  kFailed,  // nothing was changed: refused by the system (no access, in use, invalid name...)
};

// The file operations the naming engine needs. Paths are UTF-16 text; each platform converts
// them at its edge (POSIX: bytes with a lossless escape, see name_codec.h).
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True when the path names an existing file that is not a folder; links are followed.
  virtual bool IsExistingFile(const std::u16string& path) = 0;

  // The last-write time as local calendar fields (with the UTC offset of that date), or nothing
  // when it cannot be read or does not fit the fields.
  virtual std::optional<LocalDateTime> LastWriteTime(const std::u16string& path) = 0;

  // Renames `from` to `to` and never replaces anything already at `to`, even when it appears
  // while the rename runs. A link is renamed itself, never its target.
  virtual RenameResult RenameNoReplace(const std::u16string& from, const std::u16string& to) = 0;
};

// The real file system of the platform the program is built for.
class NativeFileSystem final : public FileSystem {
 public:
  bool IsExistingFile(const std::u16string& path) override;
  std::optional<LocalDateTime> LastWriteTime(const std::u16string& path) override;
  RenameResult RenameNoReplace(const std::u16string& from, const std::u16string& to) override;
};

}  // namespace kustel
