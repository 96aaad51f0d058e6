#pragma once

#include <windows.h>

#include <map>

#include "gui/win32/window_definition.h"

namespace kustel {

// The controls of a window, made from its definition: each at its place with its font, text,
// items and line height. Answers for each control its window and the colours it is drawn in.
class ControlSet {
 public:
  ControlSet(HWND window, const WindowDefinition& definition);
  ControlSet(const ControlSet&) = delete;
  ControlSet& operator=(const ControlSet&) = delete;

  HWND operator[](int id) const;

  // WM_CTLCOLOR*: sets the text colour and background of `dc` for `control` and returns the
  // background brush; nullptr for a control of another window or one the definition gives no
  // colours, which the caller then leaves to the system.
  HBRUSH Colour(HWND control, HDC dc) const;

  // The background a control is drawn on: its own, else that of the control holding it, else
  // the window's.
  COLORREF Background(int id) const;

 private:
  const ControlDefinition* Find(HWND control) const;

  const WindowDefinition& definition_;
  std::map<int, HWND> windows_;
  std::map<int, const ControlDefinition*> definitions_;
};

}  // namespace kustel
