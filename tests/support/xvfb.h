#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

extern char** environ;

namespace kustel {

// A private X server (Xvfb) for the length of a test, for what only a real display shows: a
// box that waits for OK, a window that is mapped. Empty Display() when Xvfb is not installed.
class Xvfb {
 public:
  Xvfb() {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, ends[1], 3);  // -displayfd writes the number here
    char* argv[] = {const_cast<char*>("Xvfb"),
                    const_cast<char*>("-displayfd"),
                    const_cast<char*>("3"),
                    const_cast<char*>("-screen"),
                    const_cast<char*>("0"),
                    const_cast<char*>("1280x1024x24"),
                    const_cast<char*>("-nolisten"),
                    const_cast<char*>("tcp"),
                    nullptr};
    if (posix_spawnp(&server_, "Xvfb", &actions, nullptr, argv, environ) != 0) server_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    std::string number;
    char c;
    while (server_ > 0 && read(ends[0], &c, 1) == 1 && c != '\n') number += c;
    close(ends[0]);
    if (!number.empty()) display_ = ":" + number;
  }
  ~Xvfb() {
    if (server_ > 0) {
      kill(server_, SIGTERM);
      waitpid(server_, nullptr, 0);
    }
  }
  Xvfb(const Xvfb&) = delete;
  Xvfb& operator=(const Xvfb&) = delete;

  // ":N", or empty when no server could be started.
  const std::string& Display() const { return display_; }

 private:
  pid_t server_ = -1;
  std::string display_;
};

}  // namespace kustel
