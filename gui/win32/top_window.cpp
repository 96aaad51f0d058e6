#include "gui/win32/top_window.h"

#include "gui/win32/control_set.h"
#include "gui/win32/gdi_objects.h"

namespace kustel {

void RegisterTopWindowClass(const wchar_t* className, WNDPROC procedure, Rgb background,
                            bool withIcon) {
  WNDCLASSEXW known{};
  known.cbSize = sizeof known;
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(instance, className, &known)) return;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = withIcon ? LoadIconW(instance, MAKEINTRESOURCEW(1)) : nullptr;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = SolidBrush(ColourRef(background));
  windowClass.lpszClassName = className;
  RegisterClassExW(&windowClass);
}

FrameStyle FrameStyleOf(WindowFrame frame) {
  switch (frame) {
    case WindowFrame::kMainWindow:
      // No sizing border: the window cannot be resized, and maximising keeps its size
      // (WM_GETMINMAXINFO).
      return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
                  WS_CLIPCHILDREN,
              0};
    case WindowFrame::kDialog:
      return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
              WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT};
  }
  return {WS_OVERLAPPEDWINDOW, 0};
}

SIZE OuterSize(const WindowDefinition& definition) {
  const FrameStyle frame = FrameStyleOf(definition.frame);
  RECT outer{0, 0, definition.clientWidth, definition.clientHeight};
  AdjustWindowRectEx(&outer, frame.style, FALSE, frame.extendedStyle);
  return {outer.right - outer.left, outer.bottom - outer.top};
}

}  // namespace kustel
