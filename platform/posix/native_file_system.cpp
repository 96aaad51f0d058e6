#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include <bit>
#include <cstdint>
#include <cstring>

#include "local_time.h"
#include "native_rename.h"
#include "platform/file_system.h"
#include "platform/name_codec.h"
#include "platform/utf16.h"

namespace kustel {
namespace {

// The bytes of a path into `bytes`, or false when the text cannot name a file exactly: a NUL
// would cut the path short, and a lone surrogate outside the byte escapes has no bytes of its own.
bool EncodeAnyPath(std::u16string_view path, std::string& bytes) {
  if (path.find(u'\0') != std::u16string_view::npos) return false;
  bytes = TextToBytes(path);
  // Text without surrogates always encodes exactly; only escapes and halves need the check that
  // the bytes read back as the same text.
  return !HoldsSurrogates(path) || BytesToText(bytes) == path;
}

// The same for the usual path of ASCII only, four units at a time, into a buffer that keeps
// its room from call to call: this runs for every path of every call, and a run over thousands
// of files then allocates nothing here. Anything else goes the general way.
bool EncodePath(std::u16string_view path, std::string& bytes) {
  const size_t length = path.size();
  bytes.resize(length);
  const char16_t* in = path.data();
  char* out = bytes.data();
  size_t i = 0;
  if constexpr (std::endian::native == std::endian::little) {
    for (; i + 4 <= length; i += 4) {
      uint64_t units;
      std::memcpy(&units, in + i, sizeof units);
      const uint64_t aboveAscii = units & 0xFF80FF80FF80FF80u;
      const uint64_t zeroUnit = (units - 0x0001000100010001u) & ~units & 0x8000800080008000u;
      if ((aboveAscii | zeroUnit) != 0) return EncodeAnyPath(path, bytes);
      out[i] = static_cast<char>(units);
      out[i + 1] = static_cast<char>(units >> 16);
      out[i + 2] = static_cast<char>(units >> 32);
      out[i + 3] = static_cast<char>(units >> 48);
    }
  }
  for (; i < length; ++i) {
    if (in[i] == u'\0' || in[i] >= 0x80) return EncodeAnyPath(path, bytes);
    out[i] = static_cast<char>(in[i]);
  }
  return true;
}

// The buffers of the two paths of one call; the program looks at one path at a time.
std::string& FirstPathBytes() {
  thread_local std::string bytes;
  return bytes;
}
std::string& SecondPathBytes() {
  thread_local std::string bytes;
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
  std::string& bytes = FirstPathBytes();
  struct stat status {};
  if (!EncodePath(path, bytes) || stat(bytes.c_str(), &status) != 0) return {};
  return {true, S_ISDIR(status.st_mode), ToLocalDateTime(status.st_mtime)};
}

RenameResult NativeFileSystem::RenameNoReplace(const std::u16string& from,
                                               const std::u16string& to) {
  std::string& fromBytes = FirstPathBytes();
  std::string& toBytes = SecondPathBytes();
  if (!EncodePath(from, fromBytes) || fromBytes.empty()) return RenameResult::kSourceGone;
  if (!EncodePath(to, toBytes) || NamesNoFile(toBytes)) return RenameResult::kInvalidName;
  return RenameByFirstOfferedWay(kRenameWays, fromBytes.c_str(), toBytes.c_str());
}

}  // namespace kustel
