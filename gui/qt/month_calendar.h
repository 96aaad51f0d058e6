#pragma once

#include <QCalendarWidget>
#include <QDate>
#include <QObject>
#include <QString>
#include <functional>

namespace kustel {

// The window's month calendar: German month and day names, Monday first, ISO week numbers where
// asked. It is not a tab stop and takes the focus only when clicked. Turning the page (the month
// arrows, the month menu, the year) takes the selection along to the same day of the new month,
// as a month calendar's selection follows its page.
void SetUpMonthCalendar(QCalendarWidget* calendar, bool weekNumbers);

// Runs `clicked` after every mouse click anywhere in the calendar (a day, the arrows, the month
// and year buttons, the week numbers), once the calendar has handled the click, so the
// selection it reads is the one after the click. Keyboard selection runs nothing.
class CalendarClicks final : public QObject {
 public:
  CalendarClicks(QCalendarWidget* calendar, std::function<void()> clicked);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> clicked_;
  bool pending_ = false;  // one release may pass several watched widgets on its way up
};

}  // namespace kustel
