#include "gui/win32/control_set.h"

#include <commctrl.h>
#include <uxtheme.h>

#include "gui/win32/gdi_objects.h"
#include "gui/win32/panel.h"
#include "gui/win32/scroll_box.h"

namespace kustel {
namespace {

struct KindStyle {
  const wchar_t* className;
  DWORD style;
  DWORD extendedStyle;
};

KindStyle StyleOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kPanel:
      return {kPanelClass, 0, WS_EX_CONTROLPARENT};
    case ControlKind::kGroupBox:
      return {WC_BUTTONW, BS_GROUPBOX, 0};
    case ControlKind::kRadioItem:
      return {WC_BUTTONW, BS_AUTORADIOBUTTON, 0};
    case ControlKind::kMonthCalendar:
      return {MONTHCAL_CLASSW, 0, 0};
    case ControlKind::kLabel:
      return {WC_STATICW, SS_CENTERIMAGE | SS_NOPREFIX, 0};
    case ControlKind::kEdit:
      return {WC_EDITW, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::kComboBox:
      return {WC_COMBOBOXW, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 0};
    case ControlKind::kListBox:
      return {WC_LISTBOXW, LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE};
    case ControlKind::kButton:
      return {WC_BUTTONW, BS_PUSHBUTTON, 0};
    case ControlKind::kScrollBox:
      return {kScrollBoxClass, WS_VSCROLL | WS_CLIPCHILDREN, 0};
    case ControlKind::kPicture:
      return {WC_STATICW, SS_BITMAP, 0};
  }
  return {WC_STATICW, 0, 0};
}

// A combo box's window is its closed field; the height given at creation also reaches over the
// list that drops down. The field's height follows the text area's, which is set so that the
// closed field is as high as the definition says, whatever frame the system draws around it.
void FitComboHeight(HWND combo, int height) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    RECT frame;
    GetWindowRect(combo, &frame);
    const int difference = height - (frame.bottom - frame.top);
    if (difference == 0) return;
    const LRESULT field = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field + difference);
  }
}

constexpr int kDroppedListHeight = 120;

}  // namespace

ControlSet::ControlSet(HWND window, const WindowDefinition& definition) : definition_(definition) {
  RegisterPanelClass();
  RegisterScrollBoxClass();
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  for (const ControlDefinition& control : definition.controls) {
    const KindStyle kind = StyleOf(control.kind);
    const HWND parent = control.parent == 0 ? window : windows_.at(control.parent);
    const int height = control.kind == ControlKind::kComboBox ? control.height + kDroppedListHeight
                                                              : control.height;
    const HWND created = CreateWindowExW(kind.extendedStyle, kind.className, control.text,
                                         WS_CHILD | WS_VISIBLE | kind.style | control.style,
                                         control.left, control.top, control.width, height, parent,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                         instance, nullptr);
    windows_[control.id] = created;
    definitions_[control.id] = &control;
    const int characterHeight =
        control.characterHeight != 0 ? control.characterHeight : definition.characterHeight;
    SendMessageW(created, WM_SETFONT,
                 reinterpret_cast<WPARAM>(WindowFont(definition.fontFace, characterHeight)), FALSE);
    const UINT add = control.kind == ControlKind::kComboBox ? CB_ADDSTRING : LB_ADDSTRING;
    for (const wchar_t* item : control.items)
      SendMessageW(created, add, 0, reinterpret_cast<LPARAM>(item));
    if (control.kind == ControlKind::kComboBox) FitComboHeight(created, control.height);
    if (control.lineHeight != 0) SendMessageW(created, LB_SETITEMHEIGHT, 0, control.lineHeight);
    // A themed group box or radio item writes in the theme's colour, whatever WM_CTLCOLORSTATIC
    // sets; a text colour of the definition's own needs the classic drawing. A class list that
    // names no class turns the theme off (an empty one does so on Windows only, not on Wine).
    if (control.textColour != kInheritedColour) SetWindowTheme(created, L" ", L" ");
  }
}

HWND ControlSet::operator[](int id) const {
  const auto found = windows_.find(id);
  return found != windows_.end() ? found->second : nullptr;
}

const ControlDefinition* ControlSet::Find(HWND control) const {
  const int id = GetDlgCtrlID(control);
  const auto found = definitions_.find(id);
  if (found == definitions_.end() || windows_.at(id) != control) return nullptr;
  return found->second;
}

COLORREF ControlSet::Background(int id) const {
  const auto found = definitions_.find(id);
  if (found == definitions_.end()) return definition_.background;
  if (found->second->background != kInheritedColour) return found->second->background;
  return Background(found->second->parent);
}

HBRUSH ControlSet::Colour(HWND control, HDC dc) const {
  const ControlDefinition* definition = Find(control);
  if (definition == nullptr) return nullptr;
  // Edit fields keep the system's white; everything else is drawn on its background.
  if (definition->kind == ControlKind::kEdit || definition->kind == ControlKind::kComboBox)
    return nullptr;
  const COLORREF background = Background(definition->id);
  SetTextColor(dc, definition->textColour != kInheritedColour ? definition->textColour
                                                              : GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, background);
  return SolidBrush(background);
}

}  // namespace kustel
