#include "platform/settings_backend.h"

#include <fcntl.h>
#include <pwd.h>
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

namespace kustel {
namespace {

// The settings "key" is the folder $XDG_CONFIG_HOME/tolm/kustel, its value the file
// cfg_regstring in it, holding the settings text as UTF-8.
constexpr std::string_view kKeyPath = "/tolm/kustel";
constexpr const char* kValueName = "cfg_regstring";
constexpr std::string_view kTempPrefix = ".cfg_regstring.";

// A settings text has at most 54 characters; anything this large is not one, and reading it
// whole would only cost memory.
constexpr size_t kMaxValueBytes = 64 * 1024;

bool IsAbsolute(const char* path) {
  return path != nullptr && path[0] == '/';
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (IsAbsolute(home)) return home;
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  if (size <= 0) size = 16384;
  std::vector<char> buffer(static_cast<size_t>(size));
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) return {};
  return IsAbsolute(found->pw_dir) ? found->pw_dir : std::string();
}

// As the XDG base directory rules say, a relative XDG_CONFIG_HOME is ignored: it would put the
// settings wherever the program happened to be started.
std::string SettingsFolder() {
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  if (IsAbsolute(configHome)) return configHome + std::string(kKeyPath);
  const std::string home = HomeFolder();
  if (home.empty()) return {};
  return home + "/.config" + std::string(kKeyPath);
}

// Creates each missing folder on the way, private to the user. A failure is left for the open
// that follows to notice.
void CreateFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string folder = path.substr(0, slash);
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return;
    if (slash == std::string::npos) return;
  }
}

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

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
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
    const std::string folder = SettingsFolder();
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
  // or empty file.
  bool WriteValue(const std::u16string& text) override {
    if (folderFd_ < 0) return false;
    std::string tempName;
    const int fd = CreateTempFile(tempName);
    if (fd < 0) return false;
    bool written = WriteAll(fd, EncodeStoredText(text)) && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    if (!written || renameat(folderFd_, tempName.c_str(), folderFd_, kValueName) != 0) {
      unlinkat(folderFd_, tempName.c_str(), 0);
      return false;
    }
    // The rename has taken effect; syncing the folder only makes it durable. Should that fail,
    // a crash could bring back the old text, still a whole one, so the write stands.
    fsync(folderFd_);
    return true;
  }

  void CloseKey() override {
    if (folderFd_ >= 0) close(folderFd_);
    folderFd_ = -1;
  }

 private:
  // O_EXCL creates a new file or fails; it never follows a link planted under the name.
  int CreateTempFile(std::string& name) const {
    for (int attempt = 0; attempt < 100; ++attempt) {
      name = std::string(kTempPrefix) + TempSuffix();
      const int fd = openat(folderFd_, name.c_str(),
                            O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
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
