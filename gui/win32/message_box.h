#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/message_sink.h"

namespace kustel {

enum class BoxIcon { kNone, kError };

// What a box would show; tests receive it through the hook instead of a window.
struct ShownBox {
  std::u16string caption;
  std::u16string text;
  BoxIcon icon = BoxIcon::kNone;

  bool operator==(const ShownBox&) const = default;
};

// Test seam: while a hook is set, boxes are handed to it and answered at once without showing.
using MessageBoxHook = std::function<void(const ShownBox&)>;
void SetMessageBoxHook(MessageBoxHook hook);

// The window every box of window mode blocks while it is open: the main window, once it exists
// (nullptr again when it goes). A box without an owner blocks nothing, as in command-line mode.
void SetBoxOwner(HWND owner);

// A modal MessageBoxW with the caption, the text and one OK button, the error icon when asked,
// owned by the box owner; returns after OK.
void ShowModalBox(const std::u16string& caption, const std::u16string& text,
                  BoxIcon icon = BoxIcon::kNone);

// The program's own messages in window mode: the application title as caption, no icon.
class BoxMessageSink final : public MessageSink {
 public:
  explicit BoxMessageSink(std::u16string title) : title_(std::move(title)) {}
  void ShowMessage(const std::u16string& text) override;

 private:
  std::u16string title_;
};

}  // namespace kustel
