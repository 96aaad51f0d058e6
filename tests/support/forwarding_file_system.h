#pragma once

#include "platform/file_system.h"

namespace kustel {

// Passes every call on to another file system. Derive from it and override one call to give a
// real folder a fault it cannot produce by itself (we run as root) or to act between two calls.
class ForwardingFileSystem : public FileSystem {
 public:
  explicit ForwardingFileSystem(FileSystem& inner) : inner_(inner) {}

  FileStatus StatusOf(const std::u16string& path) override { return inner_.StatusOf(path); }
  RenameResult RenameNoReplace(const std::u16string& from, const std::u16string& to) override {
    return inner_.RenameNoReplace(from, to);
  }

 private:
  FileSystem& inner_;
};

}  // namespace kustel
