#pragma once

#include <array>
#include <optional>
#include <string>

#include "engine/chosen_date.h"
#include "engine/option_state.h"

namespace kustel {

// What the window rules (TMainForm) need of a main window. Each toolkit's window implements it
// with its own controls; nothing here decides anything, and no call fires a handler of the
// window, so the rules can set controls freely.
class MainView {
 public:
  virtual ~MainView() = default;

  // The option state as the controls show it, and back into them. Writing shows a stored free
  // text whole, past the limit of what may be typed.
  virtual OptionState ReadOptions() const = 0;
  virtual void WriteOptions(const OptionState& options) = 0;

  // The seven items of the layout group, layout 0 first; the selected item stays selected.
  virtual void ShowFormatLabels(const std::array<std::u16string, kDateFormatCount>& labels) = 0;

  // The calendar's selected day, or nothing while none is selected; and turning it to a day.
  virtual std::optional<CalendarDate> CalendarSelection() const = 0;
  virtual void SetCalendarDate(CalendarDate date) = 0;

  // The chosen-date text under the calendar.
  virtual void ShowChosenDate(const std::u16string& text) = 0;

  // From now on the drop area takes files dropped from the file manager.
  virtual void AcceptDrops() = 0;

  // Closes the window; the toolkit then reports the closing through TMainForm::FormClose.
  virtual void CloseWindow() = 0;

  // Shows the information dialog with this caption, modally: returns when it is closed.
  virtual void ShowInfoDialog(const std::u16string& caption) = 0;
};

}  // namespace kustel
