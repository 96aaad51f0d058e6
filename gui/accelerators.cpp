#include "gui/accelerators.h"

#include "platform/latin_case.h"

namespace kustel {

char16_t AcceleratorLetter(std::u16string_view text) {
  const size_t mark = text.find(u'&');
  if (mark == std::u16string_view::npos || mark + 1 >= text.size()) return 0;
  return LatinLower(text[mark + 1]);
}

int ButtonOfLetter(const WindowDefinition& window, char16_t letter) {
  if (letter == 0) return 0;
  for (const ControlDefinition& control : window.controls) {
    if (control.kind == ControlKind::kButton &&
        AcceleratorLetter(control.text) == LatinLower(letter))
      return control.id;
  }
  return 0;
}

bool BareLetterPressesButtons(ControlKind focused) {
  return focused != ControlKind::kEdit && focused != ControlKind::kComboBox;
}

}  // namespace kustel
