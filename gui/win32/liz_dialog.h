#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "gui/liz_form.h"
#include "gui/win32/control_set.h"

namespace kustel {

// The information dialog in Win32: the window definition Lizenz with the picture in its scroll
// box, shown as LizView to the dialog's rules (gui/liz_form.h), which decide. Created once,
// hidden, owned by the main window, and reused for every showing; it keeps its place on the
// screen and its scroll position between showings. Its modal loop hands every key to the rules
// before the dialog manager sees it, and every wheel event, wherever Windows or Wine delivered
// it, to the rules with the place under the pointer.
class LizDialog final : public LizView {
 public:
  LizDialog(HWND owner, std::u16string title);
  ~LizDialog() override;
  LizDialog(const LizDialog&) = delete;
  LizDialog& operator=(const LizDialog&) = delete;

  HWND Handle() const { return window_; }
  HWND Control(int id) const { return (*controls_)[id]; }

  // Sets the caption and shows the dialog modally, the owner disabled meanwhile, centred on the
  // work area the first time; returns when it is closed.
  void ShowInfo(const std::u16string& caption);

  // What the modal loop does with a message before the dialog manager: true when the dialog's
  // rules took it.
  bool PreTranslate(MSG& message);

  // LizView.
  int ScrollPosition() const override;
  int ScrollMaximum() const override;
  void ScrollTo(int position) override;
  bool ScrollBoxHasFocus() const override;
  void FocusScrollBox() override;
  void FocusCloseButton() override;
  void Close() override;

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void ShowPicture();
  void CentreOnWorkArea();
  WheelPlace PlaceOf(POINT screenPoint) const;
  bool Owns(HWND window) const;

  HWND owner_;
  std::u16string title_;
  HWND window_ = nullptr;
  std::unique_ptr<ControlSet> controls_;
  HBITMAP picture_ = nullptr;
  TLizForm rules_{*this};
  bool placed_ = false;
  bool open_ = false;
  HWND lastFocus_ = nullptr;
};

}  // namespace kustel
