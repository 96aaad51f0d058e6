#pragma once

// The information dialog's rules, once for every toolkit: its caption, how the wheel scrolls the
// picture (a step of delta / 8, clamped to the scroll range, and handled twice over the controls
// while the scroll box has the focus), and what the keys do (S closes, Escape does not, no key
// scrolls). TLizForm decides; the toolkit's dialog shows, through LizView, and turns its events
// into the calls below. It changes nothing else in the program.

#include <string>
#include <string_view>

namespace kustel {

// "  Bedienung und Lizenzvereinbarung - Version 24.11.23", two leading blanks included.
std::u16string LizCaption(std::u16string_view versionText);

// The scroll step of one wheel event: delta / 8 truncated toward zero, so -7 to 7 give nothing
// and no remainder is carried to the next event.
int WheelStep(int delta);

// A scroll position held to 0 ... maximum (never below 0, whatever the maximum).
int ClampScroll(int position, int maximum);

// What the dialog needs of its window.
class LizView {
 public:
  virtual ~LizView() = default;
  virtual int ScrollPosition() const = 0;
  virtual int ScrollMaximum() const = 0;    // content height - visible height
  virtual void ScrollTo(int position) = 0;  // moves the content and the thumb
  virtual bool ScrollBoxHasFocus() const = 0;
  virtual void FocusScrollBox() = 0;
  virtual void FocusCloseButton() = 0;
  virtual void Close() = 0;  // ends the modal showing; the dialog is hidden, not destroyed
};

// Where a wheel event reached the dialog.
enum class WheelPlace {
  kControl,     // the scroll box, the picture, the scroll bar or the close button
  kBackground,  // the dialog itself, outside its controls
};

// The keys the dialog gives a meaning; every other key does nothing.
enum class LizKey { kLetterS, kEnter, kSpace, kEscape, kFocusKey /* Tab and the arrows */, kOther };

class TLizForm {
 public:
  explicit TLizForm(LizView& view) : view_(view) {}

  // The on-show handler: the scroll box takes the focus, at every showing.
  void FormShow();
  void CloseBtnClick();

  // The scroll box's wheel handler: one step, clamped; nothing moves when the position stays.
  void ScrollBox1MouseWheel(int delta);

  // A wheel event as the dialog routes it: over a control it goes to the focused control, and,
  // not consumed, once more through the dialog; over the background once. Only the scroll box
  // has a wheel handler, so while the close button has the focus nothing scrolls.
  void MouseWheel(WheelPlace place, int delta);

  // A key pressed while `closeButtonFocused` says where the focus is. True when the dialog took
  // it; false leaves it to the toolkit (a Space on the focused button presses it as usual).
  bool KeyPress(LizKey key, bool closeButtonFocused);

 private:
  LizView& view_;
};

}  // namespace kustel
