#pragma once

#include <QString>
#include <functional>

#include "platform/message_sink.h"

namespace kustel {

enum class BoxIcon { kNone, kError };

// What a box would show; tests receive it through the hook instead of a window.
struct ShownBox {
  QString caption;
  QString text;
  BoxIcon icon = BoxIcon::kNone;
};

// Test seam: while a hook is set, boxes are handed to it and answered at once without showing.
using MessageBoxHook = std::function<void(const ShownBox&)>;
void SetMessageBoxHook(MessageBoxHook hook);

// A modal box with the caption, the text, one OK button and the icon; returns after OK.
// Needs a QApplication.
void ShowModalBox(const QString& caption, const QString& text, BoxIcon icon = BoxIcon::kNone);

// The program's own messages in window mode: the application title as caption, no icon.
class BoxMessageSink final : public MessageSink {
 public:
  explicit BoxMessageSink(QString title) : title_(std::move(title)) {}
  void ShowMessage(const std::u16string& text) override;

 private:
  QString title_;
};

}  // namespace kustel
