#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "engine/chosen_date.h"

namespace kustel {

// The month calendar (SysMonthCal32): one month with week numbers, the date of its definition
// until the program sets today. Its names are those of the user's locale.
// A mouse click anywhere in it (a day, the arrows, the line with today's date) is reported once
// the calendar has handled it, so the selection then is the click's; keyboard changes are not.
// Selects a day of the calendar, sending no notification.
void SelectCalendarDate(HWND calendar, CalendarDate date);

class MonthCalendar {
 public:
  MonthCalendar(HWND calendar, std::function<void()> clicked);
  ~MonthCalendar();
  MonthCalendar(const MonthCalendar&) = delete;
  MonthCalendar& operator=(const MonthCalendar&) = delete;

  std::optional<CalendarDate> Selection() const;
  void Select(CalendarDate date);  // sends no notification

 private:
  static LRESULT CALLBACK Procedure(HWND calendar, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);

  HWND calendar_;
  std::function<void()> clicked_;
  bool pressed_ = false;
};

}  // namespace kustel
