#pragma once

#include <windows.h>

#include <map>

#include "gui/window_definition.h"

namespace kustel {

// The controls of a window, made from its definition (gui/window_definition.h): each at its
// place with its font, text, items, line height, date and styles, Win32's kind of each control
// standing for the definition's. Answers for each control its window and the colours it is
// drawn in.
class ControlSet {
 public:
  ControlSet(HWND window, const WindowDefinition& definition);
  ControlSet(const ControlSet&) = delete;
  ControlSet& operator=(const ControlSet&) = delete;

  HWND operator[](int id) const;

  // The control that is `window` or holds it (a combo box for its field); nullptr for a window
  // that is no part of a control.
  const ControlDefinition* Holding(HWND window) const;

  // WM_CTLCOLOR*: sets the text colour and background of `dc` for `control` and returns the
  // background brush; nullptr for a control of another window or an edit field, which the
  // caller then leaves to the system.
  HBRUSH Colour(HWND control, HDC dc) const;

 private:
  const ControlDefinition* Find(HWND control) const;
  HWND Create(HWND window, const ControlDefinition& control);

  const WindowDefinition& definition_;
  std::map<int, HWND> windows_;
};

// A colour of a definition as Win32 writes it.
inline COLORREF ColourRef(Rgb colour) {
  return RGB(colour.red, colour.green, colour.blue);
}

// Text of a definition as Win32 reads it: the same UTF-16.
inline const wchar_t* WideText(const char16_t* text) {
  return reinterpret_cast<const wchar_t*>(text);
}

}  // namespace kustel
