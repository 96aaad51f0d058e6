#include "gui/liz_form.h"

#include <algorithm>

namespace kustel {

std::u16string LizCaption(std::u16string_view versionText) {
  return u"  Bedienung und Lizenzvereinbarung - Version " + std::u16string(versionText);
}

int WheelStep(int delta) {
  return delta / 8;  // C++ division truncates toward zero
}

int ClampScroll(int position, int maximum) {
  return std::clamp(position, 0, std::max(0, maximum));
}

void TLizForm::FormShow() {
  view_.FocusScrollBox();
}

void TLizForm::CloseBtnClick() {
  view_.Close();
}

void TLizForm::ScrollBox1MouseWheel(int delta) {
  const int position = view_.ScrollPosition();
  const int target = ClampScroll(position - WheelStep(delta), view_.ScrollMaximum());
  if (target != position) view_.ScrollTo(target);
}

void TLizForm::MouseWheel(WheelPlace place, int delta) {
  if (!view_.ScrollBoxHasFocus()) return;
  const int handlings = place == WheelPlace::kControl ? 2 : 1;
  for (int i = 0; i < handlings; ++i) ScrollBox1MouseWheel(delta);
}

bool TLizForm::KeyPress(LizKey key, bool closeButtonFocused) {
  switch (key) {
    case LizKey::kLetterS:
      CloseBtnClick();
      return true;
    case LizKey::kEnter:
      if (closeButtonFocused) CloseBtnClick();
      return true;
    case LizKey::kSpace:
      return !closeButtonFocused;  // the focused button presses itself
    case LizKey::kFocusKey:
      if (closeButtonFocused) {
        view_.FocusScrollBox();
      } else {
        view_.FocusCloseButton();
      }
      return true;
    case LizKey::kEscape:
    case LizKey::kOther:
      return true;  // Escape leaves the dialog open, and no key scrolls the picture
  }
  return true;
}

}  // namespace kustel
