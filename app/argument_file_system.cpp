#include "app/argument_file_system.h"

namespace kustel {

void ArgumentFileSystem::StartArgument(const std::u16string& path) {
  argument_ = path;
  status_.reset();
}

const FileStatus& ArgumentFileSystem::ArgumentStatus() {
  if (!status_) status_ = readStatus_(argument_);
  return *status_;
}

bool ArgumentFileSystem::IsExistingFile(const std::u16string& path) {
  return path == argument_ ? ArgumentStatus().isExistingFile : files_.IsExistingFile(path);
}

std::optional<LocalDateTime> ArgumentFileSystem::LastWriteTime(const std::u16string& path) {
  return path == argument_ ? ArgumentStatus().lastWriteTime : files_.LastWriteTime(path);
}

RenameResult ArgumentFileSystem::RenameNoReplace(const std::u16string& from,
                                                 const std::u16string& to) {
  status_.reset();
  return files_.RenameNoReplace(from, to);
}

}  // namespace kustel
