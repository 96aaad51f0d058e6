#include "platform/settings_backend.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/name_codec.h"
#include "platform/utf16.h"
#include "settings_folder.h"

namespace kustel {
namespace {

// The settings "key" is the settings folder (settings_folder.h), its value the file
// cfg_regstring in it, holding the settings text as UTF-8.
constexpr const char* kValueName = "cfg_regstring";
constexpr std::string_view kTempPrefix = ".cfg_regstring.";

// A settings text has at most 54 characters; anything this large is not one, and reading it
// whole would only cost memory.
constexpr size_t kMaxValueBytes = 64 * 1024;

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

bool ReadAtMost(int fd, size_t limit, std::string& bytes) {
  char buffer[4096];
  while (bytes.size() <= limit) {
    const ssize_t count = read(fd, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return false;
    if (count == 0) return true;
    bytes.append(buffer, static_cast<size_t>(count));
  }
  return true;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = write(fd, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(count));
  }
  return true;
}

// An editor saving the file by hand adds a line end; it is not part of the settings text.
void DropFinalLineEnd(std::string& bytes) {
  if (bytes.empty() || bytes.back() != '\n') return;
  bytes.pop_back();
  if (!bytes.empty() && bytes.back() == '\r') bytes.pop_back();
}

// The file must always read back as strict UTF-8. The registry keeps a text only up to its
// first zero character, so that is all that is written; a surrogate without its partner (a
// free text cut at 40 characters inside a pair) becomes U+FFFD instead of bytes that the next
// start would refuse.
std::string EncodeStoredText(std::u16string_view text) {
  std::u16string clean(text.substr(0, text.find(u'\0')));
  for (size_t i = 0; i < clean.size(); ++i) {
    if (IsHighSurrogate(clean[i]) && i + 1 < clean.size() && IsLowSurrogate(clean[i + 1])) {
      ++i;
    } else if (IsHighSurrogate(clean[i]) || IsLowSurrogate(clean[i])) {
      clean[i] = u'\uFFFD';
    }
  }
  return TextToBytes(clean);
}

// Unlikely to be taken; O_EXCL and the retries make it unique. Built from the process, a counter
// and the clock, so that nothing here can throw.
std::string TempSuffix() {
  static uint64_t counter = 0;
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  uint64_t mixed = (static_cast<uint64_t>(getpid()) << 40) ^ (++counter << 32) ^
                   static_cast<uint64_t>(now.tv_sec) * 1000000007u ^
                   static_cast<uint64_t>(now.tv_nsec);
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string suffix;
  for (int i = 0; i < 16; ++i, mixed >>= 4) suffix += kDigits[mixed & 0xF];
  return suffix;
}

class PosixSettingsBackend final : public SettingsBackend {
 public:
  PosixSettingsBackend() = default;
  PosixSettingsBackend(const PosixSettingsBackend&) = delete;
  PosixSettingsBackend& operator=(const PosixSettingsBackend&) = delete;
  ~PosixSettingsBackend() override { CloseKey(); }

  bool OpenKey() override {
    CloseKey();
    const std::string folder = SettingsFolderFromEnvironment();
    if (folder.empty()) return false;
    folderFd_ = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd_ < 0) {
      CreateFolders(folder);
      folderFd_ = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }
    return folderFd_ >= 0;
  }

  // Whatever has the name counts, even a folder or a broken link, as a registry value of any
  // type does; reading it then fails and says so.
  bool ValueExists() override {
    struct stat status {};
    return folderFd_ >= 0 && fstatat(folderFd_, kValueName, &status, AT_SYMLINK_NOFOLLOW) == 0;
  }

  // Only a regular file is read; O_NONBLOCK keeps a pipe placed there from stopping the start.
  ReadResult ReadValue(std::u16string& text) override {
    if (folderFd_ < 0) return ReadResult::kFailed;
    const FileDescriptor file(
        openat(folderFd_, kValueName, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat status {};
    if (file.get() < 0 || fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
      return ReadResult::kFailed;
    }
    std::string bytes;
    if (!ReadAtMost(file.get(), kMaxValueBytes, bytes) || bytes.size() > kMaxValueBytes) {
      return ReadResult::kFailed;
    }
    DropFinalLineEnd(bytes);
    auto decoded = DecodeStrictUtf8(bytes);
    if (!decoded) return ReadResult::kFailed;
    text = std::move(*decoded);
    return ReadResult::kOk;
  }

  // The new text goes to a fresh file beside the old one and replaces it by rename only once it
  // is fully on disk, so a crash or a full disk leaves the old text or the new one, never a torn
  // or empty file. A settings file that is a symbolic link (a dotfiles setup) stays one: the
  // text replaces the file the link leads to, beside that file, so the rename stays atomic.
  bool WriteValue(const std::u16string& text) override {
    if (folderFd_ < 0) return false;
    std::string name;
    const FileDescriptor folder(OpenLinkedFolder(name));
    if (folder.get() < 0) return false;
    std::string tempName;
    const int fd = CreateTempFile(folder.get(), tempName);
    if (fd < 0) return false;
    bool written = WriteAll(fd, EncodeStoredText(text)) && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    if (!written || renameat(folder.get(), tempName.c_str(), folder.get(), name.c_str()) != 0) {
      unlinkat(folder.get(), tempName.c_str(), 0);
      return false;
    }
    // The rename has taken effect; syncing the folder only makes it durable. Should that fail,
    // a crash could bring back the old text, still a whole one, so the write stands.
    fsync(folder.get());
    return true;
  }

  void CloseKey() override {
    if (folderFd_ >= 0) close(folderFd_);
    folderFd_ = -1;
  }

 private:
  // The folder (opened) and the name of the file that the value's name leads to through any
  // symbolic links: the settings folder and cfg_regstring itself when that is no link. A link
  // that leads nowhere yet leads to where the file will be. -1 for a loop, a link that cannot be
  // read, or a folder on the way that cannot be opened.
  int OpenLinkedFolder(std::string& name) const {
    constexpr int kMostLinks = 40;  // as the kernel allows when it follows links itself
    int folder = fcntl(folderFd_, F_DUPFD_CLOEXEC, 0);
    name = kValueName;
    for (int link = 0; folder >= 0 && link <= kMostLinks; ++link) {
      struct stat status {};
      if (fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
          !S_ISLNK(status.st_mode)) {
        return folder;
      }
      char target[PATH_MAX];
      const ssize_t length = readlinkat(folder, name.c_str(), target, sizeof target);
      if (length <= 0 || static_cast<size_t>(length) >= sizeof target) break;
      const std::string_view leadsTo(target, static_cast<size_t>(length));
      const size_t slash = leadsTo.rfind('/');
      name = leadsTo.substr(slash == std::string_view::npos ? 0 : slash + 1);
      if (name.empty()) break;  // a link to a folder
      if (slash != std::string_view::npos) {
        // Relative to the link's own folder; an absolute one ignores it.
        const std::string next(slash == 0 ? "/" : leadsTo.substr(0, slash));
        const int nextFolder = openat(folder, next.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(folder);
        folder = nextFolder;
      }
    }
    if (folder >= 0) close(folder);
    return -1;
  }

  // O_EXCL creates a new file or fails; it never follows a link planted under the name.
  static int CreateTempFile(int folder, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      name = std::string(kTempPrefix) + TempSuffix();
      const int fd =
          openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
      if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
  }

  int folderFd_ = -1;
};

}  // namespace

std::unique_ptr<SettingsBackend> MakeNativeSettingsBackend() {
  return std::make_unique<PosixSettingsBackend>();
}

std::u16string SettingsReadFailedText() {
  return u"Einstellungen konnten nicht gelesen werden, Programm wird fortgesetzt.";
}

std::u16string SettingsSaveFailedText() {
  return u"Einstellungen konnten nicht gespeichert werden";
}

}  // namespace kustel
