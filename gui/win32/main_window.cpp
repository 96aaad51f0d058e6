#include "gui/win32/main_window.h"

#include <commctrl.h>

#include "gui/accelerators.h"
#include "gui/centring.h"
#include "gui/failure_box.h"
#include "gui/main_definition.h"
#include "gui/win32/control_set.h"
#include "gui/win32/drop_area.h"
#include "gui/win32/liz_dialog.h"
#include "gui/win32/message_box.h"
#include "gui/win32/month_calendar.h"
#include "gui/win32/radio_group.h"
#include "gui/win32/top_window.h"
#include "gui/win32/type_ahead_combo.h"
#include "gui/win32/typed_length_edit.h"
#include "gui/win32/window_text.h"
#include "platform/win32/wide_text.h"

namespace kustel {
namespace {

constexpr wchar_t kMainClass[] = L"KustelMainForm";

// Posted to itself for each drop, so the names are handled after the drop has returned.
constexpr UINT kDroppedMessage = WM_APP + 1;

// The radio items of a group, in their order.
std::vector<HWND> Items(const ControlSet& controls, int group) {
  std::vector<HWND> items;
  for (const int item : ChildrenOf(MainDefinition(), group)) items.push_back(controls[item]);
  return items;
}

// A text field takes typed characters, whatever control it is part of (a combo box's field, the
// calendar's year).
bool IsTextField(HWND focus) {
  wchar_t className[16] = {};
  GetClassNameW(focus, className, 16);
  return _wcsicmp(className, WC_EDITW) == 0;
}

}  // namespace

MainWindow::MainWindow(MainFormServices services, std::u16string title) : title_(std::move(title)) {
  const WindowDefinition& definition = MainDefinition();
  window_ = CreateTopWindow(this, kMainClass, definition, nullptr);
  SetBoxOwner(window_);
  controls_ = std::make_unique<ControlSet>(window_, definition);
  WireControls();
  CentreOnScreen();
  form_ = std::make_unique<TMainForm>(*this, services);
}

MainWindow::~MainWindow() {
  if (IsWindow(window_)) DestroyWindow(window_);
  SetBoxOwner(nullptr);
}

HWND MainWindow::Control(int id) const {
  return (*controls_)[id];
}

void MainWindow::WireControls() {
  datumGroup_ = std::make_unique<RadioGroup>(Items(*controls_, kDatumRGroup));
  formatGroup_ = std::make_unique<RadioGroup>(Items(*controls_, kFormatRGroup));
  fuellzeichen_ = std::make_unique<TypeAheadCombo>(Control(kFuellzeichenComBox));
  einfgDel_ = std::make_unique<TypeAheadCombo>(Control(kEinfgDelComBox));
  const ControlDefinition& freeText = ControlOf(MainDefinition(), kBeliebigTextEdit);
  freeText_ = std::make_unique<TypedLengthEdit>(Control(freeText.id),
                                                static_cast<size_t>(freeText.typedLimit));
  calendar_ = std::make_unique<MonthCalendar>(
      Control(kMonthCalendar1), [this] { Run([&] { form_->MonthCalendar1Click(); }); });
  dropArea_ =
      std::make_unique<DropArea>(Control(kLboxFiles), [this](std::vector<std::u16string> names) {
        drops_.push_back(std::move(names));
        PostMessageW(window_, kDroppedMessage, 0, 0);
      });
  lastFocus_ = Control(kFuellzeichenComBox);
}

void MainWindow::CentreOnScreen() {
  RECT frame;
  GetWindowRect(window_, &frame);
  const Place place =
      CentredIn({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                frame.right - frame.left, frame.bottom - frame.top);
  SetWindowPos(window_, nullptr, place.left, place.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::Show() {
  ShowWindow(window_, SW_SHOW);
  SetFocus(Control(kFuellzeichenComBox));
  UpdateWindow(window_);
}

template <typename Handler>
void MainWindow::Run(Handler&& handler) {
  RunShowingFailure(ShowModalBox, title_, std::forward<Handler>(handler));
}

void MainWindow::KeepFocus() {
  const HWND focus = GetFocus();
  if (focus != nullptr && IsChild(window_, focus)) lastFocus_ = focus;
}

// Outside a text field the kind of the control holding the focus decides; the window itself takes
// no typed characters.
bool MainWindow::BareLettersPressButtonsAt(HWND focus) const {
  if (IsTextField(focus)) return false;
  const ControlDefinition* control = controls_->Holding(focus);
  return control == nullptr || BareLetterPressesButtons(control->kind);
}

bool MainWindow::PressButtonByLetter(const MSG& message) {
  const bool withAlt = message.message == WM_SYSCHAR;
  if (!withAlt && (message.message != WM_CHAR || !BareLettersPressButtonsAt(GetFocus())))
    return false;
  const int button = ButtonOfLetter(MainDefinition(), static_cast<char16_t>(message.wParam));
  if (button == 0) return false;
  OnCommand(button, BN_CLICKED);  // as a click
  return true;
}

bool MainWindow::PreTranslate(MSG& message) {
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  return PressButtonByLetter(message) || IsDialogMessageW(window_, &message);
}

void MainWindow::OnCommand(int id, int code) {
  switch (id) {
    case kFuellzeichenComBox:
    case kEinfgDelComBox: {
      TypeAheadCombo& combo = id == kFuellzeichenComBox ? *fuellzeichen_ : *einfgDel_;
      const bool changed =
          code == CBN_SELCHANGE || (code == CBN_EDITCHANGE && combo.FollowTypedText());
      if (changed) Run([&] { form_->FuellzeichenComBoxChange(); });
      return;
    }
    case kBeliebigTextEdit:
      if (code == EN_CHANGE) freeText_->FollowChange();
      return;
    case kInfoSBtn:
      if (code == BN_CLICKED) Run([&] { form_->InfoSBtnClick(); });
      return;
    case kCloseSBtn:
      if (code == BN_CLICKED) Run([&] { form_->CloseSBtnClick(); });
      return;
    default:
      // A radio item checked by a click or an arrow key: the group's tab stop follows it.
      if (code == BN_CLICKED) {
        datumGroup_->UpdateTabStop();
        formatGroup_->UpdateTabStop();
      }
      return;
  }
}

LRESULT MainWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (controls_ != nullptr && form_ != nullptr) OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case kDroppedMessage:
      if (!drops_.empty()) {
        std::vector<std::u16string> names = std::move(drops_.front());
        drops_.pop_front();
        Run([&] { form_->DropFiles(std::move(names)); });
      }
      return 0;
    case WM_CLOSE:  // the close box, Alt+F4, the system menu, or CloseWindow
      Run([&] { form_->FormClose(); });
      DestroyWindow(window);
      return 0;
    case WM_GETMINMAXINFO: {
      const SIZE outer = OuterSize(MainDefinition());
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize = limits->ptMaxTrackSize = limits->ptMaxSize = {outer.cx, outer.cy};
      return 0;
    }
    case WM_CANCELMODE:
      // Sent first when a box or the dialog disables the window, which then loses the focus.
      KeepFocus();
      break;
    case WM_ACTIVATE:
      // The focus goes back where it was when the window was last active or enabled.
      if (LOWORD(wParam) == WA_INACTIVE) {
        KeepFocus();
      } else if (lastFocus_ != nullptr && IsWindow(lastFocus_)) {
        SetFocus(lastFocus_);
      }
      return 0;
    case WM_NEXTDLGCTL: {
      // The dialog manager asks this of the window it keeps the keyboard for.
      const HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                       : GetNextDlgTabItem(window, GetFocus(), wParam != 0);
      if (next != nullptr) SetFocus(next);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (controls_ != nullptr) {
        if (const HBRUSH brush =
                controls_->Colour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
          return reinterpret_cast<LRESULT>(brush);
      }
      break;
    case WM_NCDESTROY:
      window_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

OptionState MainWindow::ReadOptions() const {
  OptionState options;
  options.source = datumGroup_->Index();
  options.dateFormat = formatGroup_->Index();
  options.fillCharacter = fuellzeichen_->Index();
  options.existingPrefixAction = einfgDel_->Index();
  options.chosenDate = WindowText(Control(kDatumLabel));
  options.freeText = WindowText(Control(kBeliebigTextEdit));
  return options;
}

void MainWindow::WriteOptions(const OptionState& options) {
  datumGroup_->SetIndex(options.source);
  formatGroup_->SetIndex(options.dateFormat);
  fuellzeichen_->SetIndex(options.fillCharacter);
  einfgDel_->SetIndex(options.existingPrefixAction);
  SetWindowTextW(Control(kDatumLabel), Wide(options.chosenDate));
  freeText_->SetText(options.freeText);
}

void MainWindow::ShowFormatLabels(const std::array<std::u16string, kDateFormatCount>& labels) {
  formatGroup_->SetLabels(labels);
}

std::optional<CalendarDate> MainWindow::CalendarSelection() const {
  return calendar_->Selection();
}

void MainWindow::SetCalendarDate(CalendarDate date) {
  calendar_->Select(date);
}

void MainWindow::ShowChosenDate(const std::u16string& text) {
  SetWindowTextW(Control(kDatumLabel), Wide(text));
}

void MainWindow::AcceptDrops() {
  dropArea_->Enable();
}

// The closing is posted, so the handler that asked for it returns first; it then comes through
// WM_CLOSE like any other closing, where TMainForm hears of it.
void MainWindow::CloseWindow() {
  PostMessageW(window_, WM_CLOSE, 0, 0);
}

void MainWindow::ShowInfoDialog(const std::u16string& caption) {
  if (infoDialog_ != nullptr) infoDialog_->ShowInfo(caption);
}

}  // namespace kustel
