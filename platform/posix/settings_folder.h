#pragma once

#include <string>

namespace kustel {

// The folder that stands for the settings key: $XDG_CONFIG_HOME/tolm/kustel, or
// ~/.config/tolm/kustel when XDG_CONFIG_HOME is not set to an absolute path (a relative one is
// ignored, as the XDG base directory rules say: it would put the settings wherever the program
// happened to be started). `configHome` and `home` are the variables' values, null when unset;
// without an absolute home the user's entry in the password database counts. Empty when no
// home can be found at all.
std::string SettingsFolderFor(const char* configHome, const char* home);
std::string SettingsFolderFromEnvironment();

// Creates each missing folder on the way to `path`, private to the user. A failure is left for
// the open that follows to notice.
void CreateFolders(const std::string& path);

}  // namespace kustel
