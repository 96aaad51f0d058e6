#pragma once

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

// The system's half: how names become paths, the temporary folder, file times. CMake puts
// tests/support/posix or tests/support/win32 on the include path.
#include "os_files.h"

namespace kustel {

// A fresh folder for temporary files, removed with everything in it at the end. The tests write
// names as UTF-8 (on POSIX as any bytes, as file names there are); TextPath gives the UTF-16
// path the program works with. A '/' in a name reaches into a subfolder on either system.
class TempFolder {
 public:
  TempFolder() : folder_(os_files::MakeTempFolder()) {
    if (folder_.empty()) ADD_FAILURE() << "cannot make a temporary folder";
    path_ = os_files::NameOfPath(folder_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder itself, without a trailing separator, and a name in it, as the tests write names.
  const std::string& path() const { return path_; }
  std::string Path(std::string_view name) const { return os_files::NameOfPath(NativePath(name)); }
  std::u16string TextPath(std::string_view name) const {
    return os_files::TextOfPath(NativePath(name));
  }
  std::filesystem::path NativePath(std::string_view name) const {
    std::string relative(name);
    std::replace(relative.begin(), relative.end(), '/', os_files::kSeparator);
    return os_files::PathOfName(path_ + os_files::kSeparator + relative);
  }

  void WriteFile(std::string_view name, std::string_view content = "") const {
    std::ofstream out(NativePath(name), std::ios::binary);
    out << content;
    if (!out) ADD_FAILURE() << "cannot write " << Path(name);
  }

  // The content of a file, or "<missing>" when it cannot be read.
  std::string ReadFile(std::string_view name) const {
    std::ifstream in(NativePath(name), std::ios::binary);
    if (!in) return "<missing>";
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // A folder only the user may enter (mode 0700 on POSIX).
  void MakeFolder(std::string_view name) const {
    std::error_code error;
    if (!std::filesystem::create_directory(NativePath(name), error)) {
      ADD_FAILURE() << "cannot create " << Path(name);
    }
    std::filesystem::permissions(NativePath(name), std::filesystem::perms::owner_all, error);
  }

  // A symbolic link `name` whose content is `target` (relative targets resolve in this folder).
  void MakeSymlink(std::string_view name, std::string_view target) const {
    std::error_code error;
    std::filesystem::create_symlink(os_files::PathOfName(target), NativePath(name), error);
    if (error) ADD_FAILURE() << "cannot link " << Path(name);
  }

  // What a symbolic link points to, or "<not a link>".
  std::string LinkTarget(std::string_view name) const {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::read_symlink(NativePath(name), error);
    return error ? "<not a link>" : os_files::NameOfPath(target);
  }

  // Sets the last-write time of a file or folder (of a link's target, for a link).
  void SetLastWriteTime(std::string_view name, time_t moment) const {
    if (!os_files::SetLastWriteTime(NativePath(name), moment)) {
      ADD_FAILURE() << "cannot set the time of " << Path(name);
    }
  }

  // The names in the folder, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, error)) {
      names.push_back(os_files::NameOfPath(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path folder_;
  std::string path_;
};

}  // namespace kustel
