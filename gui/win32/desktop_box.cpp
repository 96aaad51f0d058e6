#include "gui/win32/desktop_box.h"

#include "gui/win32/message_box.h"

namespace kustel {
namespace {

class Win32DesktopBox final : public DesktopBox {
 public:
  void Show(const std::u16string& caption, const std::u16string& text, bool errorIcon) override {
    ShowModalBox(caption, text, errorIcon ? BoxIcon::kError : BoxIcon::kNone);
  }
};

}  // namespace

std::unique_ptr<DesktopBox> MakeDesktopBox(const std::u16string&, const std::u16string&) {
  return std::make_unique<Win32DesktopBox>();
}

}  // namespace kustel
