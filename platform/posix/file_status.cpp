#include "platform/file_status.h"

#include <sys/stat.h>

#include "local_time.h"
#include "platform/name_codec.h"

namespace kustel {

FileStatus ReadFileStatus(const std::u16string& path) {
  // A text that names no file exactly (a NUL inside, a lone surrogate that is no byte escape)
  // is no file, as in NativeFileSystem.
  const std::string bytes = TextToBytes(path);
  if (bytes.find('\0') != std::string::npos || BytesToText(bytes) != path) return {};
  struct stat status {};
  if (stat(bytes.c_str(), &status) != 0) return {};
  return {!S_ISDIR(status.st_mode), ToLocalDateTime(status.st_mtime)};
}

}  // namespace kustel
