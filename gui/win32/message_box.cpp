#include "gui/win32/message_box.h"

#include "platform/win32/wide_text.h"

namespace kustel {

void ShowModalBox(const std::u16string& caption, const std::u16string& text, BoxIcon icon,
                  HWND owner) {
  const UINT style = MB_OK | (icon == BoxIcon::kError ? MB_ICONERROR : 0);
  MessageBoxW(owner, Wide(text), Wide(caption), style);
}

}  // namespace kustel
