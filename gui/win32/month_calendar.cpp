#include "gui/win32/month_calendar.h"

#include <commctrl.h>

namespace kustel {
namespace {

constexpr UINT_PTR kSubclassId = 1;

}  // namespace

MonthCalendar::MonthCalendar(HWND calendar, std::function<void()> clicked)
    : calendar_(calendar), clicked_(std::move(clicked)) {
  SetWindowSubclass(calendar_, Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

MonthCalendar::~MonthCalendar() {
  if (IsWindow(calendar_)) RemoveWindowSubclass(calendar_, Procedure, kSubclassId);
}

std::optional<CalendarDate> MonthCalendar::Selection() const {
  SYSTEMTIME selected{};
  if (!SendMessageW(calendar_, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&selected)))
    return std::nullopt;
  return CalendarDate{selected.wYear, selected.wMonth, selected.wDay};
}

void SelectCalendarDate(HWND calendar, CalendarDate date) {
  SYSTEMTIME day{};
  day.wYear = static_cast<WORD>(date.year);
  day.wMonth = static_cast<WORD>(date.month);
  day.wDay = static_cast<WORD>(date.day);
  SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
}

void MonthCalendar::Select(CalendarDate date) {
  SelectCalendarDate(calendar_, date);
}

LRESULT CALLBACK MonthCalendar::Procedure(HWND calendar, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR self) {
  auto* month = reinterpret_cast<MonthCalendar*>(self);
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) month->pressed_ = true;
  const LRESULT result = DefSubclassProc(calendar, message, wParam, lParam);
  // A click is a press and a release in the calendar; a release alone (a drag let go over it)
  // is none.
  if (message == WM_LBUTTONUP && month->pressed_) {
    month->pressed_ = false;
    month->clicked_();
  }
  return result;
}

}  // namespace kustel
