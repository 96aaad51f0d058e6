#include "gui/win32/message_box.h"

#include "platform/win32/wide_text.h"

namespace kustel {
namespace {

HWND& Owner() {
  static HWND owner = nullptr;
  return owner;
}

}  // namespace

void SetBoxOwner(HWND owner) {
  Owner() = owner;
}

void ShowModalBox(const std::u16string& caption, const std::u16string& text, BoxIcon icon) {
  if (AnsweredByHook({caption, text, icon})) return;
  const UINT style = MB_OK | (icon == BoxIcon::kError ? MB_ICONERROR : 0);
  // An owner that is not there (yet, or any more) would make the box fail.
  const HWND owner = IsWindow(Owner()) ? Owner() : nullptr;
  MessageBoxW(owner, Wide(text), Wide(caption), style);
}

}  // namespace kustel
