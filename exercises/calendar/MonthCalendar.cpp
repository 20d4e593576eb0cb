#include "MonthCalendar.h"

#include "Design.h"

#include <QKeyEvent>
#include <QTableView>
#include <QTextCharFormat>

MonthCalendar::MonthCalendar(QWidget *parent) : QCalendarWidget(parent)
{
    setObjectName(QStringLiteral("Calendar1"));
    setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    setFirstDayOfWeek(Qt::Monday);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    setGridVisible(true);
    setFont(Design::arialBold(11));
    setDateRange(QDate(1900, 1, 1), QDate(2099, 12, 31));
    setSelectedDate(openingDate());
    setCurrentPage(openingDate().year(), openingDate().month());

    QTextCharFormat sunday = weekdayTextFormat(Qt::Sunday);
    sunday.setForeground(QColor(200, 0, 0));
    setWeekdayTextFormat(Qt::Sunday, sunday);
    QTextCharFormat saturday = weekdayTextFormat(Qt::Saturday);
    saturday.setForeground(Qt::black);
    setWeekdayTextFormat(Qt::Saturday, saturday);

    connect(this, &QCalendarWidget::clicked, this, &MonthCalendar::dayClicked);
    if (auto *grid = findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview")))
        grid->installEventFilter(this);
}

bool MonthCalendar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress &&
        watched->objectName() == QLatin1String("qt_calendar_calendarview")) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            emit Click();
            return true;
        }
    }
    return QCalendarWidget::eventFilter(watched, event);
}

qint16 MonthCalendar::Day() const
{
    return qint16(selectedDate().day());
}

qint16 MonthCalendar::Month() const
{
    return qint16(selectedDate().month());
}

qint16 MonthCalendar::Year() const
{
    return qint16(selectedDate().year());
}

void MonthCalendar::dayClicked(QDate date)
{
    // The clicked day becomes the calendar's date before anyone hears of it.
    if (selectedDate() != date)
        setSelectedDate(date);
    emit Click();
}
