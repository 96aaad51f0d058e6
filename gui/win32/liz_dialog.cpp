#include "gui/win32/liz_dialog.h"

#include "gui/accelerators.h"
#include "gui/centring.h"
#include "gui/failure_box.h"
#include "gui/liz_definition.h"
#include "gui/win32/info_bitmap.h"
#include "gui/win32/message_box.h"
#include "gui/win32/scroll_box.h"
#include "gui/win32/top_window.h"
#include "platform/latin_case.h"
#include "platform/win32/wide_text.h"

namespace kustel {
namespace {

constexpr wchar_t kLizClass[] = L"KustelLizForm";

bool ControlHeld() {
  return GetKeyState(VK_CONTROL) < 0;
}

// The keys the rules give a meaning, by the key that went down. Letters are not among them:
// they are judged by the character they make, so S closes on any keyboard layout.
LizKey KeyOf(WPARAM virtualKey) {
  switch (virtualKey) {
    case VK_RETURN:
      return LizKey::kEnter;
    case VK_SPACE:
      return LizKey::kSpace;
    case VK_ESCAPE:
      return LizKey::kEscape;
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      return ControlHeld() ? LizKey::kOther : LizKey::kFocusKey;
    default:
      return LizKey::kOther;
  }
}

// The close button's letter, whatever its case.
bool IsCloseLetter(WPARAM character) {
  const char16_t letter = AcceleratorLetter(ControlOf(LizDefinition(), kCloseBtn).text);
  return LatinLower(static_cast<char16_t>(character)) == letter;
}

}  // namespace

LizDialog::LizDialog(HWND owner, std::u16string title) : owner_(owner), title_(std::move(title)) {
  const WindowDefinition& definition = LizDefinition();
  window_ = CreateTopWindow(this, kLizClass, definition, owner);
  controls_ = std::make_unique<ControlSet>(window_, definition);
  ShowPicture();
}

LizDialog::~LizDialog() {
  if (IsWindow(window_)) DestroyWindow(window_);
  if (picture_ != nullptr) DeleteObject(picture_);
}

void LizDialog::ShowPicture() {
  std::u16string failure;
  picture_ = MakeInfoBitmap(failure);
  const HWND image = Control(kImage1);
  if (picture_ == nullptr) {
    SetWindowLongPtrW(image, GWL_STYLE, WS_CHILD | WS_VISIBLE | SS_LEFT);
    SetWindowTextW(image, Wide(u"Das Informationsbild ist beschädigt: " + failure));
  } else {
    SendMessageW(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_));
  }
  // The scroll range follows the content: down to the picture's lower edge.
  RECT area;
  GetWindowRect(image, &area);
  MapWindowPoints(nullptr, Control(kScrollBox1), reinterpret_cast<POINT*>(&area), 2);
  SetScrollContentHeight(Control(kScrollBox1), area.bottom);
}

void LizDialog::ShowInfo(const std::u16string& caption) {
  SetWindowTextW(window_, Wide(caption));
  if (!placed_) {
    CentreOnWorkArea();
    placed_ = true;
  }
  open_ = true;
  EnableWindow(owner_, FALSE);
  ShowWindow(window_, SW_SHOW);
  RunShowingFailure(ShowModalBox, title_, [&] { rules_.FormShow(); });
  MSG message;
  while (open_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The end of the program: the loop that runs the main window takes it after this one.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      Close();
      break;
    }
    if (!PreTranslate(message) && !IsDialogMessageW(window_, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

bool LizDialog::PreTranslate(MSG& message) {
  if (!open_ || !Owns(message.hwnd)) return false;
  const bool closeButtonFocused = GetFocus() == Control(kCloseBtn);
  LizKey key;
  switch (message.message) {
    case WM_KEYDOWN:
      key = KeyOf(message.wParam);
      // Any other key may make a character, which then comes as WM_CHAR and is judged there.
      if (key == LizKey::kOther) TranslateMessage(&message);
      break;
    case WM_CHAR:
      key = IsCloseLetter(message.wParam) ? LizKey::kLetterS : LizKey::kOther;
      break;
    case WM_SYSCHAR:
      if (!IsCloseLetter(message.wParam)) return false;  // Alt+F4, Alt+Space stay the system's
      key = LizKey::kLetterS;
      break;
    default:
      return false;
  }
  bool taken = true;
  RunShowingFailure(ShowModalBox, title_,
                    [&] { taken = rules_.KeyPress(key, closeButtonFocused); });
  return taken;
}

bool LizDialog::Owns(HWND window) const {
  return window == window_ || IsChild(window_, window);
}

WheelPlace LizDialog::PlaceOf(POINT screenPoint) const {
  RECT frame;
  GetWindowRect(window_, &frame);
  // Delivered from outside the dialog (to the focus window, as Windows without "scroll inactive
  // windows" does), the event reached the focused control.
  if (!PtInRect(&frame, screenPoint)) return WheelPlace::kControl;
  POINT client = screenPoint;
  ScreenToClient(window_, &client);
  const HWND under = ChildWindowFromPointEx(window_, client, CWP_SKIPINVISIBLE);
  return under != nullptr && under != window_ ? WheelPlace::kControl : WheelPlace::kBackground;
}

void LizDialog::CentreOnWorkArea() {
  RECT area;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  RECT frame;
  GetWindowRect(window_, &frame);
  const Place place =
      CentredIn({area.left, area.top, area.right - area.left, area.bottom - area.top},
                frame.right - frame.left, frame.bottom - frame.top);
  SetWindowPos(window_, nullptr, place.left, place.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT LizDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // Enter and Escape reach the dialog as IDOK and IDCANCEL from the dialog manager: neither
      // closes it. Only the button does.
      if (LOWORD(wParam) == kCloseBtn && HIWORD(wParam) == BN_CLICKED)
        RunShowingFailure(ShowModalBox, title_, [&] { rules_.CloseBtnClick(); });
      return 0;
    case WM_CLOSE:  // the close box, Alt+F4
      Close();
      return 0;
    case WM_MOUSEWHEEL: {
      // Wherever the system delivered it (to the window under the pointer, as Wine and Windows'
      // "scroll inactive windows" do, or to the focus window), the children hand it on to here;
      // where the pointer is decides the place.
      const POINT pointer{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
      RunShowingFailure(ShowModalBox, title_, [&] { rules_.MouseWheel(PlaceOf(pointer), delta); });
      return 0;
    }
    case WM_ACTIVATE:
      // The focus goes back where it was when the dialog was last active.
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        lastFocus_ = Owns(focus) ? focus : nullptr;
      } else if (lastFocus_ != nullptr && IsWindow(lastFocus_)) {
        SetFocus(lastFocus_);
      }
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (const HBRUSH brush = controls_ ? controls_->Colour(reinterpret_cast<HWND>(lParam),
                                                             reinterpret_cast<HDC>(wParam))
                                         : nullptr)
        return reinterpret_cast<LRESULT>(brush);
      break;
    case WM_NCDESTROY:
      window_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

int LizDialog::ScrollPosition() const {
  return kustel::ScrollPosition(Control(kScrollBox1));
}

int LizDialog::ScrollMaximum() const {
  return kustel::ScrollMaximum(Control(kScrollBox1));
}

void LizDialog::ScrollTo(int position) {
  ScrollBoxTo(Control(kScrollBox1), position);
}

bool LizDialog::ScrollBoxHasFocus() const {
  return GetFocus() == Control(kScrollBox1);
}

void LizDialog::FocusScrollBox() {
  SetFocus(Control(kScrollBox1));
}

void LizDialog::FocusCloseButton() {
  SetFocus(Control(kCloseBtn));
}

void LizDialog::Close() {
  if (!open_) return;
  open_ = false;
  // The owner first, so that activation returns to it when the dialog goes.
  EnableWindow(owner_, TRUE);
  ShowWindow(window_, SW_HIDE);
}

}  // namespace kustel
