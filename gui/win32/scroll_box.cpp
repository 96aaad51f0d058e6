#include "gui/win32/scroll_box.h"

#include "gui/liz_form.h"

namespace kustel {
namespace {

constexpr int kArrowStep = 8;

SCROLLINFO Request(UINT mask) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = mask;
  return info;
}

SCROLLINFO ScrollInfo(HWND box) {
  SCROLLINFO info = Request(SIF_ALL);
  GetScrollInfo(box, SB_VERT, &info);
  return info;
}

int VisibleHeight(HWND box) {
  RECT client;
  GetClientRect(box, &client);
  return client.bottom - client.top;
}

// Where a scroll bar command asks to go, or the position itself for one that moves nothing
// (dragging the thumb, the end of a scroll). The thumb's place comes with the command: the range
// is far below the 16 bits it has there.
int TargetOf(HWND box, int request, int thumb) {
  const SCROLLINFO info = ScrollInfo(box);
  switch (request) {
    case SB_LINEUP:
      return info.nPos - kArrowStep;
    case SB_LINEDOWN:
      return info.nPos + kArrowStep;
    case SB_PAGEUP:
      return info.nPos - VisibleHeight(box);
    case SB_PAGEDOWN:
      return info.nPos + VisibleHeight(box);
    case SB_THUMBPOSITION:
      return thumb;
    case SB_TOP:
      return 0;
    case SB_BOTTOM:
      return ScrollMaximum(box);
    default:
      return info.nPos;
  }
}

LRESULT CALLBACK ScrollBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_VSCROLL:
      ScrollBoxTo(box, TargetOf(box, LOWORD(wParam), HIWORD(wParam)));
      return 0;
    case WM_GETDLGCODE:
      return 0;  // no keys of its own
    default:
      return DefWindowProcW(box, message, wParam, lParam);
  }
}

}  // namespace

void RegisterScrollBoxClass() {
  static const bool registered = [] {
    WNDCLASSEXW scrollBox{};
    scrollBox.cbSize = sizeof scrollBox;
    scrollBox.lpfnWndProc = ScrollBoxProcedure;
    scrollBox.hInstance = GetModuleHandleW(nullptr);
    scrollBox.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    scrollBox.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    scrollBox.lpszClassName = kScrollBoxClass;
    return RegisterClassExW(&scrollBox) != 0;
  }();
  (void)registered;
}

void SetScrollContentHeight(HWND box, int contentHeight) {
  SCROLLINFO info = Request(SIF_RANGE | SIF_PAGE);
  info.nMin = 0;
  info.nMax = contentHeight - 1;
  info.nPage = static_cast<UINT>(VisibleHeight(box));
  SetScrollInfo(box, SB_VERT, &info, TRUE);
}

int ScrollPosition(HWND box) {
  return ScrollInfo(box).nPos;
}

int ScrollMaximum(HWND box) {
  const SCROLLINFO info = ScrollInfo(box);
  return info.nMax - info.nMin + 1 - static_cast<int>(info.nPage);
}

void ScrollBoxTo(HWND box, int position) {
  const int from = ScrollPosition(box);
  const int to = ClampScroll(position, ScrollMaximum(box));
  if (to == from) return;
  SCROLLINFO info = Request(SIF_POS);
  info.nPos = to;
  SetScrollInfo(box, SB_VERT, &info, TRUE);
  ScrollWindowEx(box, 0, from - to, nullptr, nullptr, nullptr, nullptr,
                 SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

}  // namespace kustel
