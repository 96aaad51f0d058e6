#include "app/console_message_sink.h"

#include "platform/console.h"
#include "platform/error_text.h"

namespace kustel {

void ConsoleMessageSink::ShowMessage(const std::u16string& text) {
  Show(title_, text, false);
}

void ConsoleMessageSink::ShowError(std::u16string_view failureText) {
  Show(title_, ErrorText(failureText), true);
}

void ConsoleMessageSink::ShowNotice(const std::u16string& caption, const std::u16string& text) {
  Show(caption, text, false);
}

void ConsoleMessageSink::Show(const std::u16string& caption, const std::u16string& text,
                              bool errorIcon) {
  WriteErrorLine(text);
  if (box_ != nullptr) box_->Show(caption, text, errorIcon);
}

}  // namespace kustel
