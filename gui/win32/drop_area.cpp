#include "gui/win32/drop_area.h"

#include <commctrl.h>
#include <shellapi.h>

namespace kustel {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr UINT kCount = 0xFFFFFFFF;

}  // namespace

std::vector<std::u16string> DroppedNames(HDROP drop) {
  std::vector<std::u16string> names;
  const UINT count = DragQueryFileW(drop, kCount, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::u16string name(length + 1, u'\0');
    const UINT copied =
        DragQueryFileW(drop, i, reinterpret_cast<wchar_t*>(name.data()), length + 1);
    name.resize(copied);
    names.push_back(std::move(name));
  }
  return names;
}

DropArea::DropArea(HWND control, std::function<void(std::vector<std::u16string>)> dropped)
    : control_(control), dropped_(std::move(dropped)) {
  SetWindowSubclass(control_, Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

DropArea::~DropArea() {
  if (IsWindow(control_)) RemoveWindowSubclass(control_, Procedure, kSubclassId);
}

void DropArea::Enable() {
  DragAcceptFiles(control_, TRUE);
}

LRESULT CALLBACK DropArea::Procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR self) {
  if (message != WM_DROPFILES) return DefSubclassProc(control, message, wParam, lParam);
  std::vector<std::u16string> names;
  {
    const struct Finish {
      HDROP drop;
      ~Finish() { DragFinish(drop); }  // the drop handle goes back whatever happens
    } finish{reinterpret_cast<HDROP>(wParam)};
    names = DroppedNames(finish.drop);
  }
  reinterpret_cast<DropArea*>(self)->dropped_(std::move(names));
  return 0;
}

}  // namespace kustel
