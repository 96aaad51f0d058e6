#include "platform/console.h"

#include <errno.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/name_codec.h"

namespace kustel {
namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0';
}

}  // namespace

void WriteErrorLine(std::u16string_view text) {
  std::string line = TextToBytes(text);
  for (char& c : line) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  line += '\n';
  // One write for the whole line where the system allows, so lines of two programs do not mix.
  size_t written = 0;
  while (written < line.size()) {
    const ssize_t n = write(STDERR_FILENO, line.data() + written, line.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // nobody reads standard error: nothing else to tell
    written += static_cast<size_t>(n);
  }
}

bool AnyStandardStreamIsTerminal() {
  return isatty(STDIN_FILENO) == 1 || isatty(STDOUT_FILENO) == 1 || isatty(STDERR_FILENO) == 1;
}

bool DisplayConfigured() {
  return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

}  // namespace kustel
