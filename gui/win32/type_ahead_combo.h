#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kustel {

// A combo box with an editable field and the type-ahead rule of gui/type_ahead.h: what the user
// types completes to the first item it begins (what was typed stays as typed, the rest is added
// and selected, so typing goes on over it) and selects that item; text that begins no item
// selects none. A deletion (Backspace, Delete, cutting) is not completed again, so the user can
// shorten the field. The combo box's own notifications tell when to apply the rule.
class TypeAheadCombo {
 public:
  explicit TypeAheadCombo(HWND combo);
  ~TypeAheadCombo();
  TypeAheadCombo(const TypeAheadCombo&) = delete;
  TypeAheadCombo& operator=(const TypeAheadCombo&) = delete;

  HWND Handle() const { return combo_; }
  HWND Field() const { return field_; }

  // The selected item, -1 while none is.
  int Index() const;
  // Selects an item (or none, for an index outside the items), sending no notification.
  void SetIndex(int index);

  // CBN_EDITCHANGE: the field's text changed. False for the echo of the rule's own writing,
  // which is no change of the user's.
  bool FollowTypedText();

 private:
  static LRESULT CALLBACK FieldProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
  std::vector<std::u16string> Items() const;

  HWND combo_;
  HWND field_ = nullptr;
  HWND list_ = nullptr;
  bool deleting_ = false;
  bool following_ = false;
};

}  // namespace kustel
