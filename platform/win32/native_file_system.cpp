#include <windows.h>

#include "local_time.h"
#include "platform/file_system.h"
#include "wide_text.h"

namespace kustel {
namespace {

// What the user is told of a refused MoveFileW, from its error code.
RenameResult Refusal(DWORD error) {
  switch (error) {
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
      return RenameResult::kTargetExists;
    case ERROR_ACCESS_DENIED:  // the folder or the file is protected
      return RenameResult::kNoPermission;
    case ERROR_SHARING_VIOLATION:  // another program has the file open without sharing it
    case ERROR_LOCK_VIOLATION:
      return RenameResult::kInUse;
    case ERROR_WRITE_PROTECT:
      return RenameResult::kReadOnlyMedium;
    case ERROR_FILENAME_EXCED_RANGE:
      return RenameResult::kNameTooLong;
    case ERROR_INVALID_NAME:  // ? * < > | " in the name, for instance
    case ERROR_BAD_PATHNAME:
      return RenameResult::kInvalidName;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return RenameResult::kSourceGone;
    default:
      return RenameResult::kFailed;
  }
}

// A new path that ends in a separator names a folder, not the new name of a file.
bool NamesAFolder(const std::u16string& path) {
  return !path.empty() && (path.back() == u'\\' || path.back() == u'/');
}

}  // namespace

// One GetFileAttributesExW answers existence, kind and last-write time. A symbolic link is not
// followed: Windows marks a link to a folder as a folder itself, and a link to a file answers
// with its own time.
FileStatus NativeFileSystem::StatusOf(const std::u16string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!CanNameAFile(path) || !GetFileAttributesExW(Wide(path), GetFileExInfoStandard, &data)) {
    return {};
  }
  return {true, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
          ToLocalDateTime(data.ftLastWriteTime)};
}

// MoveFileW fails when anything has the new name, in one step of the file system (atomic on
// NTFS), so it never replaces a file that another program put there a moment ago.
// std::filesystem::rename would: it replaces an existing target.
RenameResult NativeFileSystem::RenameNoReplace(const std::u16string& from,
                                               const std::u16string& to) {
  if (!CanNameAFile(from)) return RenameResult::kSourceGone;
  if (!CanNameAFile(to) || NamesAFolder(to)) return RenameResult::kInvalidName;
  if (MoveFileW(Wide(from), Wide(to))) return RenameResult::kRenamed;
  return Refusal(GetLastError());
}

}  // namespace kustel
