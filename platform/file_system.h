#pragma once

#include <optional>
#include <string>

#include "local_date_time.h"

namespace kustel {

// What the naming engine learns of a path from one look at it (links followed).
struct FileStatus {
  bool exists = false;                         // something is there
  bool isFolder = false;                       // and it is a folder
  std::optional<LocalDateTime> lastWriteTime;  // local fields, with the offset of that date

  // The engine's existence test: a file that is not a folder.
  bool IsExistingFile() const { return exists && !isFolder; }
};

// How a rename ended. Whatever it was, a rename that did not happen changed nothing.
enum class RenameResult {
  kRenamed,
  kTargetExists,    // a file, folder or link already has the new name
  kNoPermission,    // the folder or the file is protected
  kReadOnlyMedium,  // the file system is mounted or made read-only
  kNameTooLong,     // the new name is longer than the file system allows
  kInvalidName,     // the new name holds what the file system cannot name a file with
  kInUse,           // another program holds the file
  kSourceGone,      // the file is no longer there
  kFailed,          // refused for another reason
};

// The file operations the naming engine needs. Paths are UTF-16 text; each platform converts
// them at its edge (POSIX: bytes with a lossless escape, see name_codec.h).
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Existence, kind and last-write time of a path, learnt from one call of the system. A path
  // that cannot name a file at all (a NUL inside, for instance) is reported as nothing there.
  virtual FileStatus StatusOf(const std::u16string& path) = 0;

  // Renames `from` to `to` and never replaces anything already at `to`, even when it appears
  // while the rename runs. A link is renamed itself, never its target.
  virtual RenameResult RenameNoReplace(const std::u16string& from, const std::u16string& to) = 0;
};

// The real file system of the platform the program is built for.
class NativeFileSystem final : public FileSystem {
 public:
  FileStatus StatusOf(const std::u16string& path) override;
  RenameResult RenameNoReplace(const std::u16string& from, const std::u16string& to) override;
};

}  // namespace kustel
