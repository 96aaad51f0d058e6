#pragma once

#include <optional>
#include <string>

#include "platform/file_status.h"
#include "platform/file_system.h"

namespace kustel {

// The file system as command-line mode hands it to the engine, one argument at a time. The
// engine asks about the argument's path several times in a row (a file? its date? still a
// file?); here all of that is answered from one look at the path, taken at the first question.
// Every other path and every rename go to the real file system, and a rename or the next
// argument makes it look afresh. It never caches what another path holds: the check that a new
// name is free always asks the system.
class ArgumentFileSystem final : public FileSystem {
 public:
  using StatusReader = FileStatus (*)(const std::u16string& path);

  explicit ArgumentFileSystem(FileSystem& files, StatusReader readStatus = ReadFileStatus)
      : files_(files), readStatus_(readStatus) {}

  void StartArgument(const std::u16string& path);

  bool IsExistingFile(const std::u16string& path) override;
  std::optional<LocalDateTime> LastWriteTime(const std::u16string& path) override;
  RenameResult RenameNoReplace(const std::u16string& from, const std::u16string& to) override;

 private:
  const FileStatus& ArgumentStatus();

  FileSystem& files_;
  StatusReader readStatus_;
  std::u16string argument_;
  std::optional<FileStatus> status_;
};

}  // namespace kustel
