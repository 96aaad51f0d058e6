#include "gui/qt/month_calendar.h"

#include <QEvent>
#include <QLocale>
#include <QMetaObject>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>

namespace kustel {

void SetUpMonthCalendar(QCalendarWidget* calendar, bool weekNumbers) {
  calendar->setLocale(QLocale(QLocale::German, QLocale::Germany));
  calendar->setFirstDayOfWeek(Qt::Monday);
  calendar->setVerticalHeaderFormat(weekNumbers ? QCalendarWidget::ISOWeekNumbers
                                                : QCalendarWidget::NoVerticalHeader);
  calendar->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
  calendar->setDateEditEnabled(false);

  calendar->setFocusPolicy(Qt::ClickFocus);
  for (QWidget* part : calendar->findChildren<QWidget*>())
    if (part->focusPolicy() & Qt::TabFocus) part->setFocusPolicy(Qt::ClickFocus);

  QObject::connect(calendar, &QCalendarWidget::currentPageChanged, calendar,
                   [calendar](int year, int month) {
                     const QDate selected = calendar->selectedDate();
                     if (selected.year() == year && selected.month() == month) return;
                     const QDate first(year, month, 1);
                     calendar->setSelectedDate(
                         QDate(year, month, std::min(selected.day(), first.daysInMonth())));
                   });
}

CalendarClicks::CalendarClicks(QCalendarWidget* calendar, std::function<void()> clicked)
    : QObject(calendar), clicked_(std::move(clicked)) {
  calendar->installEventFilter(this);
  for (QWidget* part : calendar->findChildren<QWidget*>()) part->installEventFilter(this);
}

bool CalendarClicks::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !pending_) {
    // The filter sees the release before its widget does; the click is read once Qt is done.
    pending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
          pending_ = false;
          clicked_();
        },
        Qt::QueuedConnection);
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace kustel
