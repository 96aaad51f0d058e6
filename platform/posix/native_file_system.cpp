#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#include "local_time.h"
#include "native_rename.h"
#include "platform/file_system.h"
#include "platform/name_codec.h"
#include "platform/utf16.h"

namespace kustel {
namespace {

// The bytes of a path, or nothing when the text cannot name a file exactly: a NUL would cut the
// path short, and a lone surrogate outside the byte escapes has no bytes of its own.
std::optional<std::string> EncodePath(std::u16string_view path) {
  std::string bytes = TextToBytes(path);
  if (bytes.find('\0') != std::string::npos) return std::nullopt;
  // Text without surrogates always encodes exactly; only escapes and halves need the check that
  // the bytes read back as the same text.
  if (HoldsSurrogates(path) && BytesToText(bytes) != path) return std::nullopt;
  return bytes;
}

// An empty new name leaves only the folder part; renaming onto that must not be attempted.
bool NamesNoFile(const std::string& path) {
  return path.empty() || path.back() == '/';
}

bool IsUnsupported(int error) {
  return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP;
}

bool RefusesHardLinks(int error) {
  return error == EPERM || error == EXDEV || error == EMLINK || error == ENOSYS ||
         error == ENOTSUP || error == EOPNOTSUPP;
}

// What the user is told of a refusal; the error codes of rename(2), link(2) and unlink(2).
RenameResult Refusal(int error) {
  switch (error) {
    case EEXIST:
    case ENOTEMPTY:
    case EISDIR:
      return RenameResult::kTargetExists;
    case EACCES:
    case EPERM:
      return RenameResult::kNoPermission;
    case EROFS:
      return RenameResult::kReadOnlyMedium;
    case ENAMETOOLONG:
      return RenameResult::kNameTooLong;
    case EILSEQ:
      return RenameResult::kInvalidName;
    case EBUSY:
    case ETXTBSY:
      return RenameResult::kInUse;
    case ENOENT:
      return RenameResult::kSourceGone;
    default:
      return RenameResult::kFailed;
  }
}

bool SameEntry(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

std::optional<RenameResult> RenameExclusive(const char* from, const char* to) {
  if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return RenameResult::kRenamed;
  if (IsUnsupported(errno)) return std::nullopt;
  return Refusal(errno);
}

std::optional<RenameResult> RenameThroughLink(const char* from, const char* to) {
  // Without AT_SYMLINK_FOLLOW a link is linked itself, so a symlink is renamed, not its target.
  if (linkat(AT_FDCWD, from, AT_FDCWD, to, 0) != 0) {
    if (RefusesHardLinks(errno)) return std::nullopt;
    return Refusal(errno);
  }
  if (unlink(from) == 0) return RenameResult::kRenamed;
  const int error = errno;

  // The old name stays, so take the new one away again, but only while it is still our link.
  struct stat original {};
  struct stat added {};
  if (lstat(from, &original) == 0 && lstat(to, &added) == 0 && SameEntry(original, added)) {
    unlink(to);
  }
  return Refusal(error);
}

std::optional<RenameResult> RenameAfterCheck(const char* from, const char* to) {
  struct stat existing {};
  if (lstat(to, &existing) == 0) return RenameResult::kTargetExists;
  if (errno != ENOENT) return Refusal(errno);
  if (rename(from, to) == 0) return RenameResult::kRenamed;
  return Refusal(errno);
}

RenameResult RenameByFirstOfferedWay(std::span<const RenameWay> ways, const char* from,
                                     const char* to) {
  for (const RenameWay way : ways) {
    if (const std::optional<RenameResult> result = way(from, to)) return *result;
  }
  return RenameResult::kFailed;
}

FileStatus NativeFileSystem::StatusOf(const std::u16string& path) {
  const std::optional<std::string> bytes = EncodePath(path);
  struct stat status {};
  if (!bytes || stat(bytes->c_str(), &status) != 0) return {};
  return {true, S_ISDIR(status.st_mode), ToLocalDateTime(status.st_mtime)};
}

RenameResult NativeFileSystem::RenameNoReplace(const std::u16string& from,
                                               const std::u16string& to) {
  const std::optional<std::string> fromBytes = EncodePath(from);
  const std::optional<std::string> toBytes = EncodePath(to);
  if (!fromBytes || fromBytes->empty()) return RenameResult::kSourceGone;
  if (!toBytes || NamesNoFile(*toBytes)) return RenameResult::kInvalidName;
  return RenameByFirstOfferedWay(kRenameWays, fromBytes->c_str(), toBytes->c_str());
}

}  // namespace kustel
