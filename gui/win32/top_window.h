#pragma once

#include <windows.h>

#include "gui/window_definition.h"

namespace kustel {

// The two top-level windows are C++ objects behind a window procedure. This makes such a window
// from a definition: its class (registered once, with the definition's background), its caption,
// the styles of its frame and an outer size that gives exactly the definition's client area,
// hidden. `Owner` receives every message through `Owner::HandleMessage`, from WM_NCCREATE on,
// until WM_NCDESTROY. A window with an owner is a dialog, which shows no icon in its title bar.
template <typename Owner>
HWND CreateTopWindow(Owner* owner, const wchar_t* className, const WindowDefinition& definition,
                     HWND ownerWindow);

// The styles of a frame.
struct FrameStyle {
  DWORD style;
  DWORD extendedStyle;
};
FrameStyle FrameStyleOf(WindowFrame frame);

// Registers a top-level window class once, with the program's own icon (resource 1, where the
// program has one) or none.
void RegisterTopWindowClass(const wchar_t* className, WNDPROC procedure, Rgb background,
                            bool withIcon);

// The outer size of the window whose client area is the definition's.
SIZE OuterSize(const WindowDefinition& definition);

template <typename Owner>
LRESULT CALLBACK TopWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (owner == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return owner->HandleMessage(window, message, wParam, lParam);
}

template <typename Owner>
HWND CreateTopWindow(Owner* owner, const wchar_t* className, const WindowDefinition& definition,
                     HWND ownerWindow) {
  RegisterTopWindowClass(className, TopWindowProcedure<Owner>, definition.background,
                         ownerWindow == nullptr);
  const FrameStyle frame = FrameStyleOf(definition.frame);
  const SIZE outer = OuterSize(definition);
  return CreateWindowExW(frame.extendedStyle, className,
                         reinterpret_cast<const wchar_t*>(definition.caption), frame.style,
                         CW_USEDEFAULT, CW_USEDEFAULT, outer.cx, outer.cy, ownerWindow, nullptr,
                         GetModuleHandleW(nullptr), owner);
}

}  // namespace kustel
