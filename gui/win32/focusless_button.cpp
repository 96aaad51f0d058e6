#include "gui/win32/focusless_button.h"

#include <commctrl.h>

namespace kustel {
namespace {

constexpr UINT_PTR kSubclassId = 1;

// A button takes the focus when it is pressed; it hands it straight back to the control that
// had it. Where there was none (the window was being activated), the button still keeps none.
LRESULT CALLBACK Procedure(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR) {
  if (message == WM_SETFOCUS) {
    const auto previous = reinterpret_cast<HWND>(wParam);
    SetFocus(previous != nullptr && IsWindow(previous) ? previous : GetParent(button));
    return 0;
  }
  return DefSubclassProc(button, message, wParam, lParam);
}

}  // namespace

void MakeFocusless(HWND button) {
  SetWindowSubclass(button, Procedure, kSubclassId, 0);
}

}  // namespace kustel
