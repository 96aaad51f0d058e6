#include "gui/win32/top_window.h"

#include "gui/win32/gdi_objects.h"

namespace kustel {

void RegisterTopWindowClass(const wchar_t* className, WNDPROC procedure, COLORREF background,
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
  windowClass.hbrBackground = SolidBrush(background);
  windowClass.lpszClassName = className;
  RegisterClassExW(&windowClass);
}

SIZE OuterSize(const WindowDefinition& definition, DWORD style, DWORD extendedStyle) {
  RECT frame{0, 0, definition.clientWidth, definition.clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, extendedStyle);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace kustel
