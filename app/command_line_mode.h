#pragma once

#include <string>
#include <vector>

namespace kustel {

class Clock;
class FileSystem;
class MessageSink;
class SettingsBackend;

// What command-line mode reaches the outside world through.
struct CommandLineServices {
  FileSystem& files;
  const Clock& clock;
  SettingsBackend& settings;
  MessageSink& messages;
};

// Window mode when the first argument is missing or empty; `arguments` follow the program path.
bool IsCommandLineMode(const std::vector<std::u16string>& arguments);

// Stamps the files named by the arguments with the stored settings, in argument order, up to the
// first empty argument. The settings are loaded before the first file and never written; the
// working date starts at the clock's now. No window is involved, so it runs without a display.
// Returns true when every argument got what the user asked for: stamped, unstamped, or left
// alone because it carries the prefix and the action keeps it. A failure the engine does not
// handle itself leaves this function; the files after it are not touched.
bool RunCommandLineMode(const std::vector<std::u16string>& arguments,
                        const CommandLineServices& services);

}  // namespace kustel
