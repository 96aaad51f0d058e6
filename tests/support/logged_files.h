#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/name_codec.h"
#include "platform/path_split.h"
#include "tests/support/forwarding_file_system.h"

namespace kustel {

// Forwards to another file system (the real one, as a rule), logging each rename as
// "rename NAME" by the old name into an event log shared with the other doubles.
class LoggedFiles final : public ForwardingFileSystem {
 public:
  LoggedFiles(FileSystem& inner, std::vector<std::string>& log)
      : ForwardingFileSystem(inner), log_(log) {}

  RenameResult RenameNoReplace(const std::u16string& from, const std::u16string& to) override {
    log_.push_back("rename " + TextToBytes(SplitNativePath(from).name));
    return ForwardingFileSystem::RenameNoReplace(from, to);
  }
  // A failure the engine does not handle, for the path that ends in `failingName`.
  FileStatus StatusOf(const std::u16string& path) override {
    if (!failingName.empty() && path.ends_with(failingName))
      throw std::runtime_error("Das Laufwerk ist nicht bereit");
    return ForwardingFileSystem::StatusOf(path);
  }

  std::u16string failingName;

 private:
  std::vector<std::string>& log_;
};

}  // namespace kustel
