#pragma once

#include <string>

namespace kustel {

// Where the program's own German messages go: a modal box with OK in the window, a line on
// standard error (and maybe a box) on the command line, a list in tests. Showing returns only
// once the user has confirmed the message.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowMessage(const std::u16string& text) = 0;
};

}  // namespace kustel
