#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>

#include "local_time.h"
#include "native_rename.h"
#include "platform/file_system.h"
#include "platform/name_codec.h"

namespace kustel {
namespace {

// The bytes of a path, or nothing when the text cannot name a file exactly: a NUL would cut the
// path short, and a lone surrogate outside the byte escapes has no bytes of its own.
std::optional<std::string> EncodePath(std::u16string_view path) {
  std::string bytes = TextToBytes(path);
  if (bytes.find('\0') != std::string::npos) return std::nullopt;
  // Text without surrogates always encodes exactly; only escapes and halves need the check that
  // the bytes read back as the same text.
  const bool hasSurrogates = std::any_of(
      path.begin(), path.end(), [](char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; });
  if (hasSurrogates && BytesToText(bytes) != path) return std::nullopt;
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

bool SameEntry(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

std::optional<RenameResult> RenameExclusive(const char* from, const char* to) {
  if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return RenameResult::kRenamed;
  if (errno == EEXIST) return RenameResult::kTargetExists;
  if (IsUnsupported(errno)) return std::nullopt;
  return RenameResult::kFailed;
}

std::optional<RenameResult> RenameThroughLink(const char* from, const char* to) {
  // Without AT_SYMLINK_FOLLOW a link is linked itself, so a symlink is renamed, not its target.
  if (linkat(AT_FDCWD, from, AT_FDCWD, to, 0) != 0) {
    if (errno == EEXIST) return RenameResult::kTargetExists;
    if (RefusesHardLinks(errno)) return std::nullopt;
    return RenameResult::kFailed;
  }
  if (unlink(from) == 0) return RenameResult::kRenamed;

  // The old name stays, so take the new one away again, but only while it is still our link.
  struct stat original {};
  struct stat added {};
  if (lstat(from, &original) == 0 && lstat(to, &added) == 0 && SameEntry(original, added)) {
    unlink(to);
  }
  return RenameResult::kFailed;
}

std::optional<RenameResult> RenameAfterCheck(const char* from, const char* to) {
  struct stat existing {};
  if (lstat(to, &existing) == 0) return RenameResult::kTargetExists;
  if (errno != ENOENT) return RenameResult::kFailed;
  if (rename(from, to) == 0) return RenameResult::kRenamed;
  if (errno == EEXIST || errno == ENOTEMPTY) return RenameResult::kTargetExists;
  return RenameResult::kFailed;
}

RenameResult RenameByFirstOfferedWay(std::span<const RenameWay> ways, const char* from,
                                     const char* to) {
  for (const RenameWay way : ways) {
    if (const std::optional<RenameResult> result = way(from, to)) return *result;
  }
  return RenameResult::kFailed;
}

bool NativeFileSystem::IsExistingFile(const std::u16string& path) {
  const std::optional<std::string> bytes = EncodePath(path);
  struct stat status {};
  return bytes && stat(bytes->c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

std::optional<LocalDateTime> NativeFileSystem::LastWriteTime(const std::u16string& path) {
  const std::optional<std::string> bytes = EncodePath(path);
  struct stat status {};
  if (!bytes || stat(bytes->c_str(), &status) != 0) return std::nullopt;
  return ToLocalDateTime(status.st_mtime);
}

RenameResult NativeFileSystem::RenameNoReplace(const std::u16string& from,
                                               const std::u16string& to) {
  const std::optional<std::string> fromBytes = EncodePath(from);
  const std::optional<std::string> toBytes = EncodePath(to);
  if (!fromBytes || !toBytes || fromBytes->empty() || NamesNoFile(*toBytes)) {
    return RenameResult::kFailed;
  }
  return RenameByFirstOfferedWay(kRenameWays, fromBytes->c_str(), toBytes->c_str());
}

}  // namespace kustel
