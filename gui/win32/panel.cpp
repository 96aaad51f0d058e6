#include "gui/win32/panel.h"

#include <windows.h>

namespace kustel {
namespace {

LRESULT CALLBACK PanelProcedure(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return SendMessageW(GetParent(panel), message, wParam, lParam);
    case WM_ERASEBKGND: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(panel), WM_CTLCOLORSTATIC,
                                                         wParam, reinterpret_cast<LPARAM>(panel)));
      RECT area;
      GetClientRect(panel, &area);
      FillRect(dc, &area, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(panel, &paint);
      RECT area;
      GetClientRect(panel, &area);
      DrawEdge(dc, &area, BDR_RAISEDINNER, BF_RECT);
      EndPaint(panel, &paint);
      return 0;
    }
    default:
      return DefWindowProcW(panel, message, wParam, lParam);
  }
}

}  // namespace

void RegisterPanelClass() {
  static const bool registered = [] {
    WNDCLASSEXW panel{};
    panel.cbSize = sizeof panel;
    panel.lpfnWndProc = PanelProcedure;
    panel.hInstance = GetModuleHandleW(nullptr);
    panel.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    panel.lpszClassName = kPanelClass;
    return RegisterClassExW(&panel) != 0;
  }();
  (void)registered;
}

}  // namespace kustel
