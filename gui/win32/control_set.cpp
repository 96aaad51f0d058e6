#include "gui/win32/control_set.h"

#include <commctrl.h>
#include <uxtheme.h>

#include "gui/win32/focusless_button.h"
#include "gui/win32/gdi_objects.h"
#include "gui/win32/month_calendar.h"
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

bool IsFirstItemOfItsGroup(const WindowDefinition& window, const ControlDefinition& item) {
  const std::vector<int> items = ChildrenOf(window, item.parent);
  return !items.empty() && items.front() == item.id;
}

// The styles the definition's flags stand for. Only the selected item of a radio group is a tab
// stop, the first one until the program selects another. The dialog manager's arrow keys move
// among the items of one radio group; every other control that can take the focus or holds
// others starts a group of its own, so the arrows never carry the focus out of it.
DWORD StyleOfFlags(const WindowDefinition& window, const ControlDefinition& control) {
  DWORD style = 0;
  const bool radioItem = control.kind == ControlKind::kRadioItem;
  const bool firstItem = radioItem && IsFirstItemOfItsGroup(window, control);
  if (control.Has(kTabStop) && (!radioItem || firstItem)) style |= WS_TABSTOP;
  const bool holdsOrPresses = control.kind == ControlKind::kPanel ||
                              control.kind == ControlKind::kGroupBox ||
                              control.kind == ControlKind::kButton;
  if (firstItem || (!radioItem && (control.Has(kTabStop) || holdsOrPresses))) style |= WS_GROUP;
  if (control.Has(kCentred)) style |= SS_CENTER;
  if (control.Has(kWeekNumbers)) style |= MCS_WEEKNUMBERS;
  return style;
}

// A group box is a button in Win32 and cannot hold controls: its items stand beside it, in the
// control that holds the group, at the same place in the window.
struct Placing {
  int parent;
  Place place;
};
Placing PlacingOf(const WindowDefinition& window, const ControlDefinition& control) {
  const ControlDefinition* holder = FindControl(window, control.parent);
  if (holder == nullptr || holder->kind != ControlKind::kGroupBox)
    return {control.parent, control.place};
  Place place = control.place;
  place.left += holder->place.left;
  place.top += holder->place.top;
  return {holder->parent, place};
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
  for (const ControlDefinition& control : definition.controls)
    windows_[control.id] = Create(window, control);
}

HWND ControlSet::Create(HWND window, const ControlDefinition& control) {
  const KindStyle kind = StyleOf(control.kind);
  const Placing placing = PlacingOf(definition_, control);
  const HWND parent = placing.parent == 0 ? window : windows_.at(placing.parent);
  const bool combo = control.kind == ControlKind::kComboBox;
  const int height = combo ? placing.place.height + kDroppedListHeight : placing.place.height;
  const HWND created =
      CreateWindowExW(kind.extendedStyle, kind.className, WideText(control.text),
                      WS_CHILD | WS_VISIBLE | kind.style | StyleOfFlags(definition_, control),
                      placing.place.left, placing.place.top, placing.place.width, height, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                      GetModuleHandleW(nullptr), nullptr);
  const HFONT font =
      WindowFont(WideText(definition_.fontFace), CharacterHeightOf(definition_, control));
  SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  const UINT add = combo ? CB_ADDSTRING : LB_ADDSTRING;
  for (const char16_t* item : control.items)
    SendMessageW(created, add, 0, reinterpret_cast<LPARAM>(WideText(item)));
  if (combo) FitComboHeight(created, control.place.height);
  if (control.lineHeight != 0) SendMessageW(created, LB_SETITEMHEIGHT, 0, control.lineHeight);
  if (control.kind == ControlKind::kMonthCalendar) SelectCalendarDate(created, control.date);
  if (control.Has(kTakesNoFocus)) MakeFocusless(created);
  // A themed group box or radio item writes in the theme's colour, whatever WM_CTLCOLORSTATIC
  // sets; a text colour of the definition's own needs the classic drawing. A class list that
  // names no class turns the theme off (an empty one does so on Windows only, not on Wine).
  // A push button writes in the system's button text colour either way.
  const bool buttonText =
      control.kind == ControlKind::kGroupBox || control.kind == ControlKind::kRadioItem;
  if (buttonText && TextColourOf(definition_, control)) SetWindowTheme(created, L" ", L" ");
  return created;
}

HWND ControlSet::operator[](int id) const {
  const auto found = windows_.find(id);
  return found != windows_.end() ? found->second : nullptr;
}

const ControlDefinition* ControlSet::Find(HWND control) const {
  const ControlDefinition* definition = FindControl(definition_, GetDlgCtrlID(control));
  if (definition == nullptr || (*this)[definition->id] != control) return nullptr;
  return definition;
}

const ControlDefinition* ControlSet::Holding(HWND window) const {
  for (HWND at = window; at != nullptr; at = GetParent(at))
    if (const ControlDefinition* control = Find(at)) return control;
  return nullptr;
}

HBRUSH ControlSet::Colour(HWND control, HDC dc) const {
  const ControlDefinition* definition = Find(control);
  if (definition == nullptr) return nullptr;
  // Edit fields keep the system's white; everything else is drawn on its background.
  if (definition->kind == ControlKind::kEdit || definition->kind == ControlKind::kComboBox)
    return nullptr;
  const COLORREF background = ColourRef(BackgroundOf(definition_, *definition));
  const std::optional<Rgb> text = TextColourOf(definition_, *definition);
  SetTextColor(dc, text ? ColourRef(*text) : GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, background);
  return SolidBrush(background);
}

}  // namespace kustel
