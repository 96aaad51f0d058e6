#pragma once

// The modal boxes of window mode, as both front ends show them: a caption, a text, one OK
// button, and the error icon for a failure. Each front end draws them (QMessageBox, MessageBoxW);
// what a box says and the test seam that answers it are here, once.

#include <functional>
#include <string>

#include "platform/message_sink.h"

namespace kustel {

enum class BoxIcon { kNone, kError };

// What a box shows.
struct ShownBox {
  std::u16string caption;
  std::u16string text;
  BoxIcon icon = BoxIcon::kNone;

  bool operator==(const ShownBox&) const = default;
};

// A front end's modal box: returns after OK.
using ShowBoxFunction = void (*)(const std::u16string& caption, const std::u16string& text,
                                 BoxIcon icon);

// Test seam: while a hook is set, boxes are handed to it and answered at once without showing.
using MessageBoxHook = std::function<void(const ShownBox&)>;
void SetMessageBoxHook(MessageBoxHook hook);

// Hands the box to the hook, if one is set; true when it did, and the box is then answered.
bool AnsweredByHook(const ShownBox& box);

// The program's own messages in window mode: the application title as caption, no icon.
class BoxMessageSink final : public MessageSink {
 public:
  BoxMessageSink(ShowBoxFunction show, std::u16string title)
      : show_(show), title_(std::move(title)) {}
  void ShowMessage(const std::u16string& text) override { show_(title_, text, BoxIcon::kNone); }

 private:
  ShowBoxFunction show_;
  std::u16string title_;
};

}  // namespace kustel
