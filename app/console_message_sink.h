#pragma once

#include <string>
#include <string_view>

#include "platform/message_sink.h"

namespace kustel {

// A modal box on the desktop that returns after OK. The GUI side provides it, so the sink below
// stays free of any window toolkit.
class DesktopBox {
 public:
  virtual ~DesktopBox() = default;
  virtual void Show(const std::u16string& caption, const std::u16string& text, bool errorIcon) = 0;
};

// The program's messages in command-line mode: each is one line on standard error and, when a
// desktop box is given (the program was started from a file manager), that box as well, which
// waits for OK before the next file is taken.
class ConsoleMessageSink final : public MessageSink {
 public:
  ConsoleMessageSink(std::u16string title, DesktopBox* box) : title_(std::move(title)), box_(box) {}

  // The program's own messages: the application title as caption, no icon.
  void ShowMessage(const std::u16string& text) override;
  // A failure nobody handled: its text with the error box's full stop, with the error icon.
  void ShowError(std::u16string_view failureText);
  // A message with a caption of its own and no icon.
  void ShowNotice(const std::u16string& caption, const std::u16string& text);

 private:
  void Show(const std::u16string& caption, const std::u16string& text, bool errorIcon);

  std::u16string title_;
  DesktopBox* box_;
};

}  // namespace kustel
