#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kustel {

// The names a shell drop carries, in its order: DragQueryFileW with index 0xFFFFFFFF for the
// count, then for each name its length without the terminating zero, then the name itself.
std::vector<std::u16string> DroppedNames(HDROP drop);

// The drop area: a control that, once enabled, takes files dropped from the shell (and is the
// only one that does). WM_DROPFILES reaching it is read at once and the drop handle given back
// (DragFinish), so the file manager is free again before any name is handled; the names go to
// `dropped`, which must only queue them.
class DropArea {
 public:
  DropArea(HWND control, std::function<void(std::vector<std::u16string>)> dropped);
  ~DropArea();
  DropArea(const DropArea&) = delete;
  DropArea& operator=(const DropArea&) = delete;

  void Enable();

 private:
  static LRESULT CALLBACK Procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);

  HWND control_;
  std::function<void(std::vector<std::u16string>)> dropped_;
};

}  // namespace kustel
