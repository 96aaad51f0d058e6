#pragma once

// The main window in Win32: the controls of the window definition Main (gui/main_definition),
// shown as MainView to the window rules (gui/main_form.h), which decide everything. This class
// only builds the controls, reads and writes them, and turns their notifications into the
// handler calls of TMainForm: the radio groups, the type-ahead combo boxes, the typed-length
// limit, the calendar's clicks, the drop area, the two buttons that never take the focus and
// their letters, colours and focus.

#include <windows.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "gui/main_form.h"
#include "gui/main_view.h"
#include "gui/window_mode.h"

namespace kustel {

class ControlSet;
class DropArea;
class LizDialog;
class MonthCalendar;
class RadioGroup;
class TypeAheadCombo;
class TypedLengthEdit;

class MainWindow final : public MainView, public FrontEndWindow {
 public:
  // Builds the window hidden and centred on the screen, then the window's state (TMainForm);
  // it owns every box shown from now on.
  MainWindow(MainFormServices services, std::u16string title);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND Handle() const { return window_; }
  HWND Control(int id) const;
  TMainForm& Form() override { return *form_; }
  void SetInfoDialog(LizDialog* dialog) { infoDialog_ = dialog; }

  // Shows the window where it was centred, with the focus on FuellzeichenComBox.
  void Show();

  // What the event loop does with a message before translating it: the buttons' letters, then
  // the dialog manager's keyboard handling (Tab, the arrows in the radio groups). True when the
  // message was taken.
  bool PreTranslate(MSG& message);

  // MainView.
  OptionState ReadOptions() const override;
  void WriteOptions(const OptionState& options) override;
  void ShowFormatLabels(const std::array<std::u16string, kDateFormatCount>& labels) override;
  std::optional<CalendarDate> CalendarSelection() const override;
  void SetCalendarDate(CalendarDate date) override;
  void ShowChosenDate(const std::u16string& text) override;
  void AcceptDrops() override;
  void CloseWindow() override;
  void ShowInfoDialog(const std::u16string& caption) override;

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void WireControls();
  void CentreOnScreen();
  void OnCommand(int id, int code);
  bool BareLettersPressButtonsAt(HWND focus) const;
  bool PressButtonByLetter(const MSG& message);
  void KeepFocus();
  template <typename Handler>
  void Run(Handler&& handler);

  std::u16string title_;
  HWND window_ = nullptr;
  std::unique_ptr<ControlSet> controls_;
  std::unique_ptr<RadioGroup> datumGroup_;
  std::unique_ptr<RadioGroup> formatGroup_;
  std::unique_ptr<TypeAheadCombo> fuellzeichen_;
  std::unique_ptr<TypeAheadCombo> einfgDel_;
  std::unique_ptr<TypedLengthEdit> freeText_;
  std::unique_ptr<MonthCalendar> calendar_;
  std::unique_ptr<DropArea> dropArea_;
  std::deque<std::vector<std::u16string>> drops_;  // dropped, waiting for the event loop
  LizDialog* infoDialog_ = nullptr;
  HWND lastFocus_ = nullptr;
  std::unique_ptr<TMainForm> form_;
};

}  // namespace kustel
