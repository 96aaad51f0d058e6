#include "gui/win32/typed_length_edit.h"

#include "gui/typed_length.h"
#include "gui/win32/window_text.h"
#include "platform/win32/wide_text.h"

namespace kustel {

TypedLengthEdit::TypedLengthEdit(HWND edit, size_t limit)
    : edit_(edit), limit_(limit), accepted_(WindowText(edit)) {}

void TypedLengthEdit::SetText(const std::u16string& text) {
  settingText_ = true;
  SetWindowTextW(edit_, Wide(text));
  settingText_ = false;
  accepted_ = text;
}

void TypedLengthEdit::FollowChange() {
  if (settingText_) return;
  const std::u16string changed = WindowText(edit_);
  DWORD cursor = 0;
  SendMessageW(edit_, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&cursor));
  const LimitedEdit limited = LimitTypedText(accepted_, changed, limit_, cursor);
  if (limited.text != changed) {
    SetText(limited.text);
    SendMessageW(edit_, EM_SETSEL, limited.cursor, limited.cursor);
  }
  accepted_ = limited.text;
}

}  // namespace kustel
