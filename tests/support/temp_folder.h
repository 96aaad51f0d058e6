#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "platform/name_codec.h"

namespace kustel {

// A fresh folder below $TMPDIR (or /tmp), removed with everything in it at the end. Names are
// bytes, as POSIX file names are; TextPath gives the UTF-16 path the program works with.
class TempFolder {
 public:
  TempFolder() {
    const char* base = getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/kustel-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed for " << pattern;
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder itself, without a trailing slash.
  const std::string& path() const { return path_; }
  std::string Path(std::string_view name) const { return path_ + "/" + std::string(name); }
  std::u16string TextPath(std::string_view name) const { return BytesToText(Path(name)); }

  void WriteFile(std::string_view name, std::string_view content = "") const {
    std::ofstream out(Path(name), std::ios::binary);
    out << content;
    if (!out) ADD_FAILURE() << "cannot write " << Path(name);
  }

  // The content of a file, or "<missing>" when it cannot be read.
  std::string ReadFile(std::string_view name) const {
    std::ifstream in(Path(name), std::ios::binary);
    if (!in) return "<missing>";
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  void MakeFolder(std::string_view name) const {
    if (mkdir(Path(name).c_str(), 0700) != 0) ADD_FAILURE() << "cannot create " << Path(name);
  }

  // A symbolic link `name` whose content is `target` (relative targets resolve in this folder).
  void MakeSymlink(std::string_view name, std::string_view target) const {
    if (symlink(std::string(target).c_str(), Path(name).c_str()) != 0) {
      ADD_FAILURE() << "cannot link " << Path(name);
    }
  }

  // What a symbolic link points to, or "<not a link>".
  std::string LinkTarget(std::string_view name) const {
    char buffer[4096];
    const ssize_t length = readlink(Path(name).c_str(), buffer, sizeof buffer);
    return length < 0 ? "<not a link>" : std::string(buffer, static_cast<size_t>(length));
  }

  // Sets the last-write time of a file (of a link's target, for a link).
  void SetLastWriteTime(std::string_view name, time_t moment) const {
    const timespec times[2] = {{moment, 0}, {moment, 0}};
    if (utimensat(AT_FDCWD, Path(name).c_str(), times, 0) != 0) {
      ADD_FAILURE() << "cannot set the time of " << Path(name);
    }
  }

  // The names in the folder, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    if (DIR* dir = opendir(path_.c_str())) {
      while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
      }
      closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::string path_;
};

}  // namespace kustel
