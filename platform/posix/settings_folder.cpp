#include "settings_folder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace kustel {
namespace {

constexpr const char* kKeyPath = "/tolm/kustel";

bool IsAbsolute(const char* path) {
  return path != nullptr && path[0] == '/';
}

std::string HomeFolder(const char* home) {
  if (IsAbsolute(home)) return home;
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  if (size <= 0) size = 16384;
  std::vector<char> buffer(static_cast<size_t>(size));
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) {
    return {};
  }
  return IsAbsolute(found->pw_dir) ? found->pw_dir : std::string();
}

}  // namespace

std::string SettingsFolderFor(const char* configHome, const char* home) {
  if (IsAbsolute(configHome)) return configHome + std::string(kKeyPath);
  const std::string homeFolder = HomeFolder(home);
  if (homeFolder.empty()) return {};
  return homeFolder + "/.config" + kKeyPath;
}

std::string SettingsFolderFromEnvironment() {
  return SettingsFolderFor(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

void CreateFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string folder = path.substr(0, slash);
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return;
    if (slash == std::string::npos) return;
  }
}

}  // namespace kustel
