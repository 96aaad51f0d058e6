#pragma once

#include <windows.h>

namespace kustel {

// The window class of a scroll box: a white area with a vertical scroll bar whose child windows
// are its content. The scroll bar's arrows move 8 pixels, its trough one visible height, its
// thumb only when let go, its top and bottom commands to either end; every movement is clamped
// to the range. The wheel is left to the parent (DefWindowProc hands it on), which applies the
// dialog's wheel rules; no key scrolls.
inline constexpr wchar_t kScrollBoxClass[] = L"KustelScrollBox";

void RegisterScrollBoxClass();

// The height of the content: the range then runs from 0 to content - visible height.
void SetScrollContentHeight(HWND box, int contentHeight);

int ScrollPosition(HWND box);
int ScrollMaximum(HWND box);

// Moves the content (the child windows) and the thumb to `position`, clamped to the range.
void ScrollBoxTo(HWND box, int position);

}  // namespace kustel
