#include "gui/win32/type_ahead_combo.h"

#include <commctrl.h>

#include "gui/type_ahead.h"
#include "gui/win32/window_text.h"
#include "platform/win32/wide_text.h"

namespace kustel {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr WPARAM kCutCharacter = 0x18;  // Ctrl+X

}  // namespace

TypeAheadCombo::TypeAheadCombo(HWND combo) : combo_(combo) {
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  if (GetComboBoxInfo(combo, &parts)) {
    field_ = parts.hwndItem;
    list_ = parts.hwndList;
  }
  SetWindowSubclass(field_, FieldProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

TypeAheadCombo::~TypeAheadCombo() {
  if (IsWindow(field_)) RemoveWindowSubclass(field_, FieldProcedure, kSubclassId);
}

LRESULT CALLBACK TypeAheadCombo::FieldProcedure(HWND field, UINT message, WPARAM wParam,
                                                LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  auto* combo = reinterpret_cast<TypeAheadCombo*>(self);
  switch (message) {
    case WM_CHAR:
      combo->deleting_ = wParam == VK_BACK || wParam == kCutCharacter;
      break;
    case WM_KEYDOWN:
      if (wParam == VK_DELETE) combo->deleting_ = true;
      break;
    case WM_CUT:
    case WM_CLEAR:
      combo->deleting_ = true;
      break;
    default:
      break;
  }
  return DefSubclassProc(field, message, wParam, lParam);
}

std::vector<std::u16string> TypeAheadCombo::Items() const {
  std::vector<std::u16string> items;
  const LRESULT count = SendMessageW(combo_, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::u16string item(static_cast<size_t>(SendMessageW(combo_, CB_GETLBTEXTLEN, i, 0)) + 1,
                        u'\0');
    const LRESULT length =
        SendMessageW(combo_, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
    item.resize(length > 0 ? static_cast<size_t>(length) : 0);
    items.push_back(std::move(item));
  }
  return items;
}

int TypeAheadCombo::Index() const {
  return static_cast<int>(SendMessageW(combo_, CB_GETCURSEL, 0, 0));
}

void TypeAheadCombo::SetIndex(int index) {
  const LRESULT count = SendMessageW(combo_, CB_GETCOUNT, 0, 0);
  SendMessageW(combo_, CB_SETCURSEL, index >= 0 && index < count ? index : -1, 0);
}

bool TypeAheadCombo::FollowTypedText() {
  if (following_) return false;
  following_ = true;
  const std::u16string typed = WindowText(field_);
  DWORD cursor = 0;
  SendMessageW(field_, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&cursor));
  const TypeAheadResult result = TypeAhead(Items(), typed, cursor, deleting_);
  deleting_ = false;

  // Selecting the item writes the item's own text into the field; the field then gets back what
  // the rule leaves in it. A combo box's field announces no text set this way, and should one do
  // so, the list's selection is set again directly.
  SendMessageW(combo_, CB_SETCURSEL, result.item, 0);
  SetWindowTextW(field_, Wide(result.text));
  if (Index() != result.item) SendMessageW(list_, LB_SETCURSEL, result.item, 0);
  SendMessageW(field_, EM_SETSEL, result.anchor, result.caret);
  following_ = false;
  return true;
}

}  // namespace kustel
